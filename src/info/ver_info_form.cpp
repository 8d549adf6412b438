#include "info/ver_info_form.h"

#include <array>

#include "info/web_addresses.h"

namespace zentab {
namespace {

using K = ControlKind;
using A = Align;

// Laid out in pixels at 96 dpi, written in twips (15 to the pixel).
constexpr int Px(int pixels) {
  return pixels * 15;
}

constexpr FontDesign kLinkFont{"ＭＳ Ｐゴシック", 900, false, true, 0x0000FF};

constexpr int kClientWidth = Px(498);
constexpr int kClientHeight = Px(234);

// Only CloseWin takes the focus: Enter and Esc both close.
constexpr std::array kControls{
    ControlDesign{"BackGround", K::Image, "", 0, 0, kClientWidth, kClientHeight, true, A::Left,
                  kVerBackGroundId}
        .Shows(Picture::AboutBackground)
        .Stretch(),
    ControlDesign{"Logo", K::Image, "", 0, 0, Px(500), Px(50), true, A::Left, kVerLogoId}.Shows(
        Picture::AboutLogo),
    ControlDesign{"SoftIcon", K::Image, "", Px(262), Px(9), Px(32), Px(32), true, A::Left,
                  kVerSoftIconId}
        .Shows(Picture::ProgramIcon),
    ControlDesign{"Versions", K::Label, "Version: $.$", Px(302), Px(19), Px(188), Px(13), true,
                  A::Right, kVerVersionsId},
    ControlDesign{"Line1", K::Line, "", Px(8), Px(56), Px(482), Px(2), true, A::Left, kVerLine1Id},
    ControlDesign{"Note", K::Label, "%Note%", Px(16), Px(66), Px(466), Px(90), true, A::Left,
                  kVerNoteId},
    ControlDesign{"Line2", K::Line, "", Px(8), Px(162), Px(482), Px(2), true, A::Left, kVerLine2Id},
    ControlDesign{"Copyright", K::Label, "Copyright (C) Tamsel's Zozidor. All rights reserved.",
                  Px(16), Px(172), Px(330), Px(13), true, A::Left, kVerCopyrightId},
    ControlDesign{"URL", K::Label, HomePageURL, Px(16), Px(194), Px(180), Px(13), true, A::Left,
                  kVerURLId}
        .Font(kLinkFont),
    ControlDesign{"CloseWin", K::CommandButton, "&OK", Px(405), Px(201), Px(85), Px(25), true,
                  A::Left, kVerCloseWinId}
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

const FormDesign& VerInfoForm() {
  return kVerInfo;
}

}  // namespace zentab
