#include "fixture.h"
#include "watch/redirects.h"

namespace zentab::test {
namespace {

const std::string kB = "http://" + std::string(kRedirectBHost) + "/";
const std::string kA = "http://" + std::string(kRedirectAHost) + "/";
const std::string kBoard = "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi";

class RedirectTest : public WatcherTest {
 protected:
  void LoadWithThrough(int through) {
    WriteIni("[Option]\nThrough=" + std::to_string(through) + "\n");
    Load();
  }
};

TEST_F(RedirectTest, AServiceBPageIsSentOnToItsTargetThenPausedAndListed) {
  shell.OpenWindow("Jump", kB + "dest.example/page");
  LoadWithThrough(3);
  EXPECT_EQ(watcher.RedirectNavigated(), 0);  // the short scan rebuilt the list and reset it
  Scan();
  EXPECT_EQ(Calls({"ShellWindows.Item 0", "Location", "Navigate2", "Sleep"}),
            (Lines{"ShellWindows.Item 0", "LocationURL 0", "LocationName 0", "LocationURL 0"}));
  EXPECT_EQ(ListOf("WatchLst"), (Lines{"ID 0 : Jump - http://dest.example/page"}));
}

TEST_F(RedirectTest, TheNavigationIsFollowedByAPauseAndARebuildOfAnUnchangedCount) {
  shell.OpenWindow("Jump", "http://plain.example/");
  LoadWithThrough(0);
  shell.SetWindow(0, "Jump", kA + "dest.example/");
  settings.Through = 2;
  Scan();
  EXPECT_EQ(
      Calls({"LocationURL", "Navigate2", "Sleep", "WatchLst."}),
      (Lines{"LocationURL 0", "Navigate2 0 http://dest.example/", "Sleep 500", "LocationURL 0",
             "WatchLst.Clear", "WatchLst.AddItem ID 0 : Jump - http://dest.example/"}));
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, ServicesAreTriedInTheOrderBThenAThenTheBoard) {
  EXPECT_EQ(RedirectTarget(kA + kRedirectBHost.data() + "/x.example/", 3), kA + "x.example/");
  EXPECT_EQ(RedirectTarget(kA + "x.example/" + kRedirectBHost.data() + "/", 2),
            "http://x.example/" + std::string(kRedirectBHost) + "/");
  EXPECT_EQ(RedirectTarget(kBoard + "?url=" + kB + "y.example/", 5),
            kBoard + "?url=http://y.example/");
  EXPECT_EQ(RedirectTarget(kBoard + "?url=" + kB + "y.example/", 4), kB + "y.example/");
}

TEST_F(RedirectTest, OnlyActiveServicesMatch) {
  EXPECT_FALSE(RedirectTarget(kA + "x.example/", 1));
  EXPECT_FALSE(RedirectTarget(kB + "x.example/", 6));
  EXPECT_FALSE(RedirectTarget(kB + "x.example/", 0));
  EXPECT_FALSE(RedirectTarget(kB + "x.example/", 8));
  EXPECT_FALSE(RedirectTarget(kB + "x.example/", 9));
  EXPECT_FALSE(RedirectTarget(kB + "x.example/", -1));
  EXPECT_TRUE(RedirectTarget(kB + "x.example/", 7));
}

TEST_F(RedirectTest, OutOfRangeThroughNeverReadsTheAddressForRedirects) {
  shell.OpenWindow("Jump", kB + "dest.example/");
  LoadWithThrough(8);
  // 9 holds service B's bit, yet lies outside 1 to 7.
  for (int through : {8, 9}) {
    settings.Through = static_cast<std::int16_t>(through);
    journal.Clear();
    Scan();
    EXPECT_EQ(Calls({"Location", "Navigate2"}), (Lines{"LocationName 0", "LocationURL 0"}))
        << through;
  }
}

TEST_F(RedirectTest, ServiceMarkersCarryNoSchemeButTheBoardsMarkerIsPlainHttp) {
  EXPECT_EQ(RedirectTarget("https://" + std::string(kRedirectBHost) + "/dest.example/", 1),
            "https://dest.example/");
  EXPECT_EQ(RedirectTarget("https://" + std::string(kRedirectAHost) + "/dest.example/", 2),
            "https://dest.example/");
  EXPECT_FALSE(RedirectTarget(
      "https://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=http://dest.example/", 4));
}

TEST_F(RedirectTest, ABoardLinkSentOnInAFullScanLeavesTheFlagSetUntilAShortScan) {
  WriteIni("[Option]\nThrough=4\nMaxWatch=1\n");
  shell.OpenWindow("Board", "http://plain.example/");
  Load();
  shell.SetWindow(0, "Board", kBoard + "?url=http://dest.example/");
  Scan();
  EXPECT_EQ(Calls({"Navigate2", "Sleep"}),
            (Lines{"Navigate2 0 http://dest.example/", "Sleep 500"}));
  EXPECT_EQ(watcher.RedirectNavigated(), -1);

  settings.MaxWatch = 2;
  Scan();
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, ABoardLinkWithoutATargetIsLeftAlone) {
  shell.OpenWindow("Board", kBoard + "?id=5");
  LoadWithThrough(4);
  Scan();
  EXPECT_TRUE(Calls({"Navigate2", "Sleep"}).empty());
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, OnlyWebTargetsAreNavigatedTo) {
  for (const std::string target :
       {"javascript:alert(1)", "file:///C:/Windows/calc.exe", "ftp://files.example/"}) {
    EXPECT_FALSE(ShouldNavigate(kBoard + "?url=" + target, target)) << target;
  }
  EXPECT_TRUE(ShouldNavigate(kBoard + "?url=https://s.example/", "https://s.example/"));

  shell.OpenWindow("Board", kBoard + "?url=javascript:alert(1)");
  LoadWithThrough(4);
  Scan();
  EXPECT_TRUE(Calls({"Navigate2", "Sleep"}).empty());
}

}  // namespace
}  // namespace zentab::test
