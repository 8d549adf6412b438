// The options dialog: what it shows of the settings in force, what OK writes and applies, what
// Cancel and a refused save leave.
#include "fixture.h"
#include "options/options_design.h"
#include "options/options_dialog.h"

namespace zentab::test {
namespace {

using namespace options_dialog;

class OptionsTest : public MainWindowTest {
 protected:
  // The dialog over the settings in force, loaded as the options command loads it.
  void Open() {
    dialog = std::make_unique<FakeView>(OptionsDesign(), journal);
    options = std::make_unique<OptionsDialog>(
        *dialog, shell, settings, browsers,
        SettingsTargets{PauseBox(), List(main_window::PastLst), view.Get(main_window::MaxWatchNum),
                        view.Get(main_window::MaxLogNum), Timer()});
    dialog->SetEvents(options.get());
    options->Load();
  }
  bool Selected(ControlId<OptionButton> id) { return dialog->Get(id).Value(); }
  std::string Shown() {
    std::string shown;
    for (auto id : {IsChkModeOp0, IsChkModeOp1, IsChkModeOp2, IsUsePastLogOp0, IsUsePastLogOp1})
      shown += Selected(id) ? "1" : "0";
    for (auto id : {AS_RedirectB, AS_RedirectA, AS_BoardLink})
      shown += std::to_string(dialog->Get(id).Value());
    return shown + " " + dialog->Get(HMWatch).Text() + " " + dialog->Get(HMLog).Text() + " " +
           dialog->Get(HMInterval).Caption();
  }
  // What the user does with a spin control or the bar: its value, then its Change event.
  void UserSets(ControlId<RangeControl> id, int value) {
    dialog->As<FakeRange>(id).UserSets(value);
    options->Change(id);
  }
  void ChangeEveryControl() {
    dialog->As<FakeOptionButton>(IsChkModeOp0).UserSelects();
    dialog->As<FakeOptionButton>(IsUsePastLogOp1).UserSelects();
    UserSets(HMWatchUD, 25);
    UserSets(HMLogUD, 120);
    UserSets(HSInterval, 12);
    dialog->As<FakeCheckBox>(AS_RedirectB).UserSets(1);
    dialog->As<FakeCheckBox>(AS_BoardLink).UserSets(1);
  }
  Lines Writes() { return Calls({"Write"}); }

  ConnectedBrowsers browsers{shell};
  std::unique_ptr<FakeView> dialog;
  std::unique_ptr<OptionsDialog> options;
};

TEST_F(OptionsTest, TheDialogShowsTheSettingsInForceWithEachRowsTip) {
  shell.minor = 5;
  Load();
  Open();
  EXPECT_EQ(dialog->Window().Caption(), "Zentab Ver2.5 - Options");
  EXPECT_EQ(Shown(), "00110000 10 50 5.0 秒");
  const ControlId<Label> rows[] = {Label1, Label2, Label3, Label4, Label5, Label6};
  for (int row = 0; row < 6; ++row)
    EXPECT_EQ(dialog->As<FakeLabel>(rows[row]).Tip(), kRowToolTips[row]) << row;
  EXPECT_EQ(dialog->As<FakeCheckBox>(IsKeepSession).Tip(), kKeepSessionToolTip);
  EXPECT_EQ(dialog->As<FakeCheckBox>(IsRunAtStartup).Tip(), kRunAtStartupToolTip);
  EXPECT_EQ(dialog->As<FakeCheckBox>(IsWatchBrowsers).Tip(), kWatchBrowsersToolTip);
  EXPECT_EQ(dialog->As<FakeLabel>(Label8).Tip(), kConnectedBrowsersToolTip);
}

// The redirect boxes show the bits of Through only from 1 to 7.
TEST_F(OptionsTest, ValuesNoControlCanShowAreShownAtTheNearestEndAndHalfSecondsAtTheEvenOne) {
  Load();
  const struct {
    Settings in;
    int interval;
    const char* shown;
  } cases[] = {
      {{5, 7, 140, 0, 9}, 60000, "00101000 100 1 30.0 秒"},
      {{-1, -1, -4, 2500, -1}, 400, "10001000 1 2000 1.0 秒"},
      {{1, 0, 10, 50, 1}, 2500, "01010100 10 50 2.0 秒"},
      {{2, 0, 10, 50, 2}, 3500, "00110010 10 50 4.0 秒"},
      {{0, 0, 10, 50, 7}, 5000, "10010111 10 50 5.0 秒"},
  };
  for (const auto& c : cases) {
    settings = c.in;
    Timer().SetInterval(c.interval);
    Open();
    EXPECT_EQ(Shown(), c.shown) << c.interval;
  }
}

TEST_F(OptionsTest, OkWritesEveryEntryInOrderThenAppliesThemToTheMainWindow) {
  Load();
  Open();
  ChangeEveryControl();
  journal.entries.clear();
  options->Click(cmdOK);
  const std::string path = " " + kIniPath;
  EXPECT_EQ(Writes(),
            (Lines{"Write User 警告 " + std::string(kSettingsWarning) + path,
                   "Write Option ChkMode 0" + path, "Write Option DisabledPastLog 1" + path,
                   "Write Option MaxWatch 25" + path, "Write Option MaxLog 120" + path,
                   "Write Option Interval 12000" + path, "Write Option Through 5" + path,
                   "Write Option KeepSession 1" + path}));
  EXPECT_EQ(journal.entries.back(), "Unload");
  EXPECT_EQ(settings, (Settings{0, 1, 25, 120, 5}));
  EXPECT_EQ(Timer().Interval(), 12000);
  EXPECT_EQ(Caption(main_window::MaxLogNum), "Max 120件");
  EXPECT_EQ(LinesOf(main_window::PastLst), (Lines{kPastLogDisabledLine}));

  // 両方 and a past log in use again (the file's bytes are seen in the real exe's checks).
  Open();
  dialog->As<FakeOptionButton>(IsChkModeOp2).UserSelects();
  dialog->As<FakeOptionButton>(IsUsePastLogOp0).UserSelects();
  dialog->As<FakeCheckBox>(AS_RedirectA).UserSets(1);
  options->Click(cmdOK);
  EXPECT_EQ(Ini()["ChkMode"] + Ini()["DisabledPastLog"] + Ini()["Through"], "207");
  EXPECT_TRUE(PauseBox().Visible());
}

TEST_F(OptionsTest, CancelAndTheCloseBoxWriteNothingAndChangeNothing) {
  Load();
  const Settings before = settings;
  for (bool closeBox : {false, true}) {
    Open();
    ChangeEveryControl();
    journal.entries.clear();
    closeBox ? (void)options->QueryUnload() : options->Click(cmdCancel);
    // Every write and every change to the main window's controls is journaled.
    EXPECT_EQ(journal.entries, (Lines{"Unload"})) << closeBox;
    EXPECT_EQ(settings, before) << closeBox;
  }
}

TEST_F(OptionsTest, ARefusedSaveSaysSoKeepsTheDialogAndLeavesTheSettingsInForce) {
  Load();
  const Settings before = settings;
  Open();
  ChangeEveryControl();
  const std::string message =
      "MsgBox " + std::string(kNotWrittenMessage) + "\r\n" + kIniPath + " | Zentab | 48";
  // The first write of this OK fails, then the fourth of the next.
  shell.Fail(FakeShell::Op::Write, 0);
  shell.Fail(FakeShell::Op::Write, 4);
  for (const char* refused : {"Write User", "Write Option MaxWatch"}) {
    journal.entries.clear();
    options->Click(cmdOK);
    EXPECT_EQ(Calls({refused, "MsgBox", "Read", "Unload"}),
              (Lines{Calls({refused}).at(0), message}));
    EXPECT_TRUE(Calls({refused}).at(0).ends_with(" FAILED"));
    EXPECT_EQ(settings, before);
    EXPECT_TRUE(PauseBox().Visible());
  }
  // The user's choices are still there to be saved once the file can be written.
  options->Click(cmdOK);
  EXPECT_TRUE(dialog->Window().unloaded);
  EXPECT_EQ(settings, (Settings{0, 1, 25, 120, 5}));
}

// The box reads the value as Windows does; OK touches it only when the user changed the box, and
// a refusal of the registry leaves everything else of OK undone.
TEST_F(OptionsTest, TheStartupBoxTellsWhetherWindowsStartsThisCopyAndOkChangesOnlyWhatTheUserDid) {
  Load();
  const Settings before = settings;
  const std::string self = "\"C:\\Tools\\Zentab\\zentab.exe\"", other = "\"D:\\Old\\zentab.exe\"";
  const std::vector<std::optional<std::string>> values[] = {
      {std::nullopt, self + " /x", "", "'C:\\Tools\\Zentab\\zentab.exe'",
       "\"C:\\Tools\\Zentab\\zentab.exe", other},
      {self, " c:\\tools\\zentab\\ZENTAB.EXE "}};
  for (const int ticked : {1, 0}) {  // another copy's value last
    for (const auto& value : values[ticked]) {
      shell.startup = value;
      Open();
      EXPECT_EQ(dialog->Get(IsRunAtStartup).Value(), ticked) << value.value_or("none");
    }
  }
  // Untouched, another copy's value stays, under a protected key or one that cannot be read.
  shell.registryReadOnly = true;
  for (const bool unreadable : {false, true}) {
    shell.registryUnreadable = unreadable;
    Open();
    journal.entries.clear();
    options->Click(cmdOK);
    EXPECT_TRUE(Calls({"SetStartup", "RemoveStartup", "MsgBox"}).empty());
    EXPECT_TRUE(dialog->Window().unloaded);
  }
  shell.registryUnreadable = false;
  Open();
  ChangeEveryControl();
  dialog->As<FakeCheckBox>(IsRunAtStartup).UserSets(1);
  journal.entries.clear();
  options->Click(cmdOK);
  EXPECT_EQ(journal.entries,
            (Lines{"SetStartupCommand " + self,
                   "MsgBox " + std::string(kNotRegisteredMessage) + " | Zentab | 48"}));
  EXPECT_EQ(settings, before);
  // A settings file that cannot be written puts the value back as it was.
  shell.registryReadOnly = false;
  shell.readOnly = true;
  options->Click(cmdOK);
  shell.readOnly = false;
  EXPECT_EQ(Calls({"SetStartup"}), (Lines{"SetStartupCommand " + self, "SetStartupCommand " + self,
                                          "SetStartupCommand " + other}));
  EXPECT_EQ(shell.startup, other);
  options->Click(cmdOK);
  EXPECT_EQ(shell.startup, self);  // this copy, where another one was named
  Open();
  dialog->As<FakeCheckBox>(IsRunAtStartup).UserSets(0);
  options->Click(cmdOK);
  EXPECT_EQ(shell.startup, std::nullopt);
}

}  // namespace
}  // namespace zentab::test
