#include "watch/lines.h"

#include <gtest/gtest.h>

namespace zentab {
namespace {

TEST(Lines, TheAddressOfALine) {
  const std::pair<const char*, const char*> cases[] = {
      // The first separator after the title that is followed by a scheme; addresses may hold
      // " - " themselves, or begin with "- ".
      {"ID 0 : Report- Summary - file:///C:/Work", "file:///C:/Work"},
      {"Gr 4 : Page - http://x.example/a - b", "http://x.example/a - b"},
      {"Gr 4 : Page - http://x.example/?q= - https://y.example/",
       "http://x.example/?q= - https://y.example/"},
      {"ID 1 : Menu - - https://x.example/", "https://x.example/"},
      {"ID 2 : A- B - ms-help://x - y", "ms-help://x - y"},
      // A title beginning with "- " makes no separator with the space before it.
      {"ID 0 : - http:b- c - file:///C:/ - d", "file:///C:/ - d"},
      // Without a scheme: behind the last separator.
      {"Gr 4 : Page - ", ""},
      {"Gr 4 : Page - - x - y", "y"},
      {"Gr 4 : Page - 1:2 - :x", ":x"},
      // Without a separator: from the third character on.
      {"abcdef", "cdef"},
      {"過去ログ機能", "ログ機能"},
      {"a", ""},
  };
  for (const auto& [line, address] : cases) EXPECT_EQ(AddressOfLine(line), address) << line;
}

TEST(Lines, ATitleKeepsNoSeparator) {
  const std::pair<const char*, const char*> cases[] = {
      {"A - B - C", "A- B- C"},
      {"A-B -C- D", "A-B -C- D"},
      {"a  - b", "a- b"},
      {" - ", "- "},
  };
  for (const auto& [title, shown] : cases) EXPECT_EQ(ListTitle(title), shown) << title;
}

}  // namespace
}  // namespace zentab
