// The main window: start-up, exit, and the events of its controls handed to the scan, the past
// log, reopening, the tray and the menu commands.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/menu_commands.h"
#include "browsers/connected_browsers.h"
#include "platform/form_host.h"
#include "platform/form_view.h"
#include "platform/shell_services.h"
#include "session/last_session.h"
#include "settings/settings.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"
#include "watch/past_log.h"
#include "watch/reopen.h"
#include "watch/scan.h"

namespace zentab {

inline constexpr const char* kAlreadyRunningMessage = "すでに起動しています。";
inline constexpr const char* kListToolTip = "ダブルクリックするとその項目を復元します。";

class MainWindow : public FormEvents {
 public:
  // `host` shows the options, about and vote windows.
  MainWindow(FormView& view, ShellServices& shell, FormHost& host, Settings& settings);
  // Its parts hold references to one another and to it.
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The load step. Returns false when the program must end at once (another instance runs).
  bool Load();

  // Events from the platform, dispatched by the design's names.
  bool QueryUnload() override;
  void Click(std::string_view control) override;
  void DblClick(std::string_view control) override;
  void TimerTick(std::string_view timer) override;
  void MouseDown(std::string_view control, int button, int x) override;

  // The shell came back after a restart: its tray lost our icon.
  void OnShellRestarted();
  // Windows asks whether the user's session may end: from now on the windows that close are not
  // the user's choice.
  void OnSessionEndQueried();
  // The user's session ends (leave as the exit command does), or goes on after all (the end was
  // cancelled: the windows are the user's choice again).
  void OnSessionEnded(bool ending);
  // A browser's host hands over what its browser sent, or says it has gone.
  void OnBrowserMessage(std::uintptr_t host, std::string_view message);
  void OnBrowserHostClosing(std::uintptr_t host);
  // The browsers can reach the program now: those already running are asked for their tabs.
  void OnBrowsersLinked();
  void Exit();

  std::int16_t RedirectNavigated() const { return scan_.RedirectNavigated(); }

 private:
  void SetWindowTexts();
  SettingsTargets Targets();
  // The previous session's commands can be chosen only while there is one.
  void EnableSessionCommands();

  ShellServices& shell_;
  FormHost& host_;
  Settings& settings_;
  FormView& view_;
  Form& window_;

  ConnectedBrowsers browsers_;
  PastLog pastLog_;
  LastSession session_;
  Scan scan_;
  Reopener reopener_;
  TrayIcon trayIcon_;
  TrayMenu trayMenu_;
  MenuCommands menuCommands_;
  bool ended_ = false;
};

}  // namespace zentab
