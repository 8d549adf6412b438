#include "fixture.h"

namespace zentab::test {
namespace {

class ReopenTest : public WatcherTest {
 protected:
  void SetUp() override {
    shell.OpenWindow("Report - Summary", "file:///C:/Work");
    shell.OpenWindow("News", "http://news.example/a - b");
    shell.OpenWindow("Mail", "http://mail.example/");
    Load();
  }
};

TEST_F(ReopenTest, TheMenuItemAndATrayDoubleClickOpenEveryWatchedPageTopToBottom) {
  for (const bool fromTray : {false, true}) {
    journal.Clear();
    fromTray ? watcher.MouseDown("SysTrayPic", 1, 515) : watcher.Click("TMAllZentab");
    EXPECT_EQ(journal.entries, (Lines{"NewBrowserWindow file:///C:/Work",
                                      "NewBrowserWindow http://news.example/a - b",
                                      "NewBrowserWindow http://mail.example/"}))
        << fromTray;
  }
}

TEST_F(ReopenTest, ReopenAllStopsAtThePageThatFails) {
  shell.Fail(SimulatedShell::Op::NewBrowserWindow, 1);
  watcher.Click("TMAllZentab");
  EXPECT_EQ(journal.entries, (Lines{"NewBrowserWindow file:///C:/Work",
                                    "NewBrowserWindow http://news.example/a - b FAILED"}));
}

TEST_F(ReopenTest, ADoubleClickedLineOpensItsAddressEachTimeAndNothingWithoutASelection) {
  watcher.DblClick("WatchLst");
  watcher.DblClick("PastLst");
  EXPECT_TRUE(journal.entries.empty());

  view.ListBoxNamed("PastLst").UserSelects(2);
  watcher.DblClick("PastLst");
  watcher.DblClick("PastLst");
  view.ListBoxNamed("WatchLst").UserSelects(0);
  watcher.DblClick("WatchLst");
  EXPECT_EQ(journal.entries,
            (Lines{"NewBrowserWindow http://mail.example/", "NewBrowserWindow http://mail.example/",
                   "NewBrowserWindow file:///C:/Work"}));
  EXPECT_EQ(ListOf("PastLst").size(), 3u);
}

}  // namespace
}  // namespace zentab::test
