// The tray icon: its registration record, its life in the shell's tray and the decoding of its
// mouse notifications.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/shell_services.h"

namespace zentab {

inline constexpr std::uint32_t kTrayIconId = 10;
inline constexpr std::uint32_t kTrayFlags = 7;              // message, icon and tip
inline constexpr std::uint32_t kTrayCallbackMessage = 513;  // arrives as a left-button event
inline constexpr int kTrayLeftDoubleClick = 515;
inline constexpr int kTrayRightButtonDown = 516;

// "Zentab Ver2.0"
std::string TrayTip(int major, int minor);

// The record that registers and later removes the icon.
TrayIconData MakeTrayIconData(std::uintptr_t window, std::uintptr_t icon, const std::string& tip);

enum class TrayAction { None, ReopenAll, ShowMenu };

// What a notification asks for: `x` carries the mouse message the shell saw over the icon.
TrayAction DecodeTrayNotification(int button, int x);

// The icon of `window`, whose notifications arrive at `sysTrayPic`.
class TrayIcon {
 public:
  TrayIcon(ShellServices& shell, Form& window, PictureBox& sysTrayPic);

  void Add();
  // Unregisters the icon, then lets the pending messages pass once.
  void Remove();
  // A restarted shell has an empty tray: the same record again.
  void ShellRestarted();
  // A notice in a balloon from the icon.
  void ShowBalloon(const std::string& text);
  const TrayIconData& Data() const { return data_; }

 private:
  ShellServices& shell_;
  Form& window_;
  PictureBox& sysTrayPic_;
  TrayIconData data_;
};

}  // namespace zentab
