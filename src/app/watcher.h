// The main window: start-up, exit, and the events of its controls handed to the scan, the past
// log, reopening and the tray.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/form_host.h"
#include "platform/form_view.h"
#include "platform/shell_services.h"
#include "settings/settings.h"
#include "tray/menu_commands.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"
#include "watch/past_log.h"
#include "watch/reopen.h"
#include "watch/scan.h"

namespace zentab {

class Watcher : public FormEvents {
 public:
  // `host` shows the options, about and vote windows.
  Watcher(FormView& view, ShellServices& shell, FormHost& host, Settings& settings);
  // Its parts hold references to one another and to it.
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

  // The load step. Returns false when the program must end at once (another instance runs).
  bool Form_Load();

  // Events from the platform, dispatched by control name.
  bool QueryUnload() override;
  void Click(std::string_view control) override;
  void DblClick(std::string_view control) override;
  void TimerTick(std::string_view timer) override;
  void MouseDown(std::string_view control, int button, int x) override;

  // The shell came back after a restart: its tray lost our icon.
  void ShellRestarted();
  // The user's session ends: leave as the exit command does.
  void SessionEnding();

  void CmdExit_Click();

  std::int16_t RedirectNavigated() const { return scan_.RedirectNavigated(); }
  const TrayIconData& TrayIcon() const { return trayIcon_.Data(); }

 private:
  void SetWindowTexts();

  ShellServices& shell_;
  FormHost& host_;
  Settings& settings_;
  Form& window_;
  Label& maxWatchNum_;
  Label& maxLogNum_;
  ListBox& watchLst_;
  ListBox& pastLst_;
  CheckBox& isPastLogMake_;
  Timer& watchTmr_;

  PastLog pastLog_;
  Scan scan_;
  Reopener reopener_;
  zentab::TrayIcon trayIcon_;
  TrayMenu trayMenu_;
  MenuCommands menuCommands_;
  bool ended_ = false;
};

}  // namespace zentab
