#include "fixture.h"
#include "platform/version.h"

namespace zentab::test {
namespace {

using StartupTest = WatcherTest;

TEST_F(StartupTest, LoadStepRunsInOrderAndEndsHidden) {
  view.Window().SetVisible(true);
  journal.Clear();
  ASSERT_TRUE(watcher.Form_Load());

  const std::string path = folder.Path().string() + "\\Zentab2.ini";
  const std::string tip = "ダブルクリックするとその項目を復元します。";
  const std::string tray = "TrayAdd cbSize=" + std::to_string(kNotifyIconDataV1Size) +
                           " hWnd=" + std::to_string(view.PictureBoxNamed("SysTrayPic").Handle()) +
                           " uID=10 uFlags=7 uCallbackMessage=513 hIcon=" +
                           std::to_string(view.Window().SmallIconHandle()) + " szTip=Zentab Ver2.0";
  EXPECT_EQ(journal.entries, (Lines{
                                 "Form.Caption Zentab Ver2.0 - Watcher",
                                 "WatchLst.ToolTipText " + tip,
                                 "PastLst.ToolTipText " + tip,
                                 tray,
                                 "ReadProfileInt Option ChkMode 2 " + path,
                                 "ReadProfileInt Option DisabledPastLog 0 " + path,
                                 "PastLst.Clear",
                                 "IsPastLogMake.Value 0",
                                 "IsPastLogMake.Visible 1",
                                 "PastLst.Enabled 1",
                                 "ReadProfileInt Option MaxWatch 10 " + path,
                                 "MaxWatchNum.Caption 0/10",
                                 "ReadProfileInt Option MaxLog 50 " + path,
                                 "MaxLogNum.Caption Max 50件",
                                 "ReadProfileInt Option Interval 5000 " + path,
                                 "WatchTmr.Interval 5000",
                                 "ReadProfileInt Option Through 0 " + path,
                                 "ShellWindows.Count",
                                 "MaxWatchNum.Caption 0/10",
                                 "WatchLst.Clear",
                                 "WatchLstTmp.Clear",
                                 "Form.Visible 0",
                             }));
  EXPECT_FALSE(view.Window().Visible());
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
  EXPECT_FALSE(std::filesystem::exists(IniPath()));  // reading never creates the file
}

TEST_F(StartupTest, SecondInstanceShowsTheMessageAndEndsWithoutTrayOrSettings) {
  shell.SetAnotherInstanceRunning(true);
  EXPECT_FALSE(watcher.Form_Load());
  EXPECT_EQ(journal.entries, (Lines{"MsgBox すでに起動しています。 | Zentab | 16", "EndProgram"}));
  EXPECT_TRUE(shell.Ended());
}

TEST_F(StartupTest, FirstScanFillsTheWatchListBeforeTheWindowIsFirstShown) {
  shell.OpenWindow("Top - Page", "http://news.example/");
  shell.OpenWindow("Work", "file:///C:/Work");
  Load();
  EXPECT_FALSE(view.Window().Visible());
  EXPECT_EQ(ListOf("WatchLst"),
            (Lines{"ID 0 : Top- Page - http://news.example/", "ID 1 : Work - file:///C:/Work"}));
  EXPECT_EQ(ListOf("PastLst"),
            (Lines{"Gr 1 : Top- Page - http://news.example/", "Gr 1 : Work - file:///C:/Work"}));
}

TEST_F(StartupTest, VersionTextsFollowTheVersionNumbers) {
  EXPECT_EQ(VersionText(2, 0), "2.0");
  EXPECT_EQ(VersionText(2, 5), "2.5");
  EXPECT_EQ(VersionText(2, 10), "2.10");
  EXPECT_EQ(WithVersion("Ver$.$ ($.$)", 2, 10), "Ver2.10 (2.10)");

  shell.SetVersion(2, 10);
  Load();
  EXPECT_EQ(view.Window().Caption(), "Zentab Ver2.10 - Watcher");
  EXPECT_EQ(view.ListBoxNamed("PastLst").ToolTipText(),
            "ダブルクリックするとその項目を復元します。");
  EXPECT_EQ(std::string(watcher.TrayIcon().szTip.data()), "Zentab Ver2.10");
}

TEST_F(StartupTest, CloseRequestOnlyHidesAndTheProgramGoesOn) {
  shell.OpenWindow("A", "http://a.example/");
  Load();
  view.Window().SetVisible(true);
  EXPECT_TRUE(watcher.QueryUnload());
  EXPECT_FALSE(view.Window().Visible());

  shell.OpenWindow("B", "http://b.example/");
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 2u);
  EXPECT_TRUE(Calls({"TrayDelete", "EndProgram"}).empty());
}

TEST_F(StartupTest, ExitFromEitherMenuRemovesTheIconAndEndsEvenWhileHidden) {
  for (const char* item : {"CmdExit", "TMCmdExit"}) {
    Journal ownJournal;
    MemoryFormView ownView(WatcherForm(), ownJournal);
    SimulatedShell ownShell(ownJournal);
    ownShell.SetExeFolder(folder.Path().string());
    Settings ownSettings;
    MemoryFormHost ownHost(ownJournal);
    Watcher ownWatcher(ownView, ownShell, ownHost, ownSettings);
    ASSERT_TRUE(ownWatcher.Form_Load());
    const std::string added = ownJournal.entries.at(3);
    ASSERT_TRUE(added.starts_with("TrayAdd ")) << added;
    ownJournal.Clear();

    ownWatcher.Click(item);
    ASSERT_EQ(ownJournal.entries.size(), 3u) << item;
    EXPECT_EQ(ownJournal.entries[0], "TrayDelete " + added.substr(8)) << item;
    EXPECT_EQ(ownJournal.entries[1], "DoEvents");
    EXPECT_EQ(ownJournal.entries[2], "EndProgram");
    EXPECT_TRUE(ownShell.Ended());

    // Nothing runs after the end.
    ownJournal.Clear();
    ownWatcher.TimerTick("WatchTmr");
    ownWatcher.MouseDown("SysTrayPic", 1, 515);
    ownWatcher.Click("CmdExit");
    EXPECT_TRUE(ownJournal.entries.empty()) << item;
  }
}

}  // namespace
}  // namespace zentab::test
