// The options dialog: shows the settings in force, and on OK writes every key of the settings
// file and applies it to the main window.
#pragma once

#include <string_view>

#include "platform/form_host.h"
#include "platform/shell_services.h"
#include "settings/settings.h"

namespace zentab {

inline constexpr const char* kSettingsWarning =
    "このファイルを直接操作すると予期しない動作をする場合があります。"
    "必ずソフト本体のオプションから設定してください。";

class OptionsDialog : public ModalForm {
 public:
  OptionsDialog(FormView& view, ShellServices& shell, Settings& settings,
                SettingsTargets mainWindow);

  void Load() override;
  // The close box discards the edits, as Cancel does.
  bool QueryUnload() override;
  void Click(std::string_view control) override;
  void Change(std::string_view control) override;

  void OnIntervalChange();
  void OnOk();
  void OnCancel();

 private:
  void SetDialogTexts();
  // Registers the program to start at sign-in as the box says; false when the registry refuses.
  bool ApplyStartup();
  // Writes the entries in order; false at the first that fails.
  bool WriteEverything();

  FormView& view_;
  ShellServices& shell_;
  Settings& settings_;
  SettingsTargets mainWindow_;
  OptionButton* isChkModeOp_[3];
  OptionButton* isUsePastLogOp_[2];
  TextBox& hmWatch_;
  RangeControl& hmWatchUD_;
  TextBox& hmLog_;
  RangeControl& hmLogUD_;
  RangeControl& hsInterval_;
  Label& hmInterval_;
  CheckBox& asRedirectB_;
  CheckBox& asRedirectA_;
  CheckBox& asBoardLink_;
  CheckBox& isKeepSession_;
  CheckBox& isRunAtStartup_;
};

}  // namespace zentab
