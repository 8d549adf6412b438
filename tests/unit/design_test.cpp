// The windows' designs: what holds for every window, and what the user knows them by.
#include <gtest/gtest.h>

#include <map>
#include <set>

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

// Pictures may lie under anything; a spin control sits on the edge of its box, the read-only text
// box before it, which changes only through it.
TEST_P(EveryDesign, ControlsFitTheirContainerWithoutOverlapAndDialogsAnswerEnterAndEsc) {
  const FormDesign& form = GetParam()();
  std::map<std::string_view, const ControlDesign*> byName;
  std::set<int> ids;
  int defaults = 0, cancels = 0;
  for (const ControlDesign& c : form.controls) {
    EXPECT_TRUE(byName.emplace(c.name, &c).second) << c.name;
    EXPECT_TRUE(ids.insert(c.id).second) << c.name;
    defaults += c.isDefault, cancels += c.isCancel;
  }
  EXPECT_EQ(defaults, form.menus.empty() ? 1 : 0);
  EXPECT_EQ(cancels, form.menus.empty() ? 1 : 0);
  const auto laidOut = [](const ControlDesign& c) {
    return c.visible && c.kind != K::Image && c.kind != K::Timer;
  };
  const auto& controls = form.controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlDesign& c = controls[i];
    if (c.kind == K::UpDown) {
      ASSERT_GT(i, 0u);
      EXPECT_TRUE(controls[i - 1].kind == K::TextBox && controls[i - 1].readOnly) << c.name;
    }
    Box container{0, 0, form.clientWidth, form.clientHeight};
    if (!c.container.empty()) container = BoxOf(*byName.at(c.container));
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

TEST(Designs, TheAboutWindowsLinkLooksLikeOneAndOnlyTheMainWindowMinimizes) {
  // The about window's address shows as a link.
  for (const ControlDesign& c : AboutDesign().controls)
    EXPECT_TRUE(c.name != about_window::URL || (c.font->underline && c.font->color == 0x0000FF));
  // Only the main window can be minimized; none is maximized or has a taskbar button.
  for (auto* design : {&MainWindowDesign, &OptionsDesign, &AboutDesign, &VoteDesign}) {
    const FormDesign& form = design();
    EXPECT_EQ(form.minButton, &form == &MainWindowDesign()) << form.name;
    EXPECT_FALSE(form.maxButton || form.showInTaskbar) << form.name;
  }
}

}  // namespace
}  // namespace zentab::test
