#include "app/watcher_form.h"

#include <array>

namespace zentab {
namespace {

using K = ControlKind;
using A = Align;

constexpr std::array kControls{
    ControlDesign{"Label1", K::Label, "監視項目(&W):", 120, 180, 1095, 195, true, A::Left,
                  kLabel1Id},
    ControlDesign{"WatchLst", K::ListBox, "", 1260, 180, 8535, 1500, true, A::Left, kWatchLstId},
    ControlDesign{"Label2", K::Label, "過去ログ(&P):", 120, 1860, 1095, 195, true, A::Left,
                  kLabel2Id},
    ControlDesign{"PastLst", K::ListBox, "", 1260, 1860, 8535, 1500, true, A::Left, kPastLstId},
    ControlDesign{"WatchLstTmp", K::ListBox, "", 60, 3060, 1155, 240, false, A::Left,
                  kWatchLstTmpId},
    ControlDesign{"IsPastLogMake", K::CheckBox, "過去ログ生成 一時停止(&Q)", 1260, 3480, 2475, 255,
                  true, A::Left, kIsPastLogMakeId},
    ControlDesign{"SysTrayPic", K::PictureBox, "", 540, 2640, 315, 315, false, A::Left,
                  kSysTrayPicId},
    ControlDesign{"MaxWatchNum", K::Label, "*/*", 120, 420, 975, 195, true, A::Center,
                  kMaxWatchNumId},
    ControlDesign{"MaxLogNum", K::Label, "Max *件", 120, 2100, 855, 195, true, A::Center,
                  kMaxLogNumId},
    ControlDesign{"WatchTmr", K::Timer, "", 0, 0, 0, 0, true, A::Left, kWatchTmrId},
};

constexpr std::array kMenus{
    MenuDesign{"MFile", "ファイル(&F)", 0, true, 0},
    MenuDesign{"CmdExit", "終了(&X)", 1, true, kCmdExit},
    MenuDesign{"MOption", "設定(&S)", 0, true, 0},
    MenuDesign{"CmdShowOption", "オプション...(&O)", 1, true, kCmdShowOption},
    MenuDesign{"MHelp", "ヘルプ(&H)", 0, true, 0},
    MenuDesign{"CmdHelpRef", "ヘルプを開く(&H)...", 1, true, kCmdHelpRef},
    MenuDesign{"MHelpk001", "-", 1, true, 0},
    MenuDesign{"CmdOpenHP", "ホームページを開く(&W)...", 1, true, kCmdOpenHP},
    MenuDesign{"CmdSoftwareVote", "ソフトを評価 [Votrix] (&V)...", 1, true, kCmdSoftwareVote},
    MenuDesign{"MHelpk002", "-", 1, true, 0},
    MenuDesign{"CmdShowVersionInfo", "バージョン情報(&A)...", 1, true, kCmdShowVersionInfo},
    MenuDesign{"TaskTrayMenu", "TaskTrayMenu", 0, false, 0},
    MenuDesign{"TMAllZentab", "一括Zentab!!(&L)", 1, false, kTMAllZentab},
    MenuDesign{"TMCmdVisible", "監視画面を開く(&W)...", 1, false, kTMCmdVisible},
    MenuDesign{"TMk001", "-", 1, false, 0},
    MenuDesign{"TMCmdOption", "オプション(&O)...", 1, false, kTMCmdOption},
    MenuDesign{"TMk002", "-", 1, false, 0},
    MenuDesign{"TMCmdHelpRef", "ヘルプ(&H)...", 1, false, kTMCmdHelpRef},
    MenuDesign{"TMCmdOpenHP", "ホームページを開く(&H)...", 1, false, kTMCmdOpenHP},
    MenuDesign{"TMCmdShowVersionInfo", "バージョン情報(&A)...", 1, false, kTMCmdShowVersionInfo},
    MenuDesign{"TMk003", "-", 1, false, 0},
    MenuDesign{"TMCmdExit", "終了(&X)", 1, false, kTMCmdExit},
};

constexpr FormDesign kWatcher{
    "Watcher", "Zentab Ver$.$ - Watcher", 9975, 3795, true, false, false, kControls, kMenus,
};

}  // namespace

const FormDesign& WatcherForm() {
  return kWatcher;
}

}  // namespace zentab
