// The scan of the shell's windows: the watch list, the counter, the past log and redirects.
#include "fixture.h"
#include "watch/redirects.h"

namespace zentab::test {
namespace {

using namespace main_window;
using ScanTest = MainWindowTest;

TEST_F(ScanTest, PositionsAreReadInOrderTheCounterRepaintedAndNoWindowEmptiesTheWatchList) {
  OpenPages(3);
  Load();
  const Lines loaded = LinesOf(WatchLst);
  shell.SetWindow(2, "Last", "http://last.example/");
  Scan();
  EXPECT_EQ(Lines(journal.entries.begin(), journal.entries.begin() + 8),
            (Lines{"ShellWindows.Count", "ShellWindows.Item 0", "MaxWatchNum.Caption 0/10",
                   "MaxWatchNum.Refresh 0/10", "LocationName 0", "LocationURL 0",
                   "WatchLstTmp.AddItem ID 0 : Page 0 - http://site.example/0",
                   "PastLst.AddItem Gr 2 : Page 0 - http://site.example/0"}));
  EXPECT_EQ(Calls({"MaxWatchNum.Refresh"}).size(), 4u);
  EXPECT_EQ(Caption(MaxWatchNum), "3/10");
  // A short scan rebuilds the list only when its number of lines changes; the work of a scan
  // grows with the windows: a line to each list per window, the past log's kept in view.
  EXPECT_EQ(LinesOf(WatchLst), loaded);
  EXPECT_EQ(Calls({"WatchLst.", "WatchLstTmp.", "PastLst."}).size(), 3u + 3 * 3u + 1);
  shell.OpenWindow("New", "http://new.example/");
  Scan();
  EXPECT_EQ(LinesOf(WatchLst)[2], "ID 2 : Last - http://last.example/");
  for (int i = 3; i >= 1; --i) shell.CloseWindow(i);
  Scan();
  EXPECT_EQ(LinesOf(WatchLst), (Lines{"ID 0 : Page 0 - http://site.example/0"}));
  shell.CloseWindow(0);
  journal.entries.clear();
  Scan();
  EXPECT_TRUE(LinesOf(WatchLst).empty());
  EXPECT_EQ(LinesOf(PastLst).size(), 11u);
  EXPECT_EQ(Caption(MaxWatchNum), "0/10");
  EXPECT_TRUE(Calls({"ShellWindows.Item"}).empty());
}

TEST_F(ScanTest, AFullScanExaminesMaxWatchPositionsAndComparesOnlyTheLastLine) {
  OpenPages(12);
  Load();
  EXPECT_EQ(Caption(MaxWatchNum), "9/10");
  ASSERT_EQ(LinesOf(WatchLst).size(), 10u);
  // One line fewer, the same last line: kept.
  shell.SetWindow(3, "", "http://site.example/3");
  Scan();
  EXPECT_EQ(LinesOf(WatchLst).size(), 10u);
  EXPECT_EQ(Calls({"ShellWindows.Item"}).back(), "ShellWindows.Item 9");
  shell.SetWindow(9, "Last", "http://last.example/");
  Scan();
  EXPECT_EQ(LinesOf(WatchLst).size(), 9u);
  EXPECT_EQ(LinesOf(WatchLst).back(), "ID 9 : Last - http://last.example/");
}

TEST_F(ScanTest, TitlesLoseTheirSeparatorsALoadingPageGetsAPauseAndEmptyOnesNoLine) {
  shell.OpenWindow("http://slow.example/", "http://slow.example/");
  shell.OpenWindow("", "http://untitled.example/");
  shell.OpenWindow("Blank", "");
  shell.OpenWindow("News - Top", "http://news.example/");
  Load();
  EXPECT_EQ(LinesOf(WatchLst), (Lines{"ID 0 : http://slow.example/ - http://slow.example/",
                                      "ID 3 : News- Top - http://news.example/"}));
  EXPECT_EQ(LinesOf(PastLst).back(), "Gr 1 : News- Top - http://news.example/");
  Scan();
  EXPECT_EQ(Calls({"LocationURL", "Sleep"}), (Lines{"LocationURL 0", "Sleep 500", "LocationURL 1",
                                                    "LocationURL 2", "LocationURL 3"}));
}

TEST_F(ScanTest, AFailedScanKeepsTheWatchListDropsItsPartialLinesAndLetsTheNextRun) {
  OpenPages(3);
  Load();
  const Lines before = LinesOf(WatchLst);
  shell.SetWindow(0, "Renamed", "http://renamed.example/");
  shell.Fail(FakeShell::Op::LocationName, 1);
  Scan();
  shell.Fail(FakeShell::Op::Count);
  Scan();
  // Failures other than the shell's go on to the message loop; a tick due meanwhile is dropped.
  int scans = 0;
  journal.observer = [&](const std::string& entry) {
    scans += entry == "ShellWindows.Count";
    if (entry != "LocationName 1") return;
    Scan();
    throw std::bad_alloc();
  };
  EXPECT_THROW(Scan(), std::bad_alloc);
  journal.observer = nullptr;
  EXPECT_EQ(scans, 1);
  EXPECT_EQ(LinesOf(WatchLst), before);
  // The next short scan sees three lines again, not four: nothing is listed twice.
  shell.OpenWindow("Fourth", "http://fourth.example/");
  Scan();
  EXPECT_EQ(LinesOf(WatchLst).front(), "ID 0 : Renamed - http://renamed.example/");
  EXPECT_EQ(LinesOf(WatchLst).size(), 4u);
}

TEST_F(ScanTest, TheCheckModeChoosesWindowsByAFileSchemeAnywhereInTheAddress) {
  shell.OpenWindow("Docs", "file:///C:/Docs");
  shell.OpenWindow("Search", "http://search.example/?q=file://x");
  shell.OpenWindow("News", "http://news.example/");
  Load();
  const struct {
    std::int16_t mode;
    Lines listed;
    Lines firstReads;  // of the window at position 0
  } cases[] = {
      {0, {"ID 2 : News - http://news.example/"}, {"LocationURL 0"}},
      {1,
       {"ID 0 : Docs - file:///C:/Docs", "ID 1 : Search - http://search.example/?q=file://x"},
       {"LocationURL 0", "LocationName 0", "LocationURL 0"}},
      // Both: every window, without reading its address first.
      {2,
       {"ID 0 : Docs - file:///C:/Docs", "ID 1 : Search - http://search.example/?q=file://x",
        "ID 2 : News - http://news.example/"},
       {"LocationName 0", "LocationURL 0"}},
      // An unknown mode reads nothing.
      {3, {}, {}},
  };
  for (const auto& c : cases) {
    settings.ChkMode = c.mode;
    journal.entries.clear();
    Scan();
    EXPECT_EQ(LinesOf(WatchLst), c.listed) << c.mode;
    EXPECT_EQ(Calls({"LocationURL 0", "LocationName 0"}), c.firstReads) << c.mode;
  }
}

// Loads over one plain window, which then turns into `address`.
class RedirectTest : public MainWindowTest {
 protected:
  void LoadThenGoTo(int through, const std::string& address) {
    Ini()["Through"] = std::to_string(through);
    shell.OpenWindow("Jump", "http://plain.example/");
    Load();
    shell.SetWindow(0, "Jump", address);
  }
};

// A window sent on in a full scan leaves the flag set until a short scan rebuilds the list.
TEST_F(RedirectTest, ARedirectPageIsSentOnPausedAndTheListRebuiltThoughItsCountIsUnchanged) {
  LoadThenGoTo(7, "http://" + std::string(kRedirectAHost) + "/dest.example/");
  Scan();
  EXPECT_EQ(
      Calls({"LocationURL", "Navigate2", "Sleep", "WatchLst."}),
      (Lines{"LocationURL 0", "Navigate2 0 http://dest.example/", "Sleep 500", "LocationURL 0",
             "WatchLst.Clear", "WatchLst.AddItem ID 0 : Jump - http://dest.example/"}));
  EXPECT_EQ(main.RedirectNavigated(), 0);
  shell.SetWindow(0, "Jump",
                  "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=http://d/");
  settings.MaxWatch = 1;
  Scan();
  EXPECT_EQ(main.RedirectNavigated(), -1);
  settings.MaxWatch = 2;
  Scan();
  EXPECT_EQ(main.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, WithoutAWebTargetOrOutsideOneToSevenNothingIsSentOn) {
  LoadThenGoTo(4, "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=javascript:x");
  Scan();
  EXPECT_TRUE(Calls({"Navigate2"}).empty());
  // 9 holds service B's bit, yet lies outside 1 to 7; 0 reads no address for redirects.
  shell.SetWindow(0, "Jump", "http://" + std::string(kRedirectBHost) + "/dest.example/");
  for (const int through : {0, 9}) {
    settings.Through = static_cast<std::int16_t>(through);
    journal.entries.clear();
    Scan();
    EXPECT_EQ(Calls({"Location", "Navigate2"}), (Lines{"LocationName 0", "LocationURL 0"}))
        << through;
  }
}

using PastLogTest = MainWindowTest;

// A MaxLog of zero or below keeps nothing while the groups count on.
TEST_F(PastLogTest, EachScanIsAGroupAndTheLogKeepsTheNewestMaxLogLines) {
  OpenPages(3);
  Load();
  EXPECT_EQ(LinesOf(PastLst).front(), "Gr 1 : Page 0 - http://site.example/0");
  for (int scan = 2; scan <= 17; ++scan) Scan();
  ASSERT_EQ(LinesOf(PastLst).size(), 50u);
  EXPECT_EQ(LinesOf(PastLst).front(), "Gr 1 : Page 1 - http://site.example/1");
  EXPECT_EQ(LinesOf(PastLst).back(), "Gr 17 : Page 2 - http://site.example/2");
  for (const int maxLog : {0, -3, 4}) {
    settings.MaxLog = static_cast<std::int16_t>(maxLog);
    Scan();
  }
  EXPECT_EQ(LinesOf(PastLst), (Lines{"Gr 20 : Page 0 - http://site.example/0",
                                     "Gr 20 : Page 1 - http://site.example/1",
                                     "Gr 20 : Page 2 - http://site.example/2"}));
}

TEST_F(PastLogTest, AFirstLoggedPositionAboveZeroIsGroupZeroAndASingleWindowCountsUp) {
  Ini()["ChkMode"] = "0";
  shell.OpenWindow("Docs", "file:///C:/Docs");
  shell.OpenWindow("Work", "file:///C:/Work");
  shell.OpenWindow("News", "http://news.example/");
  Load();
  Scan();
  EXPECT_EQ(LinesOf(PastLst),
            (Lines{"Gr 0 : News - http://news.example/", "Gr 1 : News - http://news.example/"}));
}

TEST_F(PastLogTest, PausingStopsTheLogButNotTheWatchListAndEveryLineIsBroughtIntoView) {
  OpenPages(2);
  Load();
  PauseBox().UserSets(1);
  shell.OpenWindow("Page 2", "http://site.example/2");
  Scan();
  EXPECT_EQ(LinesOf(WatchLst).size(), 3u);
  EXPECT_EQ(LinesOf(PastLst).size(), 2u);
  PauseBox().UserSets(0);
  List(PastLst).UserSets(0);
  journal.entries.clear();
  Scan();
  EXPECT_EQ(LinesOf(PastLst).back(), "Gr 2 : Page 2 - http://site.example/2");
  EXPECT_EQ(Calls({"PastLst.ListIndex"}).front(), "PastLst.ListIndex 2");
  EXPECT_EQ(Calls({"PastLst.ListIndex"}).back(), "PastLst.ListIndex -1");
  EXPECT_EQ(List(PastLst).ListIndex(), -1);
}

}  // namespace
}  // namespace zentab::test
