#include "fixture.h"

namespace zentab::test {
namespace {

using ScanTest = WatcherTest;

TEST_F(ScanTest, EachPositionUpToMaxWatchIsReadInOrderWithTheCounterRepainted) {
  OpenPages(3);
  Load();
  Scan();
  const Lines firstWindow(journal.entries.begin(), journal.entries.begin() + 8);
  EXPECT_EQ(firstWindow,
            (Lines{"ShellWindows.Count", "ShellWindows.Item 0", "MaxWatchNum.Caption 0/10",
                   "MaxWatchNum.Refresh", "LocationName 0", "LocationURL 0",
                   "WatchLstTmp.AddItem ID 0 : Page 0 - http://site.example/0",
                   "PastLst.AddItem Gr 2 : Page 0 - http://site.example/0"}));
  EXPECT_EQ(view.LabelNamed("MaxWatchNum").Repaints(),
            (Lines{"0/10", "1/10", "2/10", "3/10", "0/10", "1/10", "2/10", "3/10"}));

  // With no position to examine the watch list empties, but not the past log.
  settings.MaxWatch = 0;
  journal.Clear();
  Scan();
  EXPECT_TRUE(Calls({"ShellWindows.Item"}).empty());
  EXPECT_TRUE(ListOf("WatchLst").empty());
  EXPECT_EQ(ListOf("PastLst").size(), 6u);
}

TEST_F(ScanTest, AShortScanRebuildsTheListOnlyWhenItsNumberOfLinesChanges) {
  OpenPages(3);
  Load();
  const Lines loaded = ListOf("WatchLst");
  shell.SetWindow(1, "Changed", "http://other.example/");
  shell.SetWindow(2, "Last", "http://last.example/");
  Scan();
  EXPECT_EQ(ListOf("WatchLst"), loaded);

  shell.OpenWindow("New", "http://new.example/");
  Scan();
  EXPECT_EQ(
      ListOf("WatchLst"),
      (Lines{"ID 0 : Page 0 - http://site.example/0", "ID 1 : Changed - http://other.example/",
             "ID 2 : Last - http://last.example/", "ID 3 : New - http://new.example/"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "4/10");
}

TEST_F(ScanTest, FullScanExaminesMaxWatchPositionsAndComparesOnlyTheLastLine) {
  OpenPages(12);
  Load();
  EXPECT_EQ(Caption("MaxWatchNum"), "9/10");
  ASSERT_EQ(ListOf("WatchLst").size(), 10u);
  EXPECT_EQ(ListOf("WatchLst").back(), "ID 9 : Page 9 - http://site.example/9");

  // One line fewer, the same last line: kept.
  shell.SetWindow(3, "", "http://site.example/3");
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 10u);

  shell.SetWindow(3, "Changed", "http://other.example/");
  Scan();
  EXPECT_EQ(Calls({"ShellWindows.Item"}).back(), "ShellWindows.Item 9");
  EXPECT_EQ(ListOf("WatchLst")[3], "ID 3 : Page 3 - http://site.example/3");

  shell.SetWindow(9, "Last", "http://last.example/");
  Scan();
  EXPECT_EQ(ListOf("WatchLst")[3], "ID 3 : Changed - http://other.example/");
  EXPECT_EQ(ListOf("WatchLst")[9], "ID 9 : Last - http://last.example/");
}

TEST_F(ScanTest, TheWatchListShowsAtMostTheFirstHundredLines) {
  WriteIni("[Option]\nMaxWatch=150\nMaxLog=0\n");
  OpenPages(120);
  Load();
  const Lines lines = ListOf("WatchLst");
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_EQ(lines.back(), "ID 99 : Page 99 - http://site.example/99");
  EXPECT_EQ(Caption("MaxWatchNum"), "120/150");
}

TEST_F(ScanTest, ALoadingPageCostsAPauseAndAWindowWithoutTitleOrAddressGivesNoLine) {
  shell.OpenWindow("http://slow.example/", "http://slow.example/");
  shell.OpenWindow("", "http://untitled.example/");
  shell.OpenWindow("Blank", "");
  shell.OpenWindow("Kept", "http://kept.example/");
  Load();
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 0 : http://slow.example/ - http://slow.example/",
                                       "ID 3 : Kept - http://kept.example/"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "4/10");
  Scan();
  EXPECT_EQ(Calls({"LocationURL", "Sleep"}), (Lines{"LocationURL 0", "Sleep 500", "LocationURL 1",
                                                    "LocationURL 2", "LocationURL 3"}));
}

TEST_F(ScanTest, AFailedScanKeepsTheWatchListDropsItsPartialLinesAndLetsTheNextRun) {
  OpenPages(3);
  Load();
  const Lines before = ListOf("WatchLst");
  shell.SetWindow(0, "Renamed", "http://renamed.example/");
  shell.Fail(SimulatedShell::Op::LocationName, 1);
  Scan();
  shell.Fail(SimulatedShell::Op::Count, 0);
  Scan();
  // Failures other than the shell's go on to the message loop.
  journal.observer = [](const std::string& entry) {
    if (entry == "LocationName 1") throw std::bad_alloc();
  };
  EXPECT_THROW(Scan(), std::bad_alloc);
  journal.observer = nullptr;
  EXPECT_EQ(ListOf("WatchLst"), before);
  EXPECT_TRUE(ListOf("WatchLstTmp").empty());

  // The next short scan sees three lines again, not four: nothing is listed twice.
  shell.OpenWindow("Fourth", "http://fourth.example/");
  Scan();
  EXPECT_EQ(
      ListOf("WatchLst"),
      (Lines{"ID 0 : Renamed - http://renamed.example/", "ID 1 : Page 1 - http://site.example/1",
             "ID 2 : Page 2 - http://site.example/2", "ID 3 : Fourth - http://fourth.example/"}));
}

TEST_F(ScanTest, ATickThatFallsDueDuringAScanIsDropped) {
  OpenPages(2);
  Load();
  bool ticked = false;
  journal.observer = [&](const std::string& entry) {
    if (entry == "LocationName 0" && !ticked) {
      ticked = true;
      Scan();
    }
  };
  Scan();
  journal.observer = nullptr;
  EXPECT_TRUE(ticked);
  EXPECT_EQ(Calls({"ShellWindows.Count"}).size(), 1u);
  EXPECT_EQ(ListOf("WatchLst").size(), 2u);
}

TEST_F(ScanTest, TheCheckModeChoosesWindowsByAFileSchemeAnywhereInTheAddress) {
  shell.OpenWindow("Docs", "file:///C:/Docs");
  shell.OpenWindow("Search", "http://search.example/?q=file://x");
  shell.OpenWindow("News", "http://news.example/");
  shell.OpenWindow("Photos", "file:///D:/Photos");
  Load();
  const struct {
    std::int16_t mode;
    Lines listed;
    Lines firstReads;  // of the window at position 0
    const char* counter;
  } cases[] = {
      {0, {"ID 2 : News - http://news.example/"}, {"LocationURL 0"}, "4/10"},
      {1,
       {"ID 0 : Docs - file:///C:/Docs", "ID 1 : Search - http://search.example/?q=file://x",
        "ID 3 : Photos - file:///D:/Photos"},
       {"LocationURL 0", "LocationName 0", "LocationURL 0"},
       "4/10"},
      // Both: every window, without reading its address first.
      {2,
       {"ID 0 : Docs - file:///C:/Docs", "ID 1 : Search - http://search.example/?q=file://x",
        "ID 2 : News - http://news.example/", "ID 3 : Photos - file:///D:/Photos"},
       {"LocationName 0", "LocationURL 0"},
       "4/10"},
      // An unknown mode reads nothing, so no empty position ends the scan early.
      {3, {}, {}, "9/10"},
  };
  for (const auto& c : cases) {
    settings.ChkMode = c.mode;
    journal.Clear();
    Scan();
    EXPECT_EQ(ListOf("WatchLst"), c.listed) << "ChkMode " << c.mode;
    EXPECT_EQ(Calls({"LocationURL 0", "LocationName 0"}), c.firstReads) << "ChkMode " << c.mode;
    EXPECT_EQ(Caption("MaxWatchNum"), c.counter) << "ChkMode " << c.mode;
  }
}

}  // namespace
}  // namespace zentab::test
