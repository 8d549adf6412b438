#include "watch/lines.h"

#include <gtest/gtest.h>

namespace zentab {
namespace {

TEST(Lines, TheAddressIsWhatFollowsTheLastSeparator) {
  EXPECT_EQ(AddressOfLine("ID 0 : Report- Summary - file:///C:/Work"), "file:///C:/Work");
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - http://x.example/a - b"), "b");
  EXPECT_EQ(AddressOfLine("Gr 4 : Page - "), "");
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
