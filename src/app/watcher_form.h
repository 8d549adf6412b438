// The main window's design: caption, controls in tab order, menu bar and the tray's popup menu.
#pragma once

#include "platform/form_design.h"

namespace zentab {

const FormDesign& WatcherForm();

// Command ids of the menu items, also used by programs that drive the window from outside.
enum WatcherCommand : int {
  kCmdExit = 101,
  kCmdShowOption = 111,
  kCmdHelpRef = 121,
  kCmdOpenHP = 122,
  kCmdSoftwareVote = 123,
  kCmdShowVersionInfo = 124,
  kTMAllZentab = 201,
  kTMCmdVisible = 202,
  kTMCmdOption = 203,
  kTMCmdHelpRef = 204,
  kTMCmdOpenHP = 205,
  kTMCmdShowVersionInfo = 206,
  kTMCmdExit = 207,
};

// Control ids within the main window.
enum WatcherControlId : int {
  kLabel1Id = 1001,
  kWatchLstId = 1002,
  kLabel2Id = 1003,
  kPastLstId = 1004,
  kWatchLstTmpId = 1005,
  kIsPastLogMakeId = 1006,
  kSysTrayPicId = 1007,
  kMaxWatchNumId = 1008,
  kMaxLogNumId = 1009,
  kWatchTmrId = 1010,
};

}  // namespace zentab
