#include "fixture.h"
#include "watch/redirects.h"

namespace zentab::test {
namespace {

const std::string kBHost(kRedirectBHost);
const std::string kAHost(kRedirectAHost);
const std::string kB = "http://" + kBHost + "/";
const std::string kA = "http://" + kAHost + "/";
const std::string kBoard = "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi";

class RedirectTest : public WatcherTest {
 protected:
  // Loads over one plain window, which then turns into `address`.
  void LoadThenGoTo(int through, const std::string& address) {
    WriteIni("[Option]\nThrough=" + std::to_string(through) + "\n");
    shell.OpenWindow("Jump", "http://plain.example/");
    Load();
    shell.SetWindow(0, "Jump", address);
  }
};

TEST(Redirects, TheFirstActiveServiceWhoseMarkerOccursIsRemoved) {
  const struct {
    std::string address;
    int through;
    std::optional<std::string> target;
  } cases[] = {
      // Services are tried in the order B, A, board.
      {kA + kBHost + "/x.example/", 3, kA + "x.example/"},
      {kA + "x.example/" + kBHost + "/", 2, "http://x.example/" + kBHost + "/"},
      {kBoard + "?url=" + kB + "y.example/", 5, kBoard + "?url=http://y.example/"},
      {kBoard + "?url=" + kB + "y.example/", 4, kB + "y.example/"},
      // Only active services, and only for Through 1 to 7.
      {kA + "x.example/", 1, std::nullopt},
      {kB + "x.example/", 6, std::nullopt},
      {kB + "x.example/", 7, "http://x.example/"},
      {kB + "x.example/", 0, std::nullopt},
      {kB + "x.example/", 8, std::nullopt},
      {kB + "x.example/", 9, std::nullopt},
      {kB + "x.example/", -1, std::nullopt},
      // The services' markers carry no scheme; the board's is plain http.
      {"https://" + kBHost + "/dest.example/", 1, "https://dest.example/"},
      {"https://" + kAHost + "/dest.example/", 2, "https://dest.example/"},
      {"https://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=http://x.example/", 4,
       std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RedirectTarget(c.address, c.through), c.target) << c.address << " " << c.through;
  }
}

TEST(Redirects, OnlyAnotherWebAddressIsNavigatedTo) {
  const std::string same = kBoard + "?id=5";
  EXPECT_FALSE(ShouldNavigate(same, same));
  for (const std::string target :
       {"javascript:alert(1)", "file:///C:/Windows/calc.exe", "ftp://files.example/"}) {
    EXPECT_FALSE(ShouldNavigate(kBoard + "?url=" + target, target)) << target;
  }
  EXPECT_TRUE(ShouldNavigate(kBoard + "?url=http://s.example/", "http://s.example/"));
  EXPECT_TRUE(ShouldNavigate(kBoard + "?url=https://s.example/", "https://s.example/"));
}

TEST_F(RedirectTest, ARedirectPageIsSentOnPausedAndTheListRebuiltThoughItsCountIsUnchanged) {
  LoadThenGoTo(3, kA + "dest.example/");
  Scan();
  EXPECT_EQ(
      Calls({"LocationURL", "Navigate2", "Sleep", "WatchLst."}),
      (Lines{"LocationURL 0", "Navigate2 0 http://dest.example/", "Sleep 500", "LocationURL 0",
             "WatchLst.Clear", "WatchLst.AddItem ID 0 : Jump - http://dest.example/"}));
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, ABoardLinkSentOnInAFullScanLeavesTheFlagSetUntilAShortScan) {
  LoadThenGoTo(4, kBoard + "?url=http://dest.example/");
  settings.MaxWatch = 1;
  Scan();
  EXPECT_EQ(Calls({"Navigate2", "Sleep"}),
            (Lines{"Navigate2 0 http://dest.example/", "Sleep 500"}));
  EXPECT_EQ(watcher.RedirectNavigated(), -1);

  settings.MaxWatch = 2;
  Scan();
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, ABoardLinkWithoutAWebTargetIsLeftAlone) {
  LoadThenGoTo(4, kBoard + "?id=5");
  Scan();
  shell.SetWindow(0, "Jump", kBoard + "?url=javascript:alert(1)");
  Scan();
  EXPECT_TRUE(Calls({"Navigate2", "Sleep"}).empty());
  EXPECT_EQ(watcher.RedirectNavigated(), 0);
}

TEST_F(RedirectTest, AThroughOutsideOneToSevenNeverReadsTheAddressForRedirects) {
  // 9 holds service B's bit, yet lies outside 1 to 7.
  LoadThenGoTo(8, kB + "dest.example/");
  for (const int through : {8, 9}) {
    settings.Through = static_cast<std::int16_t>(through);
    journal.Clear();
    Scan();
    EXPECT_EQ(Calls({"Location", "Navigate2"}), (Lines{"LocationName 0", "LocationURL 0"}))
        << through;
  }
}

}  // namespace
}  // namespace zentab::test
