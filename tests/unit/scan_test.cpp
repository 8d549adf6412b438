#include "fixture.h"

namespace zentab::test {
namespace {

class ScanTest : public WatcherTest {
 protected:
  void OpenPages(int n) {
    for (int i = 0; i < n; ++i) {
      shell.OpenWindow("Page " + std::to_string(i), "http://site.example/" + std::to_string(i));
    }
  }
  Lines CounterRepaints() { return view.LabelNamed("MaxWatchNum").Repaints(); }
};

TEST_F(ScanTest, NoWindowsShowsZeroAndEmptiesTheWatchListButNotThePastLog) {
  OpenPages(2);
  Load();
  ASSERT_EQ(ListOf("WatchLst").size(), 2u);
  shell.CloseWindow(1);
  shell.CloseWindow(0);
  Scan();
  EXPECT_EQ(Caption("MaxWatchNum"), "0/10");
  EXPECT_TRUE(ListOf("WatchLst").empty());
  EXPECT_TRUE(ListOf("WatchLstTmp").empty());
  EXPECT_EQ(ListOf("PastLst").size(), 2u);
}

TEST_F(ScanTest, EachPositionIsReadInOrderWithTheCounterRepainted) {
  OpenPages(3);
  Load();
  Scan();
  const Lines firstWindow(journal.entries.begin(), journal.entries.begin() + 8);
  EXPECT_EQ(firstWindow, (Lines{
                             "ShellWindows.Count",
                             "ShellWindows.Item 0",
                             "MaxWatchNum.Caption 0/10",
                             "MaxWatchNum.Refresh",
                             "LocationName 0",
                             "LocationURL 0",
                             "WatchLstTmp.AddItem ID 0 : Page 0 - http://site.example/0",
                             "PastLst.AddItem Gr 2 : Page 0 - http://site.example/0",
                         }));
  EXPECT_EQ(CounterRepaints(),
            (Lines{"0/10", "1/10", "2/10", "3/10", "0/10", "1/10", "2/10", "3/10"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "3/10");
  EXPECT_TRUE(ListOf("WatchLstTmp").empty());
}

TEST_F(ScanTest, ShortScanRebuildsOnlyWhenTheNumberOfLinesChanges) {
  OpenPages(3);
  Load();
  shell.SetWindow(1, "Changed", "http://other.example/");
  shell.SetWindow(2, "Last", "http://last.example/");
  Scan();
  EXPECT_EQ(ListOf("WatchLst"),
            (Lines{"ID 0 : Page 0 - http://site.example/0", "ID 1 : Page 1 - http://site.example/1",
                   "ID 2 : Page 2 - http://site.example/2"}));

  shell.OpenWindow("New", "http://new.example/");
  Scan();
  EXPECT_EQ(
      ListOf("WatchLst"),
      (Lines{"ID 0 : Page 0 - http://site.example/0", "ID 1 : Changed - http://other.example/",
             "ID 2 : Last - http://last.example/", "ID 3 : New - http://new.example/"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "4/10");
}

TEST_F(ScanTest, ClosingOneWindowOfSeveralShrinksTheWatchList) {
  OpenPages(3);
  Load();
  shell.CloseWindow(1);
  Scan();
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 0 : Page 0 - http://site.example/0",
                                       "ID 1 : Page 2 - http://site.example/2"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "2/10");
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

TEST_F(ScanTest, MaxWatchZeroExaminesNothingAndEmptiesTheWatchList) {
  OpenPages(2);
  Load();
  settings.MaxWatch = 0;
  view.LabelNamed("MaxWatchNum").SetCaption("0/0");
  Scan();
  EXPECT_TRUE(Calls({"ShellWindows.Item"}).empty());
  EXPECT_EQ(Caption("MaxWatchNum"), "0/0");
  EXPECT_TRUE(ListOf("WatchLst").empty());
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

TEST_F(ScanTest, TitlesLoseTheirSeparatorAndAddressesStayAsTheyAre) {
  shell.OpenWindow("Report - Summary - 2026", "file:///C:/Work - Old");
  Load();
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 0 : Report- Summary- 2026 - file:///C:/Work - Old"}));
  EXPECT_EQ(ListOf("PastLst"), (Lines{"Gr 1 : Report- Summary- 2026 - file:///C:/Work - Old"}));
}

TEST_F(ScanTest, ATitleEqualToItsAddressCostsAPause) {
  shell.OpenWindow("http://slow.example/", "http://slow.example/");
  shell.OpenWindow("Fast", "http://fast.example/");
  Load();
  Scan();
  EXPECT_EQ(Calls({"LocationURL", "Sleep"}),
            (Lines{"LocationURL 0", "Sleep 500", "LocationURL 1"}));
  EXPECT_EQ(ListOf("WatchLst")[0], "ID 0 : http://slow.example/ - http://slow.example/");
}

TEST_F(ScanTest, AWindowWithoutTitleOrAddressGivesNoLineButIsCounted) {
  shell.OpenWindow("", "http://untitled.example/");
  shell.OpenWindow("Blank", "");
  shell.OpenWindow("Kept", "http://kept.example/");
  Load();
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 2 : Kept - http://kept.example/"}));
  EXPECT_EQ(ListOf("PastLst"), (Lines{"Gr 0 : Kept - http://kept.example/"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "3/10");
}

TEST_F(ScanTest, AFailedScanKeepsTheWatchListAndItsPartialLinesAreDropped) {
  OpenPages(3);
  Load();
  const Lines before = ListOf("WatchLst");
  shell.SetWindow(0, "Renamed", "http://renamed.example/");
  shell.Fail(SimulatedShell::Op::LocationName, 1);
  Scan();
  EXPECT_EQ(ListOf("WatchLst"), before);
  EXPECT_TRUE(ListOf("WatchLstTmp").empty());

  // The next short scan sees three lines again, not four: nothing is listed twice.
  shell.OpenWindow("Fourth", "http://fourth.example/");
  Scan();
  EXPECT_EQ(
      ListOf("WatchLst"),
      (Lines{"ID 0 : Renamed - http://renamed.example/", "ID 1 : Page 1 - http://site.example/1",
             "ID 2 : Page 2 - http://site.example/2", "ID 3 : Fourth - http://fourth.example/"}));

  shell.Fail(SimulatedShell::Op::Count, 0);
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 4u);
}

TEST_F(ScanTest, AWindowClosedWhileItIsReadIsAFailureNotTheEndOfTheList) {
  OpenPages(3);
  Load();
  const Lines before = ListOf("WatchLst");
  journal.observer = [this](const std::string& entry) {
    if (entry == "MaxWatchNum.Caption 1/10") shell.CloseWindow(1);
  };
  Scan();
  journal.observer = nullptr;
  EXPECT_EQ(ListOf("WatchLst"), before);
  EXPECT_TRUE(ListOf("WatchLstTmp").empty());
}

TEST_F(ScanTest, AnUnexpectedFailureLeavesTheNextScanFreeToRun) {
  OpenPages(2);
  Load();
  journal.observer = [](const std::string& entry) {
    if (entry == "LocationName 1") throw std::bad_alloc();
  };
  EXPECT_THROW(Scan(), std::bad_alloc);
  journal.observer = nullptr;
  EXPECT_TRUE(ListOf("WatchLstTmp").empty());

  shell.OpenWindow("Third", "http://third.example/");
  Scan();
  EXPECT_EQ(ListOf("WatchLst").size(), 3u);
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

class CheckModeTest : public ScanTest {
 protected:
  void OpenMixed() {
    shell.OpenWindow("Docs", "file:///C:/Docs");
    shell.OpenWindow("Search", "http://search.example/?q=file://x");
    shell.OpenWindow("News", "http://news.example/");
    shell.OpenWindow("Photos", "file:///D:/Photos");
  }
};

TEST_F(CheckModeTest, BrowserOnlySkipsEveryAddressWithFileSchemeAnywhere) {
  WriteIni("[Option]\nChkMode=0\n");
  OpenMixed();
  Load();
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 2 : News - http://news.example/"}));
  EXPECT_EQ(Caption("MaxWatchNum"), "4/10");
}

TEST_F(CheckModeTest, FolderOnlyListsFileAddresses) {
  WriteIni("[Option]\nChkMode=1\n");
  OpenMixed();
  Load();
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 0 : Docs - file:///C:/Docs",
                                       "ID 1 : Search - http://search.example/?q=file://x",
                                       "ID 3 : Photos - file:///D:/Photos"}));
}

TEST_F(CheckModeTest, BothListsEveryWindowWithoutReadingTheAddressFirst) {
  OpenMixed();
  Load();
  EXPECT_EQ(ListOf("WatchLst").size(), 4u);
  Scan();
  EXPECT_EQ(Calls({"LocationURL 0", "LocationName 0"}), (Lines{"LocationName 0", "LocationURL 0"}));
}

TEST_F(CheckModeTest, AnUnknownModeListsNothingAndNeverReadsSoTheScanRunsFull) {
  WriteIni("[Option]\nChkMode=3\nMaxWatch=6\n");
  OpenMixed();
  Load();
  EXPECT_TRUE(ListOf("WatchLst").empty());
  EXPECT_EQ(Caption("MaxWatchNum"), "5/6");
  Scan();
  EXPECT_EQ(Calls({"ShellWindows.Item"}).size(), 6u);
  EXPECT_TRUE(Calls({"Location"}).empty());
}

}  // namespace
}  // namespace zentab::test
