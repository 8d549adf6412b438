// The about window's design.
#pragma once

#include "platform/form_design.h"

namespace zentab {

const FormDesign& AboutDesign();

// The about window's controls by their design names.
namespace about_window {

inline constexpr ControlId<Control> BackGround{"BackGround", 1201};
inline constexpr ControlId<Control> Logo{"Logo", 1202};
inline constexpr ControlId<Control> SoftIcon{"SoftIcon", 1203};
inline constexpr ControlId<Label> Versions{"Versions", 1204};
inline constexpr ControlId<Control> Line1{"Line1", 1205};
inline constexpr ControlId<Label> Note{"Note", 1206};
inline constexpr ControlId<Control> Line2{"Line2", 1207};
inline constexpr ControlId<Label> Copyright{"Copyright", 1208};
inline constexpr ControlId<Label> URL{"URL", 1209};
inline constexpr ControlId<CommandButton> CloseWin{"CloseWin", 1210};

}  // namespace about_window
}  // namespace zentab
