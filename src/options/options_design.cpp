#include "options/options_design.h"

#include <array>

#include "watch/redirects.h"

namespace zentab {
namespace {

using namespace options_dialog;
using K = ControlKind;
using A = Align;

// The redirect boxes name the very hosts the scan recognises.
constexpr std::array kControls{
    ControlDesign{Label7, K::Label, "各設定項目にマウスをポイントすると説明が出ます。", 240, 180,
                  5355, 195, true, A::Left},
    ControlDesign{FrWatch, K::Frame, "監視設定", 240, 480, 5535, 5535, true, A::Left},
    ControlDesign{Label1, K::Label, "チェックモード(&M):", 360, 300, 1635, 195, true, A::Right}.In(
        FrWatch),
    ControlDesign{FrChkMode, K::Frame, "", 2100, 240, 2955, 975, true, A::Left}.In(FrWatch),
    ControlDesign{IsChkModeOp0, K::OptionButton, "InternetExplorerのみ監視(&I)", 60, 60, 2475, 255,
                  true, A::Left}
        .In(FrChkMode),
    ControlDesign{IsChkModeOp1, K::OptionButton, "Explorerのみ監視(&E) (file://…)", 60, 360, 2775,
                  255, true, A::Left}
        .In(FrChkMode),
    ControlDesign{IsChkModeOp2, K::OptionButton, "両方(&B)", 60, 660, 975, 255, true, A::Left}.In(
        FrChkMode),
    ControlDesign{Label2, K::Label, "過去ログ機能(&L):", 300, 1320, 1695, 195, true, A::Right}.In(
        FrWatch),
    ControlDesign{FrLog, K::Frame, "", 2100, 1260, 2955, 615, true, A::Left}.In(FrWatch),
    ControlDesign{IsUsePastLogOp0, K::OptionButton, "使用する(&N)", 60, 0, 1275, 255, true, A::Left}
        .In(FrLog),
    ControlDesign{IsUsePastLogOp1, K::OptionButton, "使用しない(&F)", 60, 300, 1455, 255, true,
                  A::Left}
        .In(FrLog),
    // Whole rows: their captions need the frame's width.
    ControlDesign{IsKeepSession, K::CheckBox, "前回のウィンドウを記録する(&K)", 360, 1920, 5055,
                  255, true, A::Left}
        .In(FrWatch),
    ControlDesign{IsRunAtStartup, K::CheckBox, "Windows の起動時に Zentab を起動する(&W)", 360,
                  2280, 5055, 255, true, A::Left}
        .In(FrWatch),
    ControlDesign{IsWatchBrowsers, K::CheckBox, "ブラウザのタブも監視する(&A)", 360, 2640, 5055,
                  255, true, A::Left}
        .In(FrWatch),
    // Which browsers the box reaches now; filled when the dialog loads.
    ControlDesign{Label8, K::Label, "接続中のブラウザ:", 660, 2940, 4755, 195, true, A::Left}.In(
        FrWatch),
    ControlDesign{Label3, K::Label, "最大監視数(&R):", 720, 3300, 1275, 195, true, A::Right}.In(
        FrWatch),
    // The number boxes change only through their spin controls, so what OK stores always
    // reads back as what the dialog showed.
    ControlDesign{HMWatch, K::TextBox, "0", 2160, 3240, 570, 315, true, A::Left}
        .In(FrWatch)
        .ReadOnly(),
    ControlDesign{HMWatchUD, K::UpDown, "", 2700, 3240, 255, 315, true, A::Left}.In(FrWatch).Range(
        1, 100, 1, 1),
    ControlDesign{Label4, K::Label, "過去ログ最大件数(&P):", 240, 3720, 1755, 195, true, A::Right}
        .In(FrWatch),
    ControlDesign{HMLog, K::TextBox, "0", 2160, 3660, 585, 315, true, A::Left}
        .In(FrWatch)
        .ReadOnly(),
    ControlDesign{HMLogUD, K::UpDown, "", 2700, 3660, 255, 315, true, A::Left}.In(FrWatch).Range(
        1, 2000, 1, 10),
    ControlDesign{Label5, K::Label, "監視間隔(&T):", 900, 4140, 1095, 195, true, A::Right}.In(
        FrWatch),
    // Whole seconds; stored times 1000 in a 16-bit field, so never above 32.
    ControlDesign{HSInterval, K::ScrollBar, "", 2160, 4080, 2175, 255, true, A::Left}
        .In(FrWatch)
        .Range(1, 30, 1, 5),
    ControlDesign{HMInterval, K::Label, "*.* 秒", 2160, 4380, 2175, 195, true, A::Center}.In(
        FrWatch),
    ControlDesign{Label6, K::Label, "自動スルー設定(&S):", 375, 4620, 1620, 180, true, A::Right}.In(
        FrWatch),
    // The redirect boxes run to the frame's edge so that each address shows whole.
    ControlDesign{AS_RedirectB, K::CheckBox, kRedirectBAddress, 2160, 4620, 3255, 195, true,
                  A::Left}
        .In(FrWatch),
    ControlDesign{AS_RedirectA, K::CheckBox, kRedirectAAddress, 2160, 4860, 3255, 195, true,
                  A::Left}
        .In(FrWatch),
    ControlDesign{AS_BoardLink, K::CheckBox, kBoardLinkAddress, 2160, 5100, 3255, 195, true,
                  A::Left}
        .In(FrWatch),
    ControlDesign{cmdOK, K::CommandButton, "OK", 3180, 6180, 1155, 315, true, A::Left}.Default(),
    ControlDesign{cmdCancel, K::CommandButton, "キャンセル", 4500, 6180, 1155, 315, true, A::Left}
        .Cancel(),
};

constexpr FormDesign kOptions{
    "Options", "Zentab Ver$.$ - Options", 6030, 6690, false, false, false, kControls, {},
};

}  // namespace

const FormDesign& OptionsDesign() {
  return kOptions;
}

}  // namespace zentab
