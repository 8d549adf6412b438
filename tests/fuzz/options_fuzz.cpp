// The options dialog's OK on arbitrary control states, with writes that fail anywhere: either
// everything the dialog showed is in the file and in force, or a message says the file was not
// written and the settings and the main window are as they were.

#include <string>
#include <vector>

#include "main_window.h"
#include "options/options_design.h"
#include "options/options_dialog.h"

namespace zentab::fuzz {
namespace {

// What OK may change in the main window.
struct MainWindowState {
  std::vector<std::string> pastLines;
  bool pauseVisible;
  int pauseValue;
  std::string maxWatchNum, maxLogNum;
  std::int32_t interval;

  explicit MainWindowState(Program& main)
      : pastLines(main.view.ListBoxNamed("PastLst").Lines()),
        pauseVisible(main.view.CheckBoxNamed("IsPastLogMake").Visible()),
        pauseValue(main.view.CheckBoxNamed("IsPastLogMake").Value()),
        maxWatchNum(main.view.LabelNamed("MaxWatchNum").Caption()),
        maxLogNum(main.view.LabelNamed("MaxLogNum").Caption()),
        interval(main.view.TimerNamed("WatchTmr").Interval()) {}
  bool operator==(const MainWindowState&) const = default;
};

bool Same(const Settings& a, const Settings& b) {
  return a.ChkMode == b.ChkMode && a.DisabledPastLog == b.DisabledPastLog &&
         a.MaxWatch == b.MaxWatch && a.MaxLog == b.MaxLog && a.Through == b.Through;
}

// The user's edits: any selection, spin value, bar position and box, and now and then a number
// box's text set as it stands.
void Edit(FuzzedDataProvider& input, MemoryFormView& dialog, OptionsDialog& options) {
  while (input.remaining_bytes() > 0 && input.ConsumeBool()) {
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0:
        dialog
            .Get<MemoryOptionButton>("IsChkModeOp(" +
                                     std::to_string(input.ConsumeIntegralInRange(0, 2)) + ")")
            .UserSelects();
        break;
      case 1:
        dialog
            .Get<MemoryOptionButton>(input.ConsumeBool() ? "IsUsePastLogOp(0)"
                                                         : "IsUsePastLogOp(1)")
            .UserSelects();
        break;
      case 2: {
        static const char* const ranges[] = {"HMWatchUD", "HMLogUD", "HSInterval"};
        const char* name = ranges[input.ConsumeIntegralInRange(0, 2)];
        dialog.Get<MemoryRangeControl>(name).UserSets(input.ConsumeIntegralInRange(-5, 300));
        options.Change(name);
        break;
      }
      case 3: {
        static const char* const boxes[] = {"AS_RedirectB", "AS_RedirectA", "AS_BoardLink"};
        dialog.CheckBoxNamed(boxes[input.ConsumeIntegralInRange(0, 2)])
            .UserSets(input.ConsumeIntegralInRange(0, 1));
        break;
      }
      default:
        dialog.Get<MemoryTextBox>(input.ConsumeBool() ? "HMWatch" : "HMLog")
            .UserTypes(input.ConsumeRandomLengthString(12));
    }
  }
}

bool IsPlainNumber(const std::string& text) {
  if (text.empty() || text.size() > 4) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace
}  // namespace zentab::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentab;
  using namespace zentab::fuzz;
  static Folder folder;
  FuzzedDataProvider input(data, size);

  std::filesystem::remove(folder.IniPath());
  if (input.ConsumeBool()) WriteSettings(input, folder.IniPath());
  Program main(folder.Path());
  if (!main.watcher.Load()) return 0;
  main.shell.OpenWindow("Page", "http://page.example/");
  main.watcher.TimerTick("WatchTmr");
  if (input.ConsumeBool()) main.view.CheckBoxNamed("IsPastLogMake").UserSets(1);

  for (int attempt = 0; attempt < 3 && input.remaining_bytes() > 0; ++attempt) {
    MemoryFormView dialog(OptionsDesign(), main.journal);
    OptionsDialog options(dialog, main.shell, main.settings, main.Targets());
    dialog.SetEvents(&options);
    options.Load();
    Edit(input, dialog, options);
    // The writes so far, so that a failure can fall on any of the seven of this OK.
    const int writes = static_cast<int>(main.Calls("WriteProfileText"));
    while (input.remaining_bytes() > 0 && input.ConsumeIntegralInRange(0, 3) == 0) {
      main.shell.Fail(SimulatedShell::Op::WriteProfile,
                      writes + input.ConsumeIntegralInRange(0, 6));
    }

    const Settings before = main.settings;
    const MainWindowState window(main);
    const auto messages = main.Calls("MsgBox");
    options.Click("cmdOK");

    if (!dialog.Window().Unloaded()) {
      Check(main.Calls("MsgBox") == messages + 1, "a failed save is reported");
      Check(Same(main.settings, before), "a failed save leaves the settings as they were");
      Check(MainWindowState(main) == window, "a failed save leaves the main window as it was");
      options.Click("cmdCancel");
      continue;
    }
    Check(main.Calls("MsgBox") == messages, "a save that worked shows no message");
    // In force is what the file holds.
    Settings reread;
    Program fresh(folder.Path());
    LoadSettings(fresh.shell, reread, fresh.Targets());
    Check(Same(main.settings, reread), "the settings in force are the file's");
    Check(main.view.TimerNamed("WatchTmr").Interval() ==
              dialog.Get<MemoryRangeControl>("HSInterval").Value() * 1000,
          "the scan runs at the interval shown");
    for (int i = 0; i < 3; ++i) {
      if (dialog.Get<MemoryOptionButton>("IsChkModeOp(" + std::to_string(i) + ")").Value()) {
        Check(main.settings.ChkMode == i, "the check mode shown is in force");
      }
    }
    Check((main.settings.DisabledPastLog == 0) ==
              dialog.Get<MemoryOptionButton>("IsUsePastLogOp(0)").Value(),
          "the past log is in use as shown");
    Check(main.settings.Through == dialog.CheckBoxNamed("AS_RedirectB").Value() * 1 +
                                       dialog.CheckBoxNamed("AS_RedirectA").Value() * 2 +
                                       dialog.CheckBoxNamed("AS_BoardLink").Value() * 4,
          "the redirect boxes shown are in force");
    for (const auto& [box, field] :
         {std::pair{"HMWatch", main.settings.MaxWatch}, std::pair{"HMLog", main.settings.MaxLog}}) {
      const std::string text = dialog.Get<MemoryTextBox>(box).Text();
      if (IsPlainNumber(text)) Check(field == std::stoi(text), "the limits shown are in force");
    }
    main.CheckLists();
  }
  return 0;
}
