// The vote window's design.
#pragma once

#include <array>
#include <string_view>

#include "platform/form_design.h"

namespace zentab {

const FormDesign& VotrixForm();

// The ratings offered, worst first: an item's position plus 1 is its rating.
inline constexpr std::array<std::string_view, 5> kVoteItems{
    "1-だめだこりゃ", "2-物足りない", "3-妥当・普通", "4-結構ナイス", "5-パーフェクト",
};

// Control ids within the vote window.
enum VotrixControlId : int {
  kVotVoteMeId = 1301,
  kVotVotrixIconId,
  kVotThanks0Id,
  kVotThanks1Id,
  kVotThanks2Id,
  kVotSelectOneId,
  kVotVoteId,
  kVotSubmitId,
  kVotResetId,
};

}  // namespace zentab
