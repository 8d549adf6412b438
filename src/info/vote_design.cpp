#include "info/vote_design.h"

namespace zentab {
namespace {

using namespace vote_window;
using K = ControlKind;
using A = Align;

// Laid out in pixels at 96 dpi. A full-width character of the dialog font takes about 12
// pixels.

constexpr FontDesign kHeadingFont{"ＭＳ Ｐゴシック", 1200, true, true, 0x0000FF};
constexpr FontDesign kSmallFont{"ＭＳ Ｐゴシック", 825, false, false, 0x000000};

// The texts wrap in a column right of the icon; the choice and the buttons share the bottom.
constexpr std::array kControls{
    ControlDesign{VoteMe, K::Label, "このソフトを評価してください", TwipsFromPixels(8),
                  TwipsFromPixels(8), TwipsFromPixels(260), TwipsFromPixels(20), true, A::Left}
        .Font(kHeadingFont),
    ControlDesign{VotrixIcon, K::Image, "", TwipsFromPixels(8), TwipsFromPixels(36),
                  TwipsFromPixels(32), TwipsFromPixels(32), true, A::Left}
        .Shows(Picture::VoteIcon),
    ControlDesign{Thanks0, K::Label,
                  "Tamsel's Zozidorでは、ユーザーの声を反映する一環として、ソフトウェアに評価シス"
                  "テムを組み込みました。",
                  TwipsFromPixels(48), TwipsFromPixels(36), TwipsFromPixels(299),
                  TwipsFromPixels(48), true, A::Left},
    ControlDesign{Thanks1, K::Label,
                  "あなたがこのソフトの出来をどのようにお考えか、リストから選択し、送信ボタンをク"
                  "リックしてください。お一人様一回限りです。",
                  TwipsFromPixels(48), TwipsFromPixels(86), TwipsFromPixels(299),
                  TwipsFromPixels(48), true, A::Left},
    ControlDesign{Thanks2, K::Label, "※評価データ以外が送信されることはありません。",
                  TwipsFromPixels(48), TwipsFromPixels(137), TwipsFromPixels(299),
                  TwipsFromPixels(14), true, A::Left}
        .Font(kSmallFont),
    ControlDesign{SelectOne, K::Label, "5段階評価  （最低1～最高5）", TwipsFromPixels(8),
                  TwipsFromPixels(166), TwipsFromPixels(200), TwipsFromPixels(14), true, A::Left},
    ControlDesign{Vote, K::ComboBox, "", TwipsFromPixels(8), TwipsFromPixels(190),
                  TwipsFromPixels(200), TwipsFromPixels(21), true, A::Left}
        .Items(kVoteItems),
    ControlDesign{Submit, K::CommandButton, "送信(&S)", TwipsFromPixels(247), TwipsFromPixels(160),
                  TwipsFromPixels(100), TwipsFromPixels(25), true, A::Left}
        .Default(),
    ControlDesign{Reset, K::CommandButton, "キャンセル(&C)", TwipsFromPixels(247),
                  TwipsFromPixels(190), TwipsFromPixels(100), TwipsFromPixels(25), true, A::Left}
        .Cancel(),
};

constexpr FormDesign kVotrix{
    "Votrix",
    "[Votrix] Tamsel's Zozidor Software Vote System",
    TwipsFromPixels(355),
    TwipsFromPixels(224),
    false,
    false,
    false,
    kControls,
    {},
    true,
    Picture::VoteIcon,
};

}  // namespace

const FormDesign& VoteDesign() {
  return kVotrix;
}

}  // namespace zentab
