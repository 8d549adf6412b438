// The options dialog's design: caption, size and its control table in tab order.
#pragma once

#include "platform/form_design.h"

namespace zentab {

const FormDesign& OptionsForm();

// Control ids within the options dialog.
enum OptionsControlId : int {
  kOptLabel7Id = 1101,
  kOptFrWatchId,
  kOptLabel1Id,
  kOptFrChkModeId,
  kOptIsChkModeOp0Id,
  kOptIsChkModeOp1Id,
  kOptIsChkModeOp2Id,
  kOptLabel2Id,
  kOptFrLogId,
  kOptIsUsePastLogOp0Id,
  kOptIsUsePastLogOp1Id,
  kOptLabel3Id,
  kOptHMWatchId,
  kOptHMWatchUDId,
  kOptLabel4Id,
  kOptHMLogId,
  kOptHMLogUDId,
  kOptLabel5Id,
  kOptHSIntervalId,
  kOptHMIntervalId,
  kOptLabel6Id,
  kOptASRedirectBId,
  kOptASRedirectAId,
  kOptASBoardLinkId,
  kOptCmdOKId,
  kOptCmdCancelId,
};

}  // namespace zentab
