#include "fixture.h"
#include "platform/version.h"

namespace zentab::test {
namespace {

using StartupTest = WatcherTest;

TEST_F(StartupTest, LoadStepRunsInOrderAndEndsHidden) {
  shell.SetVersion(2, 10);
  view.Window().SetVisible(true);
  journal.Clear();
  ASSERT_TRUE(watcher.Load());

  const std::string path = " " + ProgramIniPath();
  const std::string tip = "ダブルクリックするとその項目を復元します。";
  const std::string tray = "TrayAdd cbSize=" + std::to_string(kNotifyIconDataV1Size) +
                           " hWnd=" + std::to_string(view.PictureBoxNamed("SysTrayPic").Handle()) +
                           " uID=10 uFlags=7 uCallbackMessage=513 hIcon=" +
                           std::to_string(view.Window().SmallIconHandle()) +
                           " szTip=Zentab Ver2.10";
  EXPECT_EQ(journal.entries, (Lines{"Form.Caption Zentab Ver2.10 - Watcher",
                                    "WatchLst.ToolTipText " + tip,
                                    "PastLst.ToolTipText " + tip,
                                    tray,
                                    "ReadProfileInt Option ChkMode 2" + path,
                                    "ReadProfileInt Option DisabledPastLog 0" + path,
                                    "PastLst.Clear",
                                    "IsPastLogMake.Value 0",
                                    "IsPastLogMake.Visible 1",
                                    "PastLst.Enabled 1",
                                    "ReadProfileInt Option MaxWatch 10" + path,
                                    "MaxWatchNum.Caption 0/10",
                                    "ReadProfileInt Option MaxLog 50" + path,
                                    "MaxLogNum.Caption Max 50件",
                                    "ReadProfileInt Option Interval 5000" + path,
                                    "WatchTmr.Interval 5000",
                                    "ReadProfileInt Option Through 0" + path,
                                    "ShellWindows.Count",
                                    "MaxWatchNum.Caption 0/10",
                                    "WatchLst.Clear",
                                    "WatchLstTmp.Clear",
                                    "Form.Visible 0"}));
  EXPECT_FALSE(std::filesystem::exists(IniPath()));  // reading never creates the file
  EXPECT_EQ(WithVersion("Ver$.$ ($.$)", 2, 10), "Ver2.10 (2.10)");
}

TEST_F(StartupTest, SecondInstanceShowsTheMessageAndEndsWithoutTrayOrSettings) {
  shell.SetAnotherInstanceRunning(true);
  EXPECT_FALSE(watcher.Load());
  EXPECT_EQ(journal.entries, (Lines{"MsgBox すでに起動しています。 | Zentab | 16", "EndProgram"}));
  EXPECT_TRUE(shell.Ended());
}

TEST_F(StartupTest, CloseRequestOnlyHidesAndTheProgramGoesOn) {
  Load();
  view.Window().SetVisible(true);
  EXPECT_TRUE(watcher.QueryUnload());
  EXPECT_FALSE(view.Window().Visible());
  shell.OpenWindow("A", "http://a.example/");
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 1u);
  EXPECT_TRUE(Calls({"TrayDelete", "EndProgram"}).empty());
}

class ExitTest : public WatcherTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExitTest, ExitRemovesTheIconAndEndsEvenWhileHiddenAndNothingRunsAfter) {
  shell.OpenWindow("A", "http://a.example/");
  ASSERT_TRUE(watcher.Load());
  const std::string added = journal.entries.at(3);
  ASSERT_TRUE(added.starts_with("TrayAdd ")) << added;
  journal.Clear();
  watcher.Click(GetParam());
  EXPECT_EQ(journal.entries, (Lines{"TrayDelete " + added.substr(8), "DoEvents", "EndProgram"}));
  EXPECT_TRUE(shell.Ended());

  journal.Clear();
  watcher.TimerTick("WatchTmr");
  watcher.MouseDown("SysTrayPic", 1, 515);
  watcher.Click("CmdExit");
  watcher.OnSessionEnding();
  EXPECT_TRUE(journal.entries.empty());
}

INSTANTIATE_TEST_SUITE_P(EitherMenu, ExitTest, ::testing::Values("CmdExit", "TMCmdExit"));

}  // namespace
}  // namespace zentab::test
