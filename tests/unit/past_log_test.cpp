#include "fixture.h"

namespace zentab::test {
namespace {

class PastLogTest : public WatcherTest {
 protected:
  void OpenPages(int n) {
    for (int i = 0; i < n; ++i) {
      shell.OpenWindow("P" + std::to_string(i), "http://p.example/" + std::to_string(i));
    }
  }
  MemoryListBox& PastLst() { return view.ListBoxNamed("PastLst"); }
};

TEST_F(PastLogTest, EachScanIsANewGroupSharedByAllItsLines) {
  OpenPages(2);
  Load();
  Scan();
  EXPECT_EQ(ListOf("PastLst"),
            (Lines{"Gr 1 : P0 - http://p.example/0", "Gr 1 : P1 - http://p.example/1",
                   "Gr 2 : P0 - http://p.example/0", "Gr 2 : P1 - http://p.example/1"}));
}

TEST_F(PastLogTest, AFirstLoggedPositionAboveZeroIsGroupZeroAndASingleWindowCountsUp) {
  WriteIni("[Option]\nChkMode=0\n");
  shell.OpenWindow("Docs", "file:///C:/Docs");
  shell.OpenWindow("Work", "file:///C:/Work");
  shell.OpenWindow("News", "http://news.example/");
  Load();
  Scan();
  Scan();
  EXPECT_EQ(ListOf("PastLst"),
            (Lines{"Gr 0 : News - http://news.example/", "Gr 1 : News - http://news.example/",
                   "Gr 2 : News - http://news.example/"}));
}

TEST_F(PastLogTest, TheLogKeepsTheNewestMaxLogLines) {
  OpenPages(3);
  Load();
  for (int scan = 2; scan <= 17; ++scan) {
    Scan();
    ASSERT_LE(PastLst().ListCount(), 50);
  }
  const Lines lines = ListOf("PastLst");
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(lines.front(), "Gr 1 : P1 - http://p.example/1");
  EXPECT_EQ(lines.back(), "Gr 17 : P2 - http://p.example/2");
}

TEST_F(PastLogTest, MaxLogZeroKeepsNothingWhileTheGroupsCountOn) {
  WriteIni("[Option]\nMaxLog=0\n");
  OpenPages(1);
  Load();
  Scan();
  EXPECT_TRUE(ListOf("PastLst").empty());
  settings.MaxLog = 5;
  Scan();
  EXPECT_EQ(ListOf("PastLst"), (Lines{"Gr 3 : P0 - http://p.example/0"}));
}

TEST_F(PastLogTest, ANegativeMaxLogKeepsNoLinesAndEndsTheScan) {
  WriteIni("[Option]\nMaxLog=-3\n");
  OpenPages(2);
  Load();
  EXPECT_EQ(Caption("MaxLogNum"), "Max -3件");
  Scan();
  EXPECT_TRUE(ListOf("PastLst").empty());
  EXPECT_EQ(ListOf("WatchLst").size(), 2u);
}

TEST_F(PastLogTest, PausingStopsTheLogButNotTheWatchListAndResumingOpensANewGroup) {
  OpenPages(2);
  Load();
  view.CheckBoxNamed("IsPastLogMake").UserSets(1);
  shell.OpenWindow("P2", "http://p.example/2");
  Scan();
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 3u);
  EXPECT_EQ(ListOf("PastLst").size(), 2u);

  view.CheckBoxNamed("IsPastLogMake").UserSets(0);
  Scan();
  EXPECT_EQ(ListOf("PastLst").back(), "Gr 2 : P2 - http://p.example/2");
  EXPECT_EQ(ListOf("PastLst").size(), 5u);
}

TEST_F(PastLogTest, ADisabledLogShowsItsOneLineAndNeverLogs) {
  WriteIni("[Option]\nDisabledPastLog=7\n");
  OpenPages(2);
  Load();
  Scan();
  EXPECT_EQ(ListOf("PastLst"), (Lines{"過去ログ機能は無効にされています。"}));
  EXPECT_FALSE(PastLst().Enabled());
  EXPECT_EQ(view.CheckBoxNamed("IsPastLogMake").Value(), 1);
  EXPECT_FALSE(view.CheckBoxNamed("IsPastLogMake").Visible());
  EXPECT_EQ(settings.DisabledPastLog, 7);
}

TEST_F(PastLogTest, EveryLoggedLineIsBroughtIntoViewAndTheSelectionIsLost) {
  OpenPages(1);
  Load();
  PastLst().UserSelects(0);
  Scan();
  EXPECT_EQ(PastLst().ListIndex(), -1);
  EXPECT_EQ(PastLst().Selections(), (std::vector<int>{0, -1, 1, -1}));
}

}  // namespace
}  // namespace zentab::test
