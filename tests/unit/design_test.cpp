#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_window_design.h"
#include "info/about_design.h"
#include "info/vote_design.h"
#include "options/options_design.h"

namespace zentab::test {
namespace {

using K = ControlKind;

struct Box {
  int left, top, right, bottom;
  bool Overlaps(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Holds(const Box& o) const {
    return o.left >= 0 && o.top >= 0 && o.right <= right - left && o.bottom <= bottom - top;
  }
};

Box BoxOf(const ControlDesign& c) {
  return Box{c.left, c.top, c.left + c.width, c.top + c.height};
}

class EveryDesign : public ::testing::TestWithParam<const FormDesign& (*)()> {};

// Pictures may lie under anything; an up-down control sits on the edge of its buddy, the text
// box before it.
TEST_P(EveryDesign, ControlsFitTheirContainerAndDoNotOverlap) {
  const FormDesign& form = GetParam()();
  const auto& controls = form.controls;
  std::map<std::string_view, const ControlDesign*> byName;
  std::set<int> ids;
  for (const ControlDesign& c : controls) {
    EXPECT_TRUE(byName.emplace(c.name, &c).second) << c.name;
    EXPECT_TRUE(ids.insert(c.id).second) << c.name;
  }
  const auto laidOut = [](const ControlDesign& c) {
    return c.visible && c.kind != K::Image && c.kind != K::Timer;
  };
  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlDesign& c = controls[i];
    if (c.kind == K::UpDown) {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(controls[i - 1].kind, K::TextBox) << c.name;
    }
    Box container{0, 0, form.clientWidth, form.clientHeight};
    if (!c.container.empty()) {
      ASSERT_TRUE(byName.contains(c.container)) << c.name;
      EXPECT_EQ(byName[c.container]->kind, K::Frame) << c.name;
      container = BoxOf(*byName[c.container]);
    }
    if (!laidOut(c)) continue;
    EXPECT_TRUE(container.Holds(BoxOf(c))) << c.name;
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const ControlDesign& other = controls[j];
      const bool buddies = j == i + 1 && other.kind == K::UpDown;
      if (!laidOut(other) || other.container != c.container || buddies) continue;
      EXPECT_FALSE(BoxOf(c).Overlaps(BoxOf(other))) << c.name << " " << other.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryDesign,
                         ::testing::Values(&MainWindowDesign, &OptionsDesign, &AboutDesign,
                                           &VoteDesign),
                         [](const auto& shown) { return std::string(shown.param().name); });

TEST(Designs, TheInformationWindowsTakeTheFocusOnlyWhereTheUserActs) {
  const std::set<K> focusable{K::ListBox,   K::CheckBox,      K::OptionButton, K::TextBox,
                              K::ScrollBar, K::CommandButton, K::ComboBox};
  const auto focusOrder = [&](const FormDesign& form) {
    std::vector<std::string> order;
    for (const ControlDesign& c : form.controls) {
      if (focusable.contains(c.kind) && c.tabStop) order.emplace_back(c.name);
    }
    return order;
  };
  EXPECT_EQ(focusOrder(AboutDesign()), (std::vector<std::string>{"CloseWin"}));
  EXPECT_EQ(focusOrder(VoteDesign()), (std::vector<std::string>{"Vote", "Submit", "Reset"}));
}

TEST(Designs, TheOptionRowCaptionsEndAtOneEdge) {
  for (const ControlDesign& c : OptionsDesign().controls) {
    if (c.name.starts_with("Label") && c.container == "FrWatch") {
      EXPECT_EQ(c.left + c.width, 1995) << c.name;
      EXPECT_EQ(c.align, Align::Right) << c.name;
    }
  }
}

}  // namespace
}  // namespace zentab::test
