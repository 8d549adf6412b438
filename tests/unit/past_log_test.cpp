#include "fixture.h"

namespace zentab::test {
namespace {

using PastLogTest = WatcherTest;

TEST_F(PastLogTest, EachScanIsANewGroupSharedByAllItsLines) {
  OpenPages(2);
  Load();
  Scan();
  EXPECT_EQ(
      ListOf("PastLst"),
      (Lines{"Gr 1 : Page 0 - http://site.example/0", "Gr 1 : Page 1 - http://site.example/1",
             "Gr 2 : Page 0 - http://site.example/0", "Gr 2 : Page 1 - http://site.example/1"}));
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
    ASSERT_LE(ListOf("PastLst").size(), 50u);
  }
  const Lines lines = ListOf("PastLst");
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(lines.front(), "Gr 1 : Page 1 - http://site.example/1");
  EXPECT_EQ(lines.back(), "Gr 17 : Page 2 - http://site.example/2");
}

TEST_F(PastLogTest, AMaxLogOfZeroOrBelowKeepsNothingWhileTheGroupsCountOn) {
  OpenPages(2);
  Load();
  for (const int maxLog : {0, -3}) {
    settings.MaxLog = static_cast<std::int16_t>(maxLog);
    Scan();
    EXPECT_TRUE(ListOf("PastLst").empty()) << maxLog;
    EXPECT_EQ(ListOf("WatchLst").size(), 2u) << maxLog;
  }
  settings.MaxLog = 5;
  Scan();
  EXPECT_EQ(ListOf("PastLst"), (Lines{"Gr 4 : Page 0 - http://site.example/0",
                                      "Gr 4 : Page 1 - http://site.example/1"}));
}

TEST_F(PastLogTest, PausingStopsTheLogButNotTheWatchListAndResumingOpensANewGroup) {
  OpenPages(2);
  Load();
  PauseBox().UserSets(1);
  shell.OpenWindow("Page 2", "http://site.example/2");
  Scan();
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 3u);
  EXPECT_EQ(ListOf("PastLst").size(), 2u);

  PauseBox().UserSets(0);
  Scan();
  EXPECT_EQ(ListOf("PastLst").back(), "Gr 2 : Page 2 - http://site.example/2");
  EXPECT_EQ(ListOf("PastLst").size(), 5u);
}

TEST_F(PastLogTest, EveryLoggedLineIsBroughtIntoViewAndTheSelectionIsLost) {
  OpenPages(1);
  Load();
  MemoryListBox& pastLst = view.ListBoxNamed("PastLst");
  pastLst.UserSelects(0);
  Scan();
  EXPECT_EQ(pastLst.ListIndex(), -1);
  EXPECT_EQ(pastLst.Selections(), (std::vector<int>{0, -1, 1, -1}));
}

}  // namespace
}  // namespace zentab::test
