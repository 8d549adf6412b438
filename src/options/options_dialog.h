// The options dialog: shows the settings in force, and on OK writes every key of the settings
// file and applies it to the main window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browsers/connected_browsers.h"
#include "browsers/registration.h"
#include "platform/form_host.h"
#include "platform/shell_services.h"
#include "settings/settings.h"

namespace zentab {

inline constexpr const char* kSettingsWarning =
    "このファイルを直接操作すると予期しない動作をする場合があります。"
    "必ずソフト本体のオプションから設定してください。";

// What each row of the dialog is for, shown when the mouse points at its caption or box.
inline constexpr const char* kRowToolTips[] = {
    "監視ウィンドウに表示する対象を設定します。",
    "過去に監視したログ機能を取得しておくかどうかを設定します。",
    "監視するウィンドウの最大を入力します。チェックモードに関わらずInternet Explorer及び"
    "Explorer両方の監視合計値を設定してください。",
    "過去ログ機能に保存する最大件数を設定してください。",
    "ウィンドウをスキャンする間隔を設定してください。",
    "リダイレクトページを自動的にスキップしたいサイトを設定してください。リンク先のファイルを"
    "信頼できる場合のみこの機能を使用してください。",
};
inline constexpr const char* kKeepSessionToolTip =
    "監視項目を Zentab2.session に記録し、次に起動したときに過去ログの先頭に表示します。";
inline constexpr const char* kRunAtStartupToolTip =
    "Windows にサインインしたときに Zentab を自動的に起動します。";
inline constexpr const char* kWatchBrowsersToolTip =
    "Chrome・Edge・Firefox に Zentab の拡張機能を入れると、開いているタブも監視項目に加わります。";
inline constexpr const char* kConnectedBrowsersToolTip =
    "Zentab の拡張機能を通していま Zentab とつながっているブラウザです。";
inline constexpr const char* kConnectedBrowsersHead = "接続中のブラウザ: ";
inline constexpr const char* kNoBrowserConnected = "なし";
inline constexpr const char* kNotLinkedMessage = "ブラウザ連携を登録できませんでした。";
inline constexpr const char* kNotWrittenMessage = "設定ファイルに書き込めませんでした。";
inline constexpr const char* kNotRegisteredMessage = "スタートアップに登録できませんでした。";

class OptionsDialog : public ModalForm {
 public:
  OptionsDialog(FormView& view, ShellServices& shell, Settings& settings,
                ConnectedBrowsers& browsers, SettingsTargets mainWindow);

  void Load() override;
  // The close box discards the edits, as Cancel does.
  bool QueryUnload() override;
  void Click(std::string_view control) override;
  void Change(std::string_view control) override;

  void OnIntervalChange();
  void OnOk();
  void OnCancel();

 private:
  using Undo = BrowserRegistration::Undo;
  void SetDialogTexts();
  // Whether Windows runs this program alone for the command line, as it reads one.
  bool NamesThisProgram(std::string_view command);
  // Registers the program to start at sign-in as the box says, when the user changed the box;
  // false when the registry refuses. `undo` learns how to put the value back.
  bool ApplyStartup(Undo& undo);
  // Lets the browsers start the host, or no longer, when the user changed the box; what failed.
  std::optional<std::string> ApplyBrowsers(Undo& undo);
  // Writes the entries in order; false at the first that fails.
  bool WriteEverything();

  FormView& view_;
  ShellServices& shell_;
  Settings& settings_;
  ConnectedBrowsers& browsers_;
  BrowserRegistration registration_;
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
  CheckBox& isWatchBrowsers_;
  // The Run value as the dialog found it (nothing when it could not be read), and the box then.
  std::optional<std::optional<std::string>> startupFound_;
  int startupShown_ = 0;
  int browsersShown_ = 0;
};

}  // namespace zentab
