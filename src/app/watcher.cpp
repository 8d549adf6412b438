#include "app/watcher.h"

#include "platform/version.h"

namespace zentab {
namespace {
constexpr const char* kListToolTip = "ダブルクリックするとその項目を復元します。";
constexpr int kTrayMouseMove = 512;
}  // namespace

Watcher::Watcher(FormView& view, ShellServices& shell, FormHost& host, Settings& settings)
    : shell_(shell),
      host_(host),
      settings_(settings),
      window_(view.Window()),
      maxWatchNum_(view.LabelNamed("MaxWatchNum")),
      maxLogNum_(view.LabelNamed("MaxLogNum")),
      watchLst_(view.ListBoxNamed("WatchLst")),
      pastLst_(view.ListBoxNamed("PastLst")),
      isPastLogMake_(view.CheckBoxNamed("IsPastLogMake")),
      watchTmr_(view.TimerNamed("WatchTmr")),
      pastLog_(pastLst_, isPastLogMake_, settings_),
      scan_(shell_, settings_, maxWatchNum_, watchLst_, view.ListBoxNamed("WatchLstTmp"), pastLog_),
      reopener_(shell_, watchLst_, pastLst_),
      trayIcon_(shell_, window_, view.PictureBoxNamed("SysTrayPic")),
      trayMenu_(window_, [this] { reopener_.TMAllZentab_Click(); }),
      menuCommands_(shell_, host_, settings_,
                    SettingsTargets{isPastLogMake_, pastLst_, maxWatchNum_, maxLogNum_, watchTmr_},
                    window_) {}

bool Watcher::Form_Load() {
  if (shell_.IsAnotherInstanceRunning()) {
    shell_.MsgBox("すでに起動しています。", "Zentab", kCritical | kOKOnly);
    ended_ = true;
    shell_.EndProgram();
    return false;
  }
  SetWindowTexts();
  trayIcon_.Add();
  LoadSettings(shell_, settings_,
               SettingsTargets{isPastLogMake_, pastLst_, maxWatchNum_, maxLogNum_, watchTmr_});
  scan_.WatchTmr_Timer();
  window_.SetVisible(false);
  return true;
}

void Watcher::SetWindowTexts() {
  window_.SetCaption(WithVersion(window_.Caption(), shell_.VersionMajor(), shell_.VersionMinor()));
  watchLst_.SetToolTipText(kListToolTip);
  pastLst_.SetToolTipText(kListToolTip);
}

bool Watcher::QueryUnload() {
  // Closing only hides the window; the program lives on in the tray.
  window_.SetVisible(false);
  return true;
}

void Watcher::CmdExit_Click() {
  if (ended_) return;
  // Set first: the pass over pending messages at removal must not start another scan.
  ended_ = true;
  scan_.ReleaseBrowser();
  trayIcon_.Remove();
  shell_.EndProgram();
}

void Watcher::SessionEnding() {
  CmdExit_Click();
}

void Watcher::ShellRestarted() {
  if (!ended_) trayIcon_.ShellRestarted();
}

void Watcher::Click(std::string_view control) {
  // While a dialog is shown its command has not returned: nothing else may run beside it, and
  // exiting would pull the program out from under it.
  if (ended_ || menuCommands_.ModalOpen()) return;
  if (control == "CmdExit" || control == "TMCmdExit") {
    CmdExit_Click();
  } else if (control == "TMAllZentab") {
    reopener_.TMAllZentab_Click();
  } else if (control == "TMCmdVisible") {
    trayMenu_.TMCmdVisible_Click();
  } else if (control == "CmdShowOption" || control == "TMCmdOption") {
    menuCommands_.CmdShowOption_Click();
  } else if (control == "CmdHelpRef" || control == "TMCmdHelpRef") {
    menuCommands_.CmdHelpRef_Click();
  } else if (control == "CmdOpenHP" || control == "TMCmdOpenHP") {
    menuCommands_.CmdOpenHP_Click();
  } else if (control == "CmdShowVersionInfo" || control == "TMCmdShowVersionInfo") {
    menuCommands_.CmdShowVersionInfo_Click();
  } else if (control == "CmdSoftwareVote") {
    menuCommands_.CmdSoftwareVote_Click();
  }
}

void Watcher::DblClick(std::string_view control) {
  if (ended_ || menuCommands_.ModalOpen()) return;
  if (control == "WatchLst") {
    reopener_.WatchLst_DblClick();
  } else if (control == "PastLst") {
    reopener_.PastLst_DblClick();
  }
}

void Watcher::TimerTick(std::string_view timer) {
  if (!ended_ && timer == "WatchTmr") scan_.WatchTmr_Timer();
}

void Watcher::MouseDown(std::string_view control, int button, int x) {
  if (ended_ || control != "SysTrayPic") return;
  if (menuCommands_.ModalOpen()) {
    // The icon is the way back to a dialog lost behind other windows; merely passing the mouse
    // over it must not snatch the focus.
    if (x != kTrayMouseMove) host_.ActivateModal();
    return;
  }
  trayMenu_.SysTrayPic_MouseDown(button, x);
}

}  // namespace zentab
