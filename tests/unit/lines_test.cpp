#include "watch/lines.h"

#include <gtest/gtest.h>

namespace zentab {
namespace {

TEST(Lines, TheAddressStartsAtTheFirstSeparatorFollowedByAScheme) {
  EXPECT_EQ(AddressOfLine("ID 0 : Report- Summary - file:///C:/Work"), "file:///C:/Work");
  // Addresses may hold " - " themselves, or begin with "- ".
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - http://x.example/a - b"), "http://x.example/a - b");
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - http://x.example/?q= - https://y.example/"),
            "http://x.example/?q= - https://y.example/");
  // A title ending in " -" puts a hyphen before the separator.
  EXPECT_EQ(AddressOfLine("ID 1 : Menu - - https://x.example/"), "https://x.example/");
  EXPECT_EQ(AddressOfLine("ID 2 : A- B - ms-help://x - y"), "ms-help://x - y");
}

TEST(Lines, WithoutASchemeTheAddressFollowsTheLastSeparator) {
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - "), "");
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - - x - y"), "y");
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - 1:2 - :x"), ":x");
}

TEST(Lines, ALineWithoutASeparatorYieldsItselfFromItsThirdCharacter) {
  EXPECT_EQ(AddressOfLine("abcdef"), "cdef");
  EXPECT_EQ(AddressOfLine("過去ログ機能"), "ログ機能");
  EXPECT_EQ(AddressOfLine("a"), "");
}

TEST(Lines, TitlesTurnEverySeparatorIntoAHyphenAndSpace) {
  EXPECT_EQ(ListTitle("A - B - C"), "A- B- C");
  EXPECT_EQ(ListTitle("A-B -C- D"), "A-B -C- D");
  EXPECT_EQ(WatchLine(3, ListTitle("Report - Summary"), "file:///C:/Work"),
            "ID 3 : Report- Summary - file:///C:/Work");
  EXPECT_EQ(PastLogLine(12, "Report- Summary", "file:///C:/Work"),
            "Gr 12 : Report- Summary - file:///C:/Work");
}

}  // namespace
}  // namespace zentab
