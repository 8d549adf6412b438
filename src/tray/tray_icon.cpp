#include "tray/tray_icon.h"

#include <algorithm>

#include "platform/version.h"

namespace zentab {

std::string TrayTip(int major, int minor) {
  return "Zentab Ver" + VersionText(major, minor);
}

TrayIconData MakeTrayIconData(std::uintptr_t window, std::uintptr_t icon, const std::string& tip) {
  TrayIconData data;
  data.cbSize = kNotifyIconDataV1Size;
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.hIcon = icon;
  data.uFlags = kTrayFlags;
  data.uCallbackMessage = kTrayCallbackMessage;
  // The tip, one NUL, then spaces to the end of the field; a longer tip is cut.
  data.szTip.fill(' ');
  const size_t n = std::min(tip.size(), data.szTip.size() - 1);
  std::copy_n(tip.begin(), n, data.szTip.begin());
  data.szTip[n] = '\0';
  return data;
}

TrayAction DecodeTrayNotification(int button, int x) {
  if (!(button & 1)) return TrayAction::None;
  if (x == kTrayLeftDoubleClick) return TrayAction::ReopenAll;
  if (x == kTrayRightButtonDown) return TrayAction::ShowMenu;
  return TrayAction::None;
}

TrayIcon::TrayIcon(ShellServices& shell, Form& window, PictureBox& sysTrayPic)
    : shell_(shell), window_(window), sysTrayPic_(sysTrayPic) {}

void TrayIcon::Add() {
  data_ = MakeTrayIconData(sysTrayPic_.Handle(), window_.SmallIconHandle(),
                           TrayTip(shell_.VersionMajor(), shell_.VersionMinor()));
  shell_.TrayAdd(data_);
}

void TrayIcon::ShellRestarted() {
  shell_.TrayAdd(data_);
}

void TrayIcon::ShowBalloon(const std::string& text) {
  shell_.TrayBalloon(data_, "Zentab", text);
}

void TrayIcon::Remove() {
  data_.cbSize = kNotifyIconDataV1Size;
  data_.hWnd = sysTrayPic_.Handle();
  data_.uID = kTrayIconId;
  shell_.TrayDelete(data_);
  shell_.DoEvents();
}

}  // namespace zentab
