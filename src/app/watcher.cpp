#include "app/watcher.h"

#include "app/version.h"

namespace zentab {
namespace {
constexpr const char* kListToolTip = "ダブルクリックするとその項目を復元します。";
}

Watcher::Watcher(FormView& view, ShellServices& shell, Settings& settings)
    : view_(view),
      shell_(shell),
      settings_(settings),
      window_(view.Window()),
      maxWatchNum_(view.LabelNamed("MaxWatchNum")),
      maxLogNum_(view.LabelNamed("MaxLogNum")),
      watchLst_(view.ListBoxNamed("WatchLst")),
      pastLst_(view.ListBoxNamed("PastLst")),
      watchLstTmp_(view.ListBoxNamed("WatchLstTmp")),
      isPastLogMake_(view.CheckBoxNamed("IsPastLogMake")),
      sysTrayPic_(view.PictureBoxNamed("SysTrayPic")),
      watchTmr_(view.TimerNamed("WatchTmr")) {}

bool Watcher::Form_Load() {
  if (shell_.IsAnotherInstanceRunning()) {
    shell_.MsgBox("すでに起動しています。", "Zentab", kCritical | kOKOnly);
    ended_ = true;
    shell_.EndProgram();
    return false;
  }
  redirectNavigated_ = 0;
  SetWindowTexts();
  AddTrayIcon();
  LoadSettings(shell_, settings_,
               SettingsTargets{isPastLogMake_, pastLst_, maxWatchNum_, maxLogNum_, watchTmr_});
  WatchTmr_Timer();
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
  curBrowser_.reset();
  RemoveTrayIcon();
  shell_.EndProgram();
}

void Watcher::SessionEnding() {
  CmdExit_Click();
}

void Watcher::Click(std::string_view control) {
  if (ended_) return;
  if (control == "CmdExit" || control == "TMCmdExit") {
    CmdExit_Click();
  } else if (control == "TMAllZentab") {
    TMAllZentab_Click();
  } else if (control == "TMCmdVisible") {
    TMCmdVisible_Click();
  }
}

void Watcher::DblClick(std::string_view control) {
  if (ended_) return;
  if (control == "WatchLst") {
    WatchLst_DblClick();
  } else if (control == "PastLst") {
    PastLst_DblClick();
  }
}

void Watcher::TimerTick(std::string_view timer) {
  if (!ended_ && timer == "WatchTmr") WatchTmr_Timer();
}

void Watcher::MouseDown(std::string_view control, int button, int x) {
  if (!ended_ && control == "SysTrayPic") SysTrayPic_MouseDown(button, x);
}

}  // namespace zentab
