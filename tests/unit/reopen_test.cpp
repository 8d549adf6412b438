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

TEST_F(ReopenTest, ReopenAllOpensEveryWatchedPageTopToBottomInItsOwnWindow) {
  watcher.Click("TMAllZentab");
  EXPECT_EQ(journal.entries,
            (Lines{"NewBrowserWindow file:///C:/Work", "NewBrowserWindow http://news.example/a - b",
                   "NewBrowserWindow http://mail.example/"}));
  EXPECT_EQ(ListOf("WatchLst").size(), 3u);
}

TEST_F(ReopenTest, ReopenAllStopsAtThePageThatFails) {
  shell.Fail(SimulatedShell::Op::NewBrowserWindow, 1);
  watcher.Click("TMAllZentab");
  EXPECT_EQ(journal.entries, (Lines{"NewBrowserWindow file:///C:/Work",
                                    "NewBrowserWindow http://news.example/a - b FAILED"}));
}

TEST_F(ReopenTest, ReopenAllOnAnEmptyWatchListDoesNothing) {
  shell.CloseWindow(2);
  shell.CloseWindow(1);
  shell.CloseWindow(0);
  Scan();
  journal.Clear();
  watcher.Click("TMAllZentab");
  EXPECT_TRUE(journal.entries.empty());
}

TEST_F(ReopenTest, ADoubleClickedLineOpensItsAddressEachTimeAndStays) {
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

TEST_F(ReopenTest, ADoubleClickWithNoLineSelectedOpensNothing) {
  watcher.DblClick("WatchLst");
  watcher.DblClick("PastLst");
  EXPECT_TRUE(journal.entries.empty());
}

TEST_F(ReopenTest, ATrayDoubleClickReopensAllAndLeavesTheWindowHidden) {
  watcher.MouseDown("SysTrayPic", 1, 515);
  EXPECT_EQ(Calls({"NewBrowserWindow"}).size(), 3u);
  EXPECT_FALSE(view.Window().Visible());
}

}  // namespace
}  // namespace zentab::test
