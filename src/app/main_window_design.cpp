#include "app/main_window_design.h"

#include <array>

namespace zentab {
namespace {

using namespace main_window;
using K = ControlKind;
using A = Align;

constexpr std::array kControls{
    ControlDesign{Label1, K::Label, "監視項目(&W):", 120, 180, 1095, 195, true, A::Left},
    ControlDesign{WatchLst, K::ListBox, "", 1260, 180, 8535, 1500, true, A::Left},
    ControlDesign{Label2, K::Label, "過去ログ(&P):", 120, 1860, 1095, 195, true, A::Left},
    ControlDesign{PastLst, K::ListBox, "", 1260, 1860, 8535, 1500, true, A::Left},
    ControlDesign{WatchLstTmp, K::ListBox, "", 60, 3060, 1155, 240, false, A::Left},
    ControlDesign{IsPastLogMake, K::CheckBox, "過去ログ生成 一時停止(&Q)", 1260, 3480, 2475, 255,
                  true, A::Left},
    ControlDesign{SysTrayPic, K::PictureBox, "", 540, 2640, 315, 315, false, A::Left},
    ControlDesign{MaxWatchNum, K::Label, "*/*", 120, 420, 975, 195, true, A::Center},
    ControlDesign{MaxLogNum, K::Label, "Max *件", 120, 2100, 855, 195, true, A::Center},
    ControlDesign{WatchTmr, K::Timer, "", 0, 0, 0, 0, true, A::Left},
};

constexpr std::array kMenus{
    MenuDesign{"MFile", "ファイル(&F)", 0, true},
    MenuDesign{CmdOpenLastSession, "前回のウィンドウを開く(&R)", true},
    MenuDesign{"MFilek001", "-", 1, true},
    MenuDesign{CmdExit, "終了(&X)", true},
    MenuDesign{"MOption", "設定(&S)", 0, true},
    MenuDesign{CmdShowOption, "オプション...(&O)", true},
    MenuDesign{"MHelp", "ヘルプ(&H)", 0, true},
    MenuDesign{CmdHelpRef, "ヘルプを開く(&H)...", true},
    MenuDesign{"MHelpk001", "-", 1, true},
    MenuDesign{CmdOpenHP, "ホームページを開く(&W)...", true},
    MenuDesign{CmdSoftwareVote, "ソフトを評価 [Votrix] (&V)...", true},
    MenuDesign{"MHelpk002", "-", 1, true},
    MenuDesign{CmdShowVersionInfo, "バージョン情報(&A)...", true},
    MenuDesign{TaskTrayMenu, "TaskTrayMenu", 0, false},
    MenuDesign{TMAllZentab, "一括Zentab!!(&L)", false},
    MenuDesign{TMCmdOpenLastSession, "前回のウィンドウを開く(&R)", false},
    MenuDesign{TMCmdVisible, "監視画面を開く(&W)...", false},
    MenuDesign{"TMk001", "-", 1, false},
    MenuDesign{TMCmdOption, "オプション(&O)...", false},
    MenuDesign{"TMk002", "-", 1, false},
    MenuDesign{TMCmdHelpRef, "ヘルプ(&H)...", false},
    MenuDesign{TMCmdOpenHP, "ホームページを開く(&H)...", false},
    MenuDesign{TMCmdShowVersionInfo, "バージョン情報(&A)...", false},
    MenuDesign{"TMk003", "-", 1, false},
    MenuDesign{TMCmdExit, "終了(&X)", false},
};

constexpr FormDesign kMainWindow{
    "Watcher", "Zentab Ver$.$ - Watcher", 9975, 3795, true, false, false, kControls, kMenus,
};

}  // namespace

const FormDesign& MainWindowDesign() {
  return kMainWindow;
}

}  // namespace zentab
