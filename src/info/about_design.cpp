#include "info/about_design.h"

#include <array>

#include "info/web_addresses.h"

namespace zentab {
namespace {

using namespace about_window;
using K = ControlKind;
using A = Align;

// Laid out in pixels at 96 dpi.

constexpr FontDesign kLinkFont{"ＭＳ Ｐゴシック", 900, false, true, 0x0000FF};

constexpr int kClientWidth = TwipsFromPixels(498);
constexpr int kClientHeight = TwipsFromPixels(234);

// Only CloseWin takes the focus: Enter and Esc both close.
constexpr std::array kControls{
    ControlDesign{BackGround, K::Image, "", 0, 0, kClientWidth, kClientHeight, true, A::Left}
        .Shows(Picture::AboutBackground)
        .Stretch(),
    ControlDesign{Logo, K::Image, "", 0, 0, TwipsFromPixels(500), TwipsFromPixels(50), true,
                  A::Left}
        .Shows(Picture::AboutLogo),
    ControlDesign{SoftIcon, K::Image, "", TwipsFromPixels(262), TwipsFromPixels(9),
                  TwipsFromPixels(32), TwipsFromPixels(32), true, A::Left}
        .Shows(Picture::ProgramIcon),
    ControlDesign{Versions, K::Label, "Version: $.$", TwipsFromPixels(302), TwipsFromPixels(19),
                  TwipsFromPixels(188), TwipsFromPixels(13), true, A::Right},
    ControlDesign{Line1, K::Line, "", TwipsFromPixels(8), TwipsFromPixels(56), TwipsFromPixels(482),
                  TwipsFromPixels(2), true, A::Left},
    ControlDesign{Note, K::Label, "%Note%", TwipsFromPixels(16), TwipsFromPixels(66),
                  TwipsFromPixels(466), TwipsFromPixels(90), true, A::Left},
    ControlDesign{Line2, K::Line, "", TwipsFromPixels(8), TwipsFromPixels(162),
                  TwipsFromPixels(482), TwipsFromPixels(2), true, A::Left},
    ControlDesign{Copyright, K::Label, "Copyright (C) Tamsel's Zozidor. All rights reserved.",
                  TwipsFromPixels(16), TwipsFromPixels(172), TwipsFromPixels(330),
                  TwipsFromPixels(13), true, A::Left},
    ControlDesign{URL, K::Label, HomePageURL, TwipsFromPixels(16), TwipsFromPixels(194),
                  TwipsFromPixels(180), TwipsFromPixels(13), true, A::Left}
        .Font(kLinkFont),
    ControlDesign{CloseWin, K::CommandButton, "&OK", TwipsFromPixels(405), TwipsFromPixels(201),
                  TwipsFromPixels(85), TwipsFromPixels(25), true, A::Left}
        .Default()
        .Cancel(),
};

constexpr FormDesign kVerInfo{
    "VerInfo",
    "Zentab Ver$.$",
    kClientWidth,
    kClientHeight,
    false,
    false,
    false,
    kControls,
    {},
    true,
    Picture::ProgramIcon,
};

}  // namespace

const FormDesign& AboutDesign() {
  return kVerInfo;
}

}  // namespace zentab
