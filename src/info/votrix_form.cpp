#include "info/votrix_form.h"

namespace zentab {
namespace {

using K = ControlKind;
using A = Align;

// Laid out in pixels at 96 dpi, written in twips (15 to the pixel). A full-width character of
// the dialog font takes about 12 pixels.
constexpr int Px(int pixels) {
  return pixels * 15;
}

constexpr FontDesign kHeadingFont{"ＭＳ Ｐゴシック", 1200, true, true, 0x0000FF};
constexpr FontDesign kSmallFont{"ＭＳ Ｐゴシック", 825, false, false, 0x000000};

// The texts wrap in a column right of the icon; the choice and the buttons share the bottom.
constexpr std::array kControls{
    ControlDesign{"VoteMe", K::Label, "このソフトを評価してください", Px(8), Px(8), Px(260), Px(20),
                  true, A::Left, kVotVoteMeId}
        .Font(kHeadingFont),
    ControlDesign{"VotrixIcon", K::Image, "", Px(8), Px(36), Px(32), Px(32), true, A::Left,
                  kVotVotrixIconId}
        .Shows(Picture::VoteIcon),
    ControlDesign{"Thanks(0)", K::Label,
                  "Tamsel's Zozidorでは、ユーザーの声を反映する一環として、ソフトウェアに評価シス"
                  "テムを組み込みました。",
                  Px(48), Px(36), Px(299), Px(48), true, A::Left, kVotThanks0Id},
    ControlDesign{"Thanks(1)", K::Label,
                  "あなたがこのソフトの出来をどのようにお考えか、リストから選択し、送信ボタンをク"
                  "リックしてください。お一人様一回限りです。",
                  Px(48), Px(86), Px(299), Px(48), true, A::Left, kVotThanks1Id},
    ControlDesign{"Thanks(2)", K::Label, "※評価データ以外が送信されることはありません。", Px(48),
                  Px(137), Px(299), Px(14), true, A::Left, kVotThanks2Id}
        .Font(kSmallFont),
    ControlDesign{"SelectOne", K::Label, "5段階評価  （最低1～最高5）", Px(8), Px(166), Px(200),
                  Px(14), true, A::Left, kVotSelectOneId},
    ControlDesign{"Vote", K::ComboBox, "", Px(8), Px(190), Px(200), Px(21), true, A::Left,
                  kVotVoteId}
        .Items(kVoteItems),
    ControlDesign{"Submit", K::CommandButton, "送信(&S)", Px(247), Px(160), Px(100), Px(25), true,
                  A::Left, kVotSubmitId}
        .Default(),
    ControlDesign{"Reset", K::CommandButton, "キャンセル(&C)", Px(247), Px(190), Px(100), Px(25),
                  true, A::Left, kVotResetId}
        .Cancel(),
};

constexpr FormDesign kVotrix{
    "Votrix",
    "[Votrix] Tamsel's Zozidor Software Vote System",
    Px(355),
    Px(224),
    false,
    false,
    false,
    kControls,
    {},
    true,
    Picture::VoteIcon,
};

}  // namespace

const FormDesign& VotrixForm() {
  return kVotrix;
}

}  // namespace zentab
