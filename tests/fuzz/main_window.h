// What the fuzz targets of the main window share: its settings folder, a settings file written
// from the input, and the main window on memory controls with the checks that hold after every
// scan.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "check.h"
#include "settings/settings.h"
#include "support/memory_form.h"
#include "support/memory_form_host.h"
#include "support/memory_shell.h"

namespace zentab::fuzz {

// The simulated executable's folder, one per process.
class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentab-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Path() const { return path_.string(); }
  std::string IniPath() const { return (path_ / "Zentab2.ini").string(); }

 private:
  std::filesystem::path path_;
};

// A settings value as a hand-edited file may hold it: missing, a number, or not a number.
inline void WriteSettings(FuzzedDataProvider& input, const std::string& path) {
  const char* keys[] = {"ChkMode", "DisabledPastLog", "MaxWatch", "MaxLog", "Interval", "Through"};
  const int ranges[][2] = {{-1, 3}, {-1, 7}, {-3, 130}, {-3, 210}, {-1, 40000}, {-1, 8}};
  std::string text = "[Option]\r\n";
  for (size_t i = 0; i < std::size(keys); ++i) {
    switch (input.ConsumeIntegralInRange(0, 3)) {
      case 0:
        break;  // missing: the default
      case 1:
        text += std::string(keys[i]) + "=" + input.ConsumeRandomLengthString(8) + "\r\n";
        break;
      default:
        text += std::string(keys[i]) + "=" +
                std::to_string(input.ConsumeIntegralInRange(ranges[i][0], ranges[i][1])) + "\r\n";
    }
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

struct Program {
  explicit Program(const std::string& folder)
      : view(MainWindowDesign(), journal),
        shell(journal),
        host(journal),
        watcher(view, shell, host, settings) {
    shell.SetExeFolder(folder);
    view.SetEvents(&watcher);
  }

  SettingsTargets Targets() {
    return SettingsTargets{view.CheckBoxNamed("IsPastLogMake"), view.ListBoxNamed("PastLst"),
                           view.LabelNamed("MaxWatchNum"), view.LabelNamed("MaxLogNum"),
                           view.TimerNamed("WatchTmr")};
  }

  // How many entries of the journal begin with `prefix`.
  size_t Calls(std::string_view prefix) const {
    return std::count_if(journal.entries.begin(), journal.entries.end(),
                         [&](const std::string& entry) { return entry.starts_with(prefix); });
  }

  void CheckLists() {
    Check(view.ListBoxNamed("WatchLst").ListCount() <= 100, "the watch list holds 100 lines");
    Check(view.ListBoxNamed("WatchLstTmp").ListCount() == 0, "no scratch line outlives a scan");
    const auto& pastLines = view.ListBoxNamed("PastLst").Lines();
    if (settings.DisabledPastLog != 0) {
      Check(pastLines.size() == 1 && pastLines[0] == kPastLogDisabledLine,
            "a past log not in use shows only its message");
    } else {
      Check(static_cast<int>(pastLines.size()) <= std::max<int>(settings.MaxLog, 0),
            "the past log holds at most MaxLog lines");
    }
  }

  Journal journal;
  MemoryFormView view;
  SimulatedShell shell;
  MemoryFormHost host;
  Settings settings;
  zentab::MainWindow watcher;
};

}  // namespace zentab::fuzz
