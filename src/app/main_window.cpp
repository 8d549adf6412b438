#include "app/main_window.h"

#include "app/main_window_design.h"
#include "platform/version.h"

namespace zentab {
namespace {
using namespace main_window;
constexpr int kTrayMouseMove = 512;
}  // namespace

MainWindow::MainWindow(FormView& view, ShellServices& shell, FormHost& host, Settings& settings)
    : shell_(shell),
      host_(host),
      settings_(settings),
      view_(view),
      window_(view.Window()),
      browsers_(shell_),
      pastLog_(view.Get(PastLst), view.Get(IsPastLogMake), settings_),
      session_(shell_, settings_, view.Get(WatchLst), browsers_, reopener_,
               [this](const std::string& notice) { trayIcon_.ShowBalloon(notice); }),
      scan_(shell_, browsers_, settings_, view.Get(MaxWatchNum), view.Get(WatchLst),
            view.Get(WatchLstTmp), pastLog_, [this] { session_.Save(); }),
      reopener_(shell_, browsers_, view.Get(WatchLst), view.Get(PastLst)),
      trayIcon_(shell_, window_, view.Get(SysTrayPic)),
      trayMenu_(window_, TaskTrayMenu, TMAllZentab, [this] { reopener_.ReopenAll(); }),
      menuCommands_(
          shell_, host_, settings_, browsers_, Targets(),
          [this] {
            session_.ApplySettings();
            EnableSessionCommands();
          },
          window_) {}

SettingsTargets MainWindow::Targets() {
  return SettingsTargets{view_.Get(IsPastLogMake), view_.Get(PastLst), view_.Get(MaxWatchNum),
                         view_.Get(MaxLogNum), view_.Get(WatchTmr)};
}

bool MainWindow::Load() {
  if (shell_.IsAnotherInstanceRunning()) {
    shell_.MsgBox(kAlreadyRunningMessage, "Zentab", kCritical | kOKOnly);
    ended_ = true;
    shell_.EndProgram();
    return false;
  }
  SetWindowTexts();
  trayIcon_.Add();
  LoadSettings(shell_, settings_, Targets());
  // Read before the first scan saves the windows open now in its place.
  session_.Load();
  for (const SessionWindow& window : session_.Previous()) {
    pastLog_.AddPrevious(window.title, window.address, session_.OriginOf(window));
  }
  EnableSessionCommands();
  scan_.OnScanTimer();
  window_.SetVisible(false);
  return true;
}

void MainWindow::EnableSessionCommands() {
  const bool available = !session_.Previous().empty();
  window_.SetMenuItemEnabled(CmdOpenLastSession, available);
  window_.SetMenuItemEnabled(TMCmdOpenLastSession, available);
}

void MainWindow::SetWindowTexts() {
  window_.SetCaption(WithVersion(window_.Caption(), shell_.VersionMajor(), shell_.VersionMinor()));
  view_.Get(WatchLst).SetToolTipText(kListToolTip);
  view_.Get(PastLst).SetToolTipText(kListToolTip);
}

bool MainWindow::QueryUnload() {
  // Closing only hides the window; the program lives on in the tray.
  window_.SetVisible(false);
  return true;
}

void MainWindow::Exit() {
  if (ended_) return;
  // Set first: the pass over pending messages at removal must not start another scan.
  ended_ = true;
  session_.StopSaving();
  scan_.ReleaseBrowser();
  trayIcon_.Remove();
  shell_.EndProgram();
}

void MainWindow::OnSessionEndQueried() {
  session_.HoldForSessionEnd();
}

void MainWindow::OnSessionEnded(bool ending) {
  if (ending) {
    Exit();
  } else {
    session_.SessionGoesOn();
  }
}

void MainWindow::OnBrowserMessage(std::uintptr_t host, std::string_view message) {
  if (!ended_) browsers_.Receive(host, message);
}

void MainWindow::OnBrowserHostClosing(std::uintptr_t host) {
  browsers_.Forget(host);
}

void MainWindow::OnBrowsersLinked() {
  if (!ended_) browsers_.AskForTabs();
}

void MainWindow::OnShellRestarted() {
  if (!ended_) trayIcon_.ShellRestarted();
}

void MainWindow::Click(std::string_view control) {
  // While a dialog or a message of a command is shown, that command has not returned: nothing
  // else may run beside it, and exiting would pull the program out from under it.
  if (ended_ || menuCommands_.ModalOpen()) return;
  if (control == CmdExit || control == TMCmdExit) {
    Exit();
  } else if (control == TMAllZentab) {
    reopener_.ReopenAll();
  } else if (control == CmdOpenLastSession || control == TMCmdOpenLastSession) {
    session_.ReopenAll();
  } else if (control == TMCmdVisible) {
    trayMenu_.ToggleMainWindow();
  } else if (control == CmdShowOption || control == TMCmdOption) {
    menuCommands_.ShowOptions();
  } else if (control == CmdHelpRef || control == TMCmdHelpRef) {
    menuCommands_.ShowHelp();
  } else if (control == CmdOpenHP || control == TMCmdOpenHP) {
    menuCommands_.OpenHomePage();
  } else if (control == CmdShowVersionInfo || control == TMCmdShowVersionInfo) {
    menuCommands_.ShowAbout();
  } else if (control == CmdSoftwareVote) {
    menuCommands_.ShowVote();
  }
}

void MainWindow::DblClick(std::string_view control) {
  if (ended_ || menuCommands_.ModalOpen()) return;
  if (control == WatchLst) {
    reopener_.ReopenSelectedWatchLine();
  } else if (control == PastLst) {
    reopener_.ReopenSelectedPastLine();
  }
}

void MainWindow::TimerTick(std::string_view timer) {
  if (!ended_ && timer == WatchTmr) scan_.OnScanTimer();
}

void MainWindow::MouseDown(std::string_view control, int button, int x) {
  if (ended_ || control != SysTrayPic) return;
  if (menuCommands_.ModalOpen()) {
    // The icon is the way back to a dialog lost behind other windows; merely passing the mouse
    // over it must not snatch the focus.
    if (x != kTrayMouseMove) host_.ActivateModal();
    return;
  }
  trayMenu_.OnTrayNotification(button, x);
}

}  // namespace zentab
