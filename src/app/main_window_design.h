// The main window's design: caption, controls in tab order, menu bar and the tray's popup menu.
#pragma once

#include "platform/form_design.h"

namespace zentab {

const FormDesign& MainWindowDesign();

// The main window's controls and menu items by their design names.
namespace main_window {

inline constexpr ControlId<Label> Label1{"Label1", 1001};
inline constexpr ControlId<ListBox> WatchLst{"WatchLst", 1002};
inline constexpr ControlId<Label> Label2{"Label2", 1003};
inline constexpr ControlId<ListBox> PastLst{"PastLst", 1004};
// The scan's scratch list, never shown.
inline constexpr ControlId<ListBox> WatchLstTmp{"WatchLstTmp", 1005};
inline constexpr ControlId<CheckBox> IsPastLogMake{"IsPastLogMake", 1006};
// Takes the tray icon's notifications.
inline constexpr ControlId<PictureBox> SysTrayPic{"SysTrayPic", 1007};
inline constexpr ControlId<Label> MaxWatchNum{"MaxWatchNum", 1008};
inline constexpr ControlId<Label> MaxLogNum{"MaxLogNum", 1009};
inline constexpr ControlId<Timer> WatchTmr{"WatchTmr", 1010};

inline constexpr MenuItemId CmdOpenLastSession{"CmdOpenLastSession", 102};
inline constexpr MenuItemId CmdExit{"CmdExit", 101};
inline constexpr MenuItemId CmdShowOption{"CmdShowOption", 111};
inline constexpr MenuItemId CmdHelpRef{"CmdHelpRef", 121};
inline constexpr MenuItemId CmdOpenHP{"CmdOpenHP", 122};
inline constexpr MenuItemId CmdSoftwareVote{"CmdSoftwareVote", 123};
inline constexpr MenuItemId CmdShowVersionInfo{"CmdShowVersionInfo", 124};
// The tray menu.
inline constexpr std::string_view TaskTrayMenu = "TaskTrayMenu";
inline constexpr MenuItemId TMAllZentab{"TMAllZentab", 201};
inline constexpr MenuItemId TMCmdOpenLastSession{"TMCmdOpenLastSession", 208};
inline constexpr MenuItemId TMCmdVisible{"TMCmdVisible", 202};
inline constexpr MenuItemId TMCmdOption{"TMCmdOption", 203};
inline constexpr MenuItemId TMCmdHelpRef{"TMCmdHelpRef", 204};
inline constexpr MenuItemId TMCmdOpenHP{"TMCmdOpenHP", 205};
inline constexpr MenuItemId TMCmdShowVersionInfo{"TMCmdShowVersionInfo", 206};
inline constexpr MenuItemId TMCmdExit{"TMCmdExit", 207};

}  // namespace main_window
}  // namespace zentab
