// The main window: start-up, the scan, the past log, reopening pages, the tray icon and exit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/form_view.h"
#include "platform/shell_services.h"
#include "settings/settings.h"

namespace zentab {

class Watcher : public FormEvents {
 public:
  Watcher(FormView& view, ShellServices& shell, Settings& settings);

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

  void WatchTmr_Timer();
  void TMAllZentab_Click();
  void TMCmdVisible_Click();
  void CmdExit_Click();
  void WatchLst_DblClick();
  void PastLst_DblClick();
  void SysTrayPic_MouseDown(int button, int x);

  std::int16_t RedirectNavigated() const { return redirectNavigated_; }
  const TrayIconData& TrayIcon() const { return trayIconData_; }

 private:
  void SetWindowTexts();
  void AddTrayIcon();
  void RemoveTrayIcon();
  void AddWatchEntry(std::int16_t position, const std::string& title, const std::string& address);
  void AddPastLogEntry(std::int16_t position, const std::string& title, const std::string& address);
  void ScanWindows();
  void EndOfFullScan();
  void EndOfShortScan();
  void CopyScratchToWatchList();
  void OpenPage(const std::string& address);
  void ReopenSelected(ListBox& list);
  std::string VersionText();

  FormView& view_;
  ShellServices& shell_;
  Settings& settings_;
  Form& window_;
  Label& maxWatchNum_;
  Label& maxLogNum_;
  ListBox& watchLst_;
  ListBox& pastLst_;
  ListBox& watchLstTmp_;
  CheckBox& isPastLogMake_;
  PictureBox& sysTrayPic_;
  Timer& watchTmr_;

  std::shared_ptr<BrowserWindow> curBrowser_;
  std::int16_t redirectNavigated_ = 0;
  std::int32_t logGroup_ = 0;
  std::int16_t lastLogIndex_ = 0;
  TrayIconData trayIconData_;
  bool scanning_ = false;
  bool ended_ = false;
};

}  // namespace zentab
