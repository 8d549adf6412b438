#include "app/watcher_form.h"

#include <array>

namespace zentab {
namespace {

using K = ControlKind;
using A = Align;

constexpr std::array kControls{
    ControlSpec{"Label1", K::Label, "監視項目(&W):", 120, 180, 1095, 195, true, A::Left, kLabel1Id},
    ControlSpec{"WatchLst", K::ListBox, "", 1260, 180, 8535, 1500, true, A::Left, kWatchLstId},
    ControlSpec{"Label2", K::Label, "過去ログ(&P):", 120, 1860, 1095, 195, true, A::Left, kLabel2Id},
    ControlSpec{"PastLst", K::ListBox, "", 1260, 1860, 8535, 1500, true, A::Left, kPastLstId},
    ControlSpec{"WatchLstTmp", K::ListBox, "", 60, 3060, 1155, 240, false, A::Left,
                kWatchLstTmpId},
    ControlSpec{"IsPastLogMake", K::CheckBox, "過去ログ生成 一時停止(&Q)", 1260, 3480, 2475, 255,
                true, A::Left, kIsPastLogMakeId},
    ControlSpec{"SysTrayPic", K::PictureBox, "", 540, 2640, 315, 315, false, A::Left,
                kSysTrayPicId},
    ControlSpec{"MaxWatchNum", K::Label, "*/*", 120, 420, 975, 195, true, A::Center,
                kMaxWatchNumId},
    ControlSpec{"MaxLogNum", K::Label, "Max *件", 120, 2100, 855, 195, true, A::Center,
                kMaxLogNumId},
    ControlSpec{"WatchTmr", K::Timer, "", 0, 0, 0, 0, true, A::Left, kWatchTmrId},
};

constexpr std::array kMenus{
    MenuSpec{"MFile", "ファイル(&F)", 0, true, 0},
    MenuSpec{"CmdExit", "終了(&X)", 1, true, kCmdExit},
    MenuSpec{"MOption", "設定(&S)", 0, true, 0},
    MenuSpec{"CmdShowOption", "オプション...(&O)", 1, true, kCmdShowOption},
    MenuSpec{"MHelp", "ヘルプ(&H)", 0, true, 0},
    MenuSpec{"CmdHelpRef", "ヘルプを開く(&H)...", 1, true, kCmdHelpRef},
    MenuSpec{"MHelpk001", "-", 1, true, 0},
    MenuSpec{"CmdOpenHP", "ホームページを開く(&W)...", 1, true, kCmdOpenHP},
    MenuSpec{"CmdSoftwareVote", "ソフトを評価 [Votrix] (&V)...", 1, true, kCmdSoftwareVote},
    MenuSpec{"MHelpk002", "-", 1, true, 0},
    MenuSpec{"CmdShowVersionInfo", "バージョン情報(&A)...", 1, true, kCmdShowVersionInfo},
    MenuSpec{"TaskTrayMenu", "TaskTrayMenu", 0, false, 0},
    MenuSpec{"TMAllZentab", "一括Zentab!!(&L)", 1, false, kTMAllZentab},
    MenuSpec{"TMCmdVisible", "監視画面を開く(&W)...", 1, false, kTMCmdVisible},
    MenuSpec{"TMk001", "-", 1, false, 0},
    MenuSpec{"TMCmdOption", "オプション(&O)...", 1, false, kTMCmdOption},
    MenuSpec{"TMk002", "-", 1, false, 0},
    MenuSpec{"TMCmdHelpRef", "ヘルプ(&H)...", 1, false, kTMCmdHelpRef},
    MenuSpec{"TMCmdOpenHP", "ホームページを開く(&H)...", 1, false, kTMCmdOpenHP},
    MenuSpec{"TMCmdShowVersionInfo", "バージョン情報(&A)...", 1, false, kTMCmdShowVersionInfo},
    MenuSpec{"TMk003", "-", 1, false, 0},
    MenuSpec{"TMCmdExit", "終了(&X)", 1, false, kTMCmdExit},
};

constexpr FormSpec kWatcher{
    "Watcher", "Zentab Ver$.$ - Watcher", 9975, 3795, true, false, false, kControls, kMenus,
};

}  // namespace

const FormSpec& WatcherForm() { return kWatcher; }

}  // namespace zentab
