// The main window: its load step, closing and exit, the tray icon and menu, reopening pages and
// the commands of both menus.
#include "fixture.h"
#include "options/options_design.h"
#include "platform/text.h"
#include "tray/tray_icon.h"

namespace zentab::test {
namespace {

using namespace main_window;
const std::string kTip = kListToolTip;

TEST_F(MainWindowTest, TheLoadStepRunsInOrderAndEndsHidden) {
  shell.major = 2, shell.minor = 10;
  view.Window().SetVisible(true);
  journal.entries.clear();
  ASSERT_TRUE(main.Load());
  const std::string tray = "TrayAdd " + std::to_string(kNotifyIconDataV1Size) + " " +
                           std::to_string(view.Get(SysTrayPic).Handle()) + " 10 7 513 " +
                           std::to_string(view.Window().SmallIconHandle()) + " Zentab Ver2.10";
  std::string steps;  // the settings file's path left out
  for (const std::string& entry : journal.entries)
    steps += ReplaceAll(entry, " " + kIniPath, "") + "|";
  EXPECT_EQ(steps,
            "Caption Zentab Ver2.10 - Watcher|WatchLst.ToolTipText " + kTip +
                "|PastLst.ToolTipText " + kTip + "|" + tray +
                "|Read Option ChkMode|Read Option DisabledPastLog|PastLst.Clear|"
                "IsPastLogMake.Value 0|IsPastLogMake.Visible 1|PastLst.Enabled 1|Read Option "
                "MaxWatch|MaxWatchNum.Caption 0/10|Read Option MaxLog|MaxLogNum.Caption Max "
                "50件|Read Option Interval|WatchTmr.Interval 5000|Read Option Through|Read "
                "Option KeepSession|ReadWholeFile C:\\Tools\\Zentab\\Zentab2.session|"
                "ShellWindows.Count|MaxWatchNum.Caption 0/10|WatchLst.Clear|WatchLstTmp.Clear|"
                "Visible 0|");
  // The scratch list and the tray's receiver never show.
  EXPECT_FALSE(view.Get(WatchLstTmp).Visible());
  EXPECT_FALSE(view.Get(SysTrayPic).Visible());
}

TEST_F(MainWindowTest, ASecondInstanceSaysSoAndEndsWithoutIconOrSettings) {
  shell.anotherInstance = true;
  EXPECT_FALSE(main.Load());
  EXPECT_EQ(
      journal.entries,
      (Lines{"MsgBox " + std::string(kAlreadyRunningMessage) + " | Zentab | 16", "EndProgram"}));
}

// Only a left double-click and the right button on the icon do anything; closing only hides.
TEST_F(MainWindowTest, TheTrayIconReopensAllOrOpensItsMenuWhoseItemShowsOrHidesTheWindow) {
  OpenPages(1);
  Load();
  for (const int x : {512, 513, 514, 517, 518, 0}) main.MouseDown(SysTrayPic, 1, x);
  main.MouseDown(SysTrayPic, 2, 515);
  main.MouseDown(SysTrayPic, 1, 515);
  view.Window().nextChoice = TMCmdVisible.name;
  main.MouseDown(SysTrayPic, 3, 516);
  EXPECT_EQ(journal.entries, (Lines{"NewBrowserWindow http://site.example/0",
                                    "PopupMenu TaskTrayMenu TMAllZentab", "Visible 1"}));
  EXPECT_TRUE(main.QueryUnload());
  EXPECT_FALSE(view.Window().Visible());
  main.Click(TMCmdVisible);
  main.Click(TMCmdVisible);
  EXPECT_FALSE(view.Window().Visible());
  EXPECT_FALSE(shell.ended);
}

class ExitTest : public MainWindowTest, public ::testing::WithParamInterface<MenuItemId> {};

TEST_P(ExitTest, ExitRemovesTheIconLetsGoOfTheShellAndEndsAndNothingRunsAfter) {
  OpenPages(10);  // a full scan ends on a window of the shell
  ASSERT_TRUE(main.Load());
  const std::string added = journal.entries.at(3);
  journal.entries.clear();
  main.Click(GetParam());
  EXPECT_EQ(journal.entries, (Lines{"TrayDelete" + added.substr(7), "DoEvents", "EndProgram"}));
  EXPECT_EQ(shell.LiveBrowsers(), 0);
  journal.entries.clear();
  main.TimerTick(WatchTmr);
  main.MouseDown(SysTrayPic, 1, 515);
  main.Click(CmdExit);
  main.OnSessionEnded(true);
  main.OnShellRestarted();
  EXPECT_TRUE(journal.entries.empty());
}

INSTANTIATE_TEST_SUITE_P(EitherMenu, ExitTest, ::testing::Values(CmdExit, TMCmdExit),
                         [](const auto& item) { return std::string(item.param.name); });

class ReopenTest : public MainWindowTest {
 protected:
  void SetUp() override {
    shell.OpenWindow("Report - Summary", "file:///C:/Work");
    shell.OpenWindow("News", "http://news.example/a - b");
    shell.OpenWindow("Mail", "http://mail.example/");
    Load();
  }
};

TEST_F(ReopenTest, TheMenuAndATrayDoubleClickOpenEveryWatchedPageAndStopAtOneThatFails) {
  main.Click(TMAllZentab);
  EXPECT_EQ(journal.entries,
            (Lines{"NewBrowserWindow file:///C:/Work", "NewBrowserWindow http://news.example/a - b",
                   "NewBrowserWindow http://mail.example/"}));
  journal.entries.clear();
  shell.Fail(FakeShell::Op::NewBrowserWindow, 4);
  main.MouseDown(SysTrayPic, 1, 515);
  EXPECT_EQ(Calls({"NewBrowserWindow"}),
            (Lines{"NewBrowserWindow file:///C:/Work",
                   "NewBrowserWindow http://news.example/a - b FAILED"}));
}

TEST_F(ReopenTest, ADoubleClickedLineOpensItsAddressEachTimeAndNothingWithoutASelection) {
  main.DblClick(WatchLst);
  main.DblClick(PastLst);
  EXPECT_TRUE(journal.entries.empty());
  List(PastLst).UserSets(2);
  main.DblClick(PastLst);
  main.DblClick(PastLst);
  List(WatchLst).UserSets(0);
  main.DblClick(WatchLst);
  EXPECT_EQ(journal.entries,
            (Lines{"NewBrowserWindow http://mail.example/", "NewBrowserWindow http://mail.example/",
                   "NewBrowserWindow file:///C:/Work"}));
}

using MenuCommandsTest = MainWindowTest;

// Help starts the viewer on the file without quotes; the home page is owned by the main window.
TEST_F(MenuCommandsTest, HelpAndTheHomePageOpenFromEitherMenuOrHelpSaysItCannot) {
  Load();
  shell.exeFolder = "C:\\Program Files\\Zentab";
  shell.Fail(FakeShell::Op::Start, 1);
  for (MenuItemId item : {CmdHelpRef, TMCmdHelpRef, CmdOpenHP, TMCmdOpenHP}) main.Click(item);
  const std::string help = "StartProgram notepad.exe C:\\Program Files\\Zentab\\readme.txt",
                    home = "ShellOpen " + std::to_string(view.Window().Handle()) +
                           " open http://www.zentab.example/ [] [] 1";
  EXPECT_EQ(journal.entries, (Lines{help, help + " FAILED",
                                    "MsgBox " + std::string(kHelpNotOpenedMessage) +
                                        "\r\nC:\\Program Files\\Zentab\\readme.txt | Zentab | 48",
                                    home, home}));
}

TEST_F(MenuCommandsTest, EveryWindowCommandShowsItsWindowFromEitherMenu) {
  Load();
  const std::pair<MenuItemId, const char*> commands[]{
      {CmdShowOption, "Options"},      {TMCmdOption, "Options"},
      {CmdShowVersionInfo, "VerInfo"}, {TMCmdShowVersionInfo, "VerInfo"},
      {CmdSoftwareVote, "Votrix"},
  };
  for (const auto& [item, window] : commands) {
    journal.entries.clear();
    host.next.push_back([](FakeView&, ModalForm& form) { form.QueryUnload(); });
    main.Click(item);
    EXPECT_EQ(Calls({"ShowModal", "ModalEnd"}),
              (Lines{std::string("ShowModal ") + window,
                     std::string("ModalEnd ") + window + " unloaded"}));
  }
}

// While a window or a message of a command is shown, the icon only brings it back, every other
// command and exit wait, and the scan goes on.
TEST_F(MenuCommandsTest, WhileAWindowOrAMessageIsShownOnlyTheScanGoesOn) {
  OpenPages(1);
  Load();
  List(WatchLst).UserSets(0);
  const auto tryEverything = [this] {
    journal.entries.clear();
    main.MouseDown(SysTrayPic, 1, 516);
    main.MouseDown(SysTrayPic, 1, 512);
    main.Click(TMAllZentab);
    main.Click(CmdShowVersionInfo);
    main.DblClick(WatchLst);
    main.Click(CmdExit);
    main.Click(TMCmdExit);
    EXPECT_EQ(journal.entries, (Lines{"ActivateModal"}));
    Scan();
    EXPECT_EQ(Calls({"ShellWindows.Count"}).size(), 1u);
  };
  host.next.push_back([&](FakeView&, ModalForm& form) {
    tryEverything();
    form.Click(options_dialog::cmdCancel);
  });
  main.Click(TMCmdOption);
  shell.Fail(FakeShell::Op::Start);
  journal.observer = [&](const std::string& entry) {
    if (entry.starts_with("MsgBox")) {
      journal.observer = nullptr;
      tryEverything();
    }
  };
  main.Click(CmdHelpRef);
  EXPECT_FALSE(shell.ended);
  journal.entries.clear();
  main.MouseDown(SysTrayPic, 1, 516);
  EXPECT_EQ(journal.entries, (Lines{"PopupMenu TaskTrayMenu TMAllZentab"}));
}

}  // namespace
}  // namespace zentab::test
