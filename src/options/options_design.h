// The options dialog's design: caption, size and its control table in tab order.
#pragma once

#include "platform/form_design.h"

namespace zentab {

const FormDesign& OptionsDesign();

// The options dialog's controls by their design names.
namespace options_dialog {

inline constexpr ControlId<Label> Label7{"Label7", 1101};
inline constexpr ControlId<Control> FrWatch{"FrWatch", 1102};
inline constexpr ControlId<Label> Label1{"Label1", 1103};
inline constexpr ControlId<Control> FrChkMode{"FrChkMode", 1104};
inline constexpr ControlId<OptionButton> IsChkModeOp0{"IsChkModeOp(0)", 1105};
inline constexpr ControlId<OptionButton> IsChkModeOp1{"IsChkModeOp(1)", 1106};
inline constexpr ControlId<OptionButton> IsChkModeOp2{"IsChkModeOp(2)", 1107};
inline constexpr ControlId<Label> Label2{"Label2", 1108};
inline constexpr ControlId<Control> FrLog{"FrLog", 1109};
inline constexpr ControlId<OptionButton> IsUsePastLogOp0{"IsUsePastLogOp(0)", 1110};
inline constexpr ControlId<OptionButton> IsUsePastLogOp1{"IsUsePastLogOp(1)", 1111};
inline constexpr ControlId<CheckBox> IsKeepSession{"IsKeepSession", 1127};
inline constexpr ControlId<CheckBox> IsRunAtStartup{"IsRunAtStartup", 1128};
inline constexpr ControlId<CheckBox> IsWatchBrowsers{"IsWatchBrowsers", 1129};
inline constexpr ControlId<Label> Label8{"Label8", 1130};
inline constexpr ControlId<Label> Label3{"Label3", 1112};
inline constexpr ControlId<TextBox> HMWatch{"HMWatch", 1113};
inline constexpr ControlId<RangeControl> HMWatchUD{"HMWatchUD", 1114};
inline constexpr ControlId<Label> Label4{"Label4", 1115};
inline constexpr ControlId<TextBox> HMLog{"HMLog", 1116};
inline constexpr ControlId<RangeControl> HMLogUD{"HMLogUD", 1117};
inline constexpr ControlId<Label> Label5{"Label5", 1118};
inline constexpr ControlId<RangeControl> HSInterval{"HSInterval", 1119};
inline constexpr ControlId<Label> HMInterval{"HMInterval", 1120};
inline constexpr ControlId<Label> Label6{"Label6", 1121};
inline constexpr ControlId<CheckBox> AS_RedirectB{"AS_RedirectB", 1122};
inline constexpr ControlId<CheckBox> AS_RedirectA{"AS_RedirectA", 1123};
inline constexpr ControlId<CheckBox> AS_BoardLink{"AS_BoardLink", 1124};
inline constexpr ControlId<CommandButton> cmdOK{"cmdOK", 1125};
inline constexpr ControlId<CommandButton> cmdCancel{"cmdCancel", 1126};

}  // namespace options_dialog
}  // namespace zentab
