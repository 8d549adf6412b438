// The helpers behind the lists and the settings: a line's address, the titles shown, the
// redirects skipped, numbers read from the settings file.
#include "watch/lines.h"

#include <gtest/gtest.h>

#include "platform/profile_number.h"
#include "watch/redirects.h"

namespace zentab {
namespace {

TEST(Lines, TheAddressOfALine) {
  const std::pair<const char*, const char*> cases[] = {
      // The first separator after the title that is followed by a scheme; addresses may hold
      // " - " themselves, or begin with "- ".
      {"ID 0 : Report- Summary - file:///C:/Work", "file:///C:/Work"},
      {"Gr 4 : Page - http://x.example/?q= - https://y.example/",
       "http://x.example/?q= - https://y.example/"},
      {"ID 1 : Menu - - https://x.example/", "https://x.example/"},
      {"ID 2 : A- B - ms-help://x - y", "ms-help://x - y"},
      // A title beginning with "- " makes no separator with the space before it.
      {"ID 0 : - http:b- c - file:///C:/ - d", "file:///C:/ - d"},
      // Without a scheme: behind the last separator.
      {"Gr 4 : Page - - x - y", "y"},
      {"Gr 4 : Page - 1:2 - :x", ":x"},
      // Without a separator: from the third character on.
      {"過去ログ機能", "ログ機能"},
      {"a", ""},
  };
  for (const auto& [line, address] : cases) EXPECT_EQ(AddressOfLine(line), address) << line;
  EXPECT_EQ(WatchLine(3, "T", "http://a/"), "ID 3 : T - http://a/");
  EXPECT_EQ(PastLogLine(12, "T", "http://a/"), "Gr 12 : T - http://a/");
}

TEST(Lines, ATitleKeepsNoSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"A - B - C", "A- B- C"}, {"A-B -C- D", "A-B -C- D"}, {"a  - b", "a- b"}, {" - ", "- "}};
  for (const auto& [title, shown] : cases) EXPECT_EQ(ListTitle(title), shown) << title;
}

const std::string kB = "http://" + std::string(kRedirectBHost) + "/";
const std::string kA = "http://" + std::string(kRedirectAHost) + "/";
const std::string kBoard = "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi";

TEST(Redirects, TheFirstActiveServiceWhoseMarkerOccursIsRemoved) {
  const struct {
    std::string address;
    int through;
    std::optional<std::string> target;
  } cases[] = {
      // Services are tried in the order B, A, board.
      {kA + std::string(kRedirectBHost) + "/x.example/", 3, kA + "x.example/"},
      {kBoard + "?url=" + kB + "y.example/", 5, kBoard + "?url=http://y.example/"},
      {kBoard + "?url=" + kB + "y.example/", 4, kB + "y.example/"},
      // Only ticked services, and only for Through 1 to 7.
      {kA + "x.example/", 1, std::nullopt},
      {kB + "x.example/", 6, std::nullopt},
      {kB + "x.example/", 7, "http://x.example/"},
      {kB + "x.example/", 9, std::nullopt},
      {kB + "x.example/", -1, std::nullopt},
      // The services' markers carry no scheme; the board's is plain http.
      {"https://" + std::string(kRedirectBHost) + "/dest.example/", 1, "https://dest.example/"},
      {"https://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=http://x.example/", 4,
       std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RedirectTarget(c.address, c.through), c.target) << c.address << " " << c.through;
}

TEST(Redirects, OnlyAnotherWebAddressIsNavigatedTo) {
  EXPECT_FALSE(ShouldNavigate(kBoard + "?id=5", kBoard + "?id=5"));
  for (const char* target : {"javascript:alert(1)", "file:///C:/Windows/calc.exe", "ftp://f/"}) {
    EXPECT_FALSE(ShouldNavigate(kBoard + "?url=" + target, target)) << target;
    EXPECT_FALSE(ShouldNavigate(target, std::string(target) + "#http://x/")) << target;
  }
  EXPECT_TRUE(ShouldNavigate(kBoard + "?url=http://s.example/", "http://s.example/"));
  EXPECT_TRUE(ShouldNavigate(kBoard + "?url=https://s.example/", "https://s.example/"));
}

TEST(ProfileNumber, StoredTextsAreReadAsTheSystemReadsThemWithinThirtyTwoBits) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"120", 120},
      {" 7 ", 7},
      {"\"120\"", 120},
      {"'9'", 9},
      {"+1x", 1},
      {"-5", -5},
      {"0x1E", 30},
      {"0o17", 15},
      {"0b101", 5},
      {"abc", 0},
      {"", 50},
      {"2147483647", INT32_MAX},
      {"2147483648", 50},
      {"-2147483648", INT32_MIN},
      {"-2147483649", 50},
      {"0x80000000", 50},
      {"99999999999", 50},
  };
  for (const auto& [stored, read] : cases) EXPECT_EQ(ProfileNumber(stored, 50), read) << stored;
}

}  // namespace
}  // namespace zentab
