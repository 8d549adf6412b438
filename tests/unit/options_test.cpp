#include <memory>

#include "fixture.h"
#include "options/options_design.h"
#include "options/options_dialog.h"
#include "platform/text.h"

namespace zentab::test {
namespace {

const std::string kWarning =
    "このファイルを直接操作すると予期しない動作をする場合があります。"
    "必ずソフト本体のオプションから設定してください。";
const std::string kDisabledLine = "過去ログ機能は無効にされています。";

class OptionsTest : public WatcherTest {
 protected:
  // The dialog over the settings in force, loaded as the options command loads it.
  void Open() {
    dialog = std::make_unique<MemoryFormView>(OptionsDesign(), journal);
    options = std::make_unique<OptionsDialog>(*dialog, shell, settings, MainWindowTargets());
    dialog->SetEvents(options.get());
    options->Load();
  }

  bool Selected(const char* button) { return dialog->Get<MemoryOptionButton>(button).Value(); }
  int Ticked(const char* box) { return dialog->CheckBoxNamed(box).Value(); }
  std::string Text(const char* box) { return dialog->Get<MemoryTextBox>(box).Text(); }
  // What the user does with a spin control or the bar: its value, then its Change event.
  void UserSets(const char* name, int value) {
    dialog->Get<MemoryRangeControl>(name).UserSets(value);
    options->Change(name);
  }
  // Every control changed from what a missing file shows.
  void ChangeEveryControl() {
    dialog->Get<MemoryOptionButton>("IsChkModeOp(0)").UserSelects();
    dialog->Get<MemoryOptionButton>("IsUsePastLogOp(1)").UserSelects();
    UserSets("HMWatchUD", 25);
    UserSets("HMLogUD", 120);
    UserSets("HSInterval", 12);
    dialog->CheckBoxNamed("AS_RedirectB").UserSets(1);
    dialog->CheckBoxNamed("AS_RedirectA").UserSets(0);
    dialog->CheckBoxNamed("AS_BoardLink").UserSets(1);
  }

  std::unique_ptr<MemoryFormView> dialog;
  std::unique_ptr<OptionsDialog> options;
};

TEST_F(OptionsTest, WithoutAFileTheDialogLoadsInItsOrderAndShowsTheDefaults) {
  Load();
  Open();
  EXPECT_EQ(
      journal.entries,
      (Lines{"Form.Caption Zentab Ver2.0 - Options",
             "Label1.ToolTipText 監視ウィンドウに表示する対象を設定します。",
             "Label2.ToolTipText 過去に監視したログ機能を取得しておくかどうかを設定します。",
             "Label3.ToolTipText "
             "監視するウィンドウの最大を入力します。チェックモードに関わらずInternet Explorer及"
             "びExplorer両方の監視合計値を設定してください。",
             "Label4.ToolTipText 過去ログ機能に保存する最大件数を設定してください。",
             "Label5.ToolTipText ウィンドウをスキャンする間隔を設定してください。",
             "Label6.ToolTipText "
             "リダイレクトページを自動的にスキップしたいサイトを設定してください。リンク先のファ"
             "イルを信頼できる場合のみこの機能を使用してください。",
             "HMInterval.Caption 1.0 秒", "IsChkModeOp(2).Value 1", "IsUsePastLogOp(0).Value 1",
             "HMWatchUD.Value 10", "HMWatch.Text 10", "HMLogUD.Value 50", "HMLog.Text 50",
             "HSInterval.Value 5", "HMInterval.Caption 5.0 秒"}));
}

TEST_F(OptionsTest, TheRedirectBoxesShowTheBitsOfThroughOnlyFromOneToSeven) {
  Load();
  const std::pair<int, const char*> cases[] = {{0, "000"}, {1, "100"}, {2, "010"}, {3, "110"},
                                               {4, "001"}, {5, "101"}, {6, "011"}, {7, "111"},
                                               {8, "000"}, {9, "000"}, {-1, "000"}};
  for (const auto& [through, boxes] : cases) {
    settings.Through = static_cast<std::int16_t>(through);
    Open();
    const std::string ticked = std::to_string(Ticked("AS_RedirectB")) +
                               std::to_string(Ticked("AS_RedirectA")) +
                               std::to_string(Ticked("AS_BoardLink"));
    EXPECT_EQ(ticked, boxes) << "Through " << through;
  }
}

TEST_F(OptionsTest, ValuesNoControlCanShowAreShownAtTheNearestEndAndHalfSecondsAtTheEvenOne) {
  Load();
  const struct {
    Settings in;
    int interval;
    const char *chkMode, *pastLog, *watch, *log, *seconds;
  } cases[] = {
      {{5, 7, 40, 0, 0}, 60000, "IsChkModeOp(2)", "IsUsePastLogOp(1)", "30", "1", "30.0 秒"},
      {{-1, 0, -4, 900, 0}, 400, "IsChkModeOp(0)", "IsUsePastLogOp(0)", "1", "200", "1.0 秒"},
      {{2, 0, 10, 50, 0}, 2500, "IsChkModeOp(2)", "IsUsePastLogOp(0)", "10", "50", "2.0 秒"},
      {{2, 0, 10, 50, 0}, 3500, "IsChkModeOp(2)", "IsUsePastLogOp(0)", "10", "50", "4.0 秒"},
  };
  for (const auto& c : cases) {
    settings = c.in;
    view.TimerNamed("WatchTmr").SetInterval(c.interval);
    Open();
    EXPECT_TRUE(Selected(c.chkMode)) << c.interval;
    EXPECT_TRUE(Selected(c.pastLog)) << c.interval;
    EXPECT_EQ(Text("HMWatch"), c.watch) << c.interval;
    EXPECT_EQ(Text("HMLog"), c.log) << c.interval;
    EXPECT_EQ(dialog->LabelNamed("HMInterval").Caption(), c.seconds) << c.interval;
  }
}

TEST_F(OptionsTest, OkWithoutChangesRewritesAllSevenEntriesInOrderThenAppliesThem) {
  Load();
  Open();
  journal.Clear();
  options->Click("cmdOK");

  const std::string path = " " + ProgramIniPath();
  EXPECT_EQ(Calls({"WriteProfileText"}), (Lines{"WriteProfileText User 警告 " + kWarning + path,
                                                "WriteProfileText Option ChkMode 2" + path,
                                                "WriteProfileText Option DisabledPastLog 0" + path,
                                                "WriteProfileText Option MaxWatch 10" + path,
                                                "WriteProfileText Option MaxLog 50" + path,
                                                "WriteProfileText Option Interval 5000" + path,
                                                "WriteProfileText Option Through 0" + path}));
  EXPECT_EQ(Calls({"ReadProfileInt"}).size(), 6u);
  EXPECT_EQ(journal.entries.back(), "Form.Unload");
}

TEST_F(OptionsTest, OkStoresWhatTheDialogShowsAndAppliesItThroughTheFile) {
  Load();
  Open();
  ChangeEveryControl();
  options->Click("cmdOK");
  EXPECT_EQ(settings, (Settings{0, 1, 25, 120, 5}));
  EXPECT_EQ(Interval(), 12000);
  EXPECT_EQ(Caption("MaxWatchNum"), "0/25");
  EXPECT_EQ(Caption("MaxLogNum"), "Max 120件");
  EXPECT_EQ(ListOf("PastLst"), (Lines{kDisabledLine}));
  EXPECT_FALSE(PauseBox().Visible());

  // A hand-edited 7 is shown as not in use and stored back as 1.
  WriteIni("[Option]\nDisabledPastLog=7\n");
  ApplySettings();
  Open();
  EXPECT_TRUE(Selected("IsUsePastLogOp(1)"));
  options->Click("cmdOK");
  EXPECT_TRUE(Contains(ReadBytes(IniPath()), "DisabledPastLog=1\r\n"));
}

TEST_F(OptionsTest, CancelAndTheCloseBoxWriteNothingAndChangeNothing) {
  Load();
  const Settings before = settings;
  for (bool closeBox : {false, true}) {
    Open();
    ChangeEveryControl();
    journal.Clear();
    if (closeBox) {
      EXPECT_TRUE(options->QueryUnload());
    } else {
      options->Click("cmdCancel");
    }
    // Every write and every change to the main window's controls is journaled.
    EXPECT_EQ(journal.entries, (Lines{"Form.Unload"})) << closeBox;
    EXPECT_EQ(settings, before) << closeBox;
  }
}

TEST_F(OptionsTest, AFailedSaveSaysSoKeepsTheDialogAndLeavesTheSettingsInForce) {
  Load();
  const Settings before = settings;
  Open();
  ChangeEveryControl();
  const std::string path = ProgramIniPath();
  const std::string message =
      "MsgBox 設定ファイルに書き込めませんでした。\r\n" + path + " | Zentab | 48";
  // Writes count from the first: the first of this OK, then the fourth of the next.
  shell.Fail(SimulatedShell::Op::WriteProfile, 0);
  shell.Fail(SimulatedShell::Op::WriteProfile, 4);
  journal.Clear();
  options->Click("cmdOK");
  EXPECT_EQ(Calls({"WriteProfileText", "MsgBox"}),
            (Lines{"WriteProfileText User 警告 " + kWarning + " " + path + " FAILED", message}));

  journal.Clear();
  options->Click("cmdOK");
  EXPECT_EQ(Calls({"WriteProfileText Option MaxWatch", "WriteProfileText Option MaxLog", "MsgBox",
                   "ReadProfileInt", "Form."}),
            (Lines{"WriteProfileText Option MaxWatch 25 " + path + " FAILED", message}));
  EXPECT_FALSE(dialog->Window().Unloaded());
  EXPECT_EQ(settings, before);
  EXPECT_TRUE(PauseBox().Visible());

  // The user's choices are still there to be saved once the file can be written.
  options->Click("cmdOK");
  EXPECT_TRUE(dialog->Window().Unloaded());
  EXPECT_EQ(settings, (Settings{0, 1, 25, 120, 5}));
}

}  // namespace
}  // namespace zentab::test
