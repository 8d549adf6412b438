// The about window's design.
#pragma once

#include "platform/form_design.h"

namespace zentab {

const FormDesign& VerInfoForm();

// Control ids within the about window.
enum VerInfoControlId : int {
  kVerBackGroundId = 1201,
  kVerLogoId,
  kVerSoftIconId,
  kVerVersionsId,
  kVerLine1Id,
  kVerNoteId,
  kVerLine2Id,
  kVerCopyrightId,
  kVerURLId,
  kVerCloseWinId,
};

}  // namespace zentab
