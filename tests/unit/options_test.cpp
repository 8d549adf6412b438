#include "settings/options.h"

#include <memory>

#include "fixture.h"
#include "platform/text.h"
#include "settings/options_form.h"

namespace zentab::test {
namespace {

const std::string kWarning =
    "このファイルを直接操作すると予期しない動作をする場合があります。"
    "必ずソフト本体のオプションから設定してください。";

class OptionsTest : public WatcherTest {
 protected:
  // The dialog over the settings in force, loaded as the options command loads it.
  void Open() {
    dialog = std::make_unique<MemoryFormView>(OptionsForm(), journal);
    options = std::make_unique<Options>(*dialog, shell, settings, MainWindowTargets());
    dialog->SetEvents(options.get());
    options->Form_Load();
  }

  bool Selected(const char* button) { return dialog->Get<MemoryOptionButton>(button).Value(); }
  int Ticked(const char* box) { return dialog->CheckBoxNamed(box).Value(); }
  std::string Text(const char* box) { return dialog->Get<MemoryTextBox>(box).Text(); }
  std::vector<int> RedirectBoxes() {
    return {Ticked("AS_RedirectB"), Ticked("AS_RedirectA"), Ticked("AS_BoardLink")};
  }
  MemoryRangeControl& Range(const char* name) { return dialog->Get<MemoryRangeControl>(name); }
  // What the user does with a spin control or the bar: its value, then its Change event.
  void UserSets(const char* name, int value) {
    Range(name).UserSets(value);
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
  // A past log with lines and its pause ticked.
  void FillAndPauseThePastLog() {
    shell.OpenWindow("Page", "http://page.example/");
    Scan();
    view.CheckBoxNamed("IsPastLogMake").UserSets(1);
  }

  std::unique_ptr<MemoryFormView> dialog;
  std::unique_ptr<Options> options;
};

TEST_F(OptionsTest, WithoutAFileTheDialogLoadsInItsOrderAndShowsTheDefaults) {
  Load();
  Open();
  EXPECT_EQ(journal.entries,
            (Lines{
                "Form.Caption Zentab Ver2.0 - Options",
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
                "HMInterval.Caption 1.0 秒",
                "IsChkModeOp(2).Value 1",
                "IsUsePastLogOp(0).Value 1",
                "HMWatchUD.Value 10",
                "HMWatch.Text 10",
                "HMLogUD.Value 50",
                "HMLog.Text 50",
                "HSInterval.Value 5",
                "HMInterval.Caption 5.0 秒",
            }));
  EXPECT_FALSE(Selected("IsChkModeOp(0)"));
  EXPECT_FALSE(Selected("IsUsePastLogOp(1)"));
  EXPECT_EQ(RedirectBoxes(), (std::vector<int>{0, 0, 0}));
}

TEST_F(OptionsTest, TheRedirectBoxesShowTheBitsOfThroughOnlyFromOneToSeven) {
  Load();
  const std::vector<std::pair<int, std::vector<int>>> cases{
      {0, {0, 0, 0}}, {1, {1, 0, 0}}, {2, {0, 1, 0}},  {3, {1, 1, 0}},
      {4, {0, 0, 1}}, {5, {1, 0, 1}}, {6, {0, 1, 1}},  {7, {1, 1, 1}},
      {8, {0, 0, 0}}, {9, {0, 0, 0}}, {-1, {0, 0, 0}},
  };
  for (const auto& [through, boxes] : cases) {
    settings.Through = static_cast<std::int16_t>(through);
    Open();
    EXPECT_EQ(RedirectBoxes(), boxes) << "Through " << through;
  }
}

TEST_F(OptionsTest, AnIntervalOfHalfSecondsOpensAtTheEvenNeighbourAndOkStoresWholeSeconds) {
  WriteIni("[Option]\nInterval=2500\n");
  Load();
  Open();
  EXPECT_EQ(Range("HSInterval").Value(), 2);
  EXPECT_EQ(dialog->LabelNamed("HMInterval").Caption(), "2.0 秒");
  options->Click("cmdOK");
  EXPECT_EQ(view.TimerNamed("WatchTmr").Interval(), 2000);

  view.TimerNamed("WatchTmr").SetInterval(3500);
  Open();
  EXPECT_EQ(Range("HSInterval").Value(), 4);
}

TEST_F(OptionsTest, ValuesNoControlCanShowAreShownAtTheNearestEnd) {
  Load();
  settings = Settings{5, 7, 40, 0, 0};
  view.TimerNamed("WatchTmr").SetInterval(60000);
  Open();
  EXPECT_TRUE(Selected("IsChkModeOp(2)"));
  EXPECT_TRUE(Selected("IsUsePastLogOp(1)"));
  EXPECT_EQ(Text("HMWatch"), "30");
  EXPECT_EQ(Text("HMLog"), "1");
  EXPECT_EQ(dialog->LabelNamed("HMInterval").Caption(), "30.0 秒");

  settings = Settings{-1, 0, -4, 900, 0};
  view.TimerNamed("WatchTmr").SetInterval(400);
  Open();
  EXPECT_TRUE(Selected("IsChkModeOp(0)"));
  EXPECT_EQ(Text("HMWatch"), "1");
  EXPECT_EQ(Text("HMLog"), "200");
  EXPECT_EQ(Range("HSInterval").Value(), 1);
}

TEST_F(OptionsTest, TheSpinControlsAndTheBarShowTheirValueAsTheyChange) {
  Load();
  Open();
  UserSets("HMWatchUD", 11);
  UserSets("HMLogUD", 60);
  UserSets("HSInterval", 6);
  EXPECT_EQ(Text("HMWatch"), "11");
  EXPECT_EQ(Text("HMLog"), "60");
  EXPECT_EQ(dialog->LabelNamed("HMInterval").Caption(), "6.0 秒");
}

TEST_F(OptionsTest, OkWithoutChangesRewritesAllSevenEntriesEmptiesThePastLogAndEndsAPause) {
  Load();
  FillAndPauseThePastLog();
  Open();
  journal.Clear();
  options->Click("cmdOK");

  const std::string path = " " + folder.Path().string() + "\\Zentab2.ini";
  EXPECT_EQ(Calls({"WriteProfileText"}), (Lines{
                                             "WriteProfileText User 警告 " + kWarning + path,
                                             "WriteProfileText Option ChkMode 2" + path,
                                             "WriteProfileText Option DisabledPastLog 0" + path,
                                             "WriteProfileText Option MaxWatch 10" + path,
                                             "WriteProfileText Option MaxLog 50" + path,
                                             "WriteProfileText Option Interval 5000" + path,
                                             "WriteProfileText Option Through 0" + path,
                                         }));
  EXPECT_EQ(ReadBytes(IniPath()), "[User]\r\n" + ToCodePage932("警告=" + kWarning) +
                                      "\r\n[Option]\r\nChkMode=2\r\nDisabledPastLog=0\r\n"
                                      "MaxWatch=10\r\nMaxLog=50\r\nInterval=5000\r\nThrough=0\r\n");
  EXPECT_TRUE(ListOf("PastLst").empty());
  EXPECT_EQ(view.CheckBoxNamed("IsPastLogMake").Value(), 0);
  EXPECT_TRUE(dialog->Window().Unloaded());
  EXPECT_EQ(journal.entries.back(), "Form.Unload");
}

TEST_F(OptionsTest, OkStoresWhatTheDialogShowsAndAppliesItThroughTheFile) {
  WriteIni("[Option]\nThrough=6\n");
  Load();
  Open();
  EXPECT_EQ(RedirectBoxes(), (std::vector<int>{0, 1, 1}));
  options->Click("cmdOK");
  EXPECT_EQ(settings.Through, 6);

  view.TimerNamed("WatchTmr").SetInterval(2500);
  Open();
  ChangeEveryControl();
  options->Click("cmdOK");
  EXPECT_EQ(settings, (Settings{0, 1, 25, 120, 5}));
  EXPECT_EQ(view.TimerNamed("WatchTmr").Interval(), 12000);
  EXPECT_EQ(Caption("MaxWatchNum"), "0/25");
  EXPECT_EQ(Caption("MaxLogNum"), "Max 120件");
}

TEST_F(OptionsTest, ChoosingNotToUseThePastLogHidesTheTickedPauseBoxAndGreysTheLog) {
  Load();
  shell.OpenWindow("Page", "http://page.example/");
  Scan();
  Open();
  dialog->Get<MemoryOptionButton>("IsUsePastLogOp(1)").UserSelects();
  options->Click("cmdOK");
  EXPECT_EQ(settings.DisabledPastLog, 1);
  EXPECT_FALSE(view.CheckBoxNamed("IsPastLogMake").Visible());
  EXPECT_EQ(view.CheckBoxNamed("IsPastLogMake").Value(), 1);
  EXPECT_EQ(ListOf("PastLst"), (Lines{"過去ログ機能は無効にされています。"}));
  EXPECT_FALSE(view.ListBoxNamed("PastLst").Enabled());

  // A hand-edited 7 is shown as not in use and stored back as 1.
  WriteIni("[Option]\nDisabledPastLog=7\n");
  LoadSettings(shell, settings, MainWindowTargets());
  Open();
  EXPECT_TRUE(Selected("IsUsePastLogOp(1)"));
  options->Click("cmdOK");
  EXPECT_TRUE(Contains(ReadBytes(IniPath()), "DisabledPastLog=1\r\n"));
}

TEST_F(OptionsTest, CancelAndTheCloseBoxWriteNothingAndChangeNothing) {
  Load();
  FillAndPauseThePastLog();
  const Settings before = settings;
  const Lines pastLog = ListOf("PastLst");
  for (bool closeBox : {false, true}) {
    Open();
    ChangeEveryControl();
    journal.Clear();
    if (closeBox) {
      EXPECT_TRUE(options->QueryUnload());
    } else {
      options->Click("cmdCancel");
    }
    EXPECT_EQ(journal.entries, (Lines{"Form.Unload"}));
    EXPECT_EQ(settings, before);
    EXPECT_EQ(ListOf("PastLst"), pastLog);
    EXPECT_TRUE(view.CheckBoxNamed("IsPastLogMake").Visible());
    EXPECT_EQ(view.CheckBoxNamed("IsPastLogMake").Value(), 1);
    EXPECT_EQ(view.TimerNamed("WatchTmr").Interval(), 5000);
  }
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
}

TEST_F(OptionsTest, AFailedSaveSaysSoKeepsTheDialogAndLeavesTheSettingsInForce) {
  Load();
  FillAndPauseThePastLog();
  const Settings before = settings;
  const Lines pastLog = ListOf("PastLst");
  Open();
  ChangeEveryControl();
  const std::string path = folder.Path().string() + "\\Zentab2.ini";
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
  EXPECT_TRUE(view.CheckBoxNamed("IsPastLogMake").Visible());
  EXPECT_EQ(view.CheckBoxNamed("IsPastLogMake").Value(), 1);
  EXPECT_EQ(ListOf("PastLst"), pastLog);
  EXPECT_EQ(Text("HMWatch"), "25");
  EXPECT_TRUE(Selected("IsUsePastLogOp(1)"));

  // The user's choices are still there to be saved once the file can be written.
  options->Click("cmdOK");
  EXPECT_TRUE(dialog->Window().Unloaded());
  EXPECT_EQ(settings, (Settings{0, 1, 25, 120, 5}));
}

}  // namespace
}  // namespace zentab::test
