// The vote window's design.
#pragma once

#include <array>
#include <string_view>

#include "platform/form_design.h"

namespace zentab {

const FormDesign& VoteDesign();

// The ratings offered, worst first: an item's position plus 1 is its rating.
inline constexpr std::array<std::string_view, 5> kVoteItems{
    "1-だめだこりゃ", "2-物足りない", "3-妥当・普通", "4-結構ナイス", "5-パーフェクト",
};

// The vote window's controls by their design names.
namespace vote_window {

inline constexpr ControlId<Label> VoteMe{"VoteMe", 1301};
inline constexpr ControlId<Control> VotrixIcon{"VotrixIcon", 1302};
inline constexpr ControlId<Label> Thanks0{"Thanks(0)", 1303};
inline constexpr ControlId<Label> Thanks1{"Thanks(1)", 1304};
inline constexpr ControlId<Label> Thanks2{"Thanks(2)", 1305};
inline constexpr ControlId<Label> SelectOne{"SelectOne", 1306};
inline constexpr ControlId<ComboBox> Vote{"Vote", 1307};
inline constexpr ControlId<CommandButton> Submit{"Submit", 1308};
inline constexpr ControlId<CommandButton> Reset{"Reset", 1309};

}  // namespace vote_window
}  // namespace zentab
