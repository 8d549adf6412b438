// The main window on memory controls and a simulated shell, with a settings folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "support/memory_form.h"
#include "support/memory_form_host.h"
#include "support/memory_shell.h"

namespace zentab::test {

using Lines = std::vector<std::string>;

// A fresh folder under the system's temporary folder, removed with its contents afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The settings in force, the scan's interval among them.
struct Values {
  int chkMode, disabledPastLog, maxWatch, maxLog, interval, through;
  bool operator==(const Values&) const = default;
};
inline constexpr Values kDefaults{2, 0, 10, 50, 5000, 0};

class WatcherTest : public ::testing::Test {
 protected:
  WatcherTest();

  // The settings file beside the simulated executable, written by hand (CRLF lines).
  void WriteIni(const std::string& text);
  std::string IniPath() const { return folder.File("Zentab2.ini"); }
  // The same file as the program names it.
  std::string ProgramIniPath() const { return folder.Path().string() + "\\Zentab2.ini"; }

  // Runs the load step and forgets what it recorded.
  void Load();
  void Scan() { watcher.TimerTick("WatchTmr"); }
  void ApplySettings() { LoadSettings(shell, settings, MainWindowTargets()); }
  Values InForce() {
    return {settings.ChkMode, settings.DisabledPastLog, settings.MaxWatch, settings.MaxLog,
            Interval(),       settings.Through};
  }
  // Windows "Page <i>" at "http://site.example/<i>".
  void OpenPages(int n);

  SettingsTargets MainWindowTargets() {
    return SettingsTargets{PauseBox(), view.ListBoxNamed("PastLst"), view.LabelNamed("MaxWatchNum"),
                           view.LabelNamed("MaxLogNum"), view.TimerNamed("WatchTmr")};
  }
  Lines ListOf(const char* list) { return view.ListBoxNamed(list).Lines(); }
  std::string Caption(const char* label) { return view.LabelNamed(label).Caption(); }
  MemoryCheckBox& PauseBox() { return view.CheckBoxNamed("IsPastLogMake"); }
  std::int32_t Interval() { return view.TimerNamed("WatchTmr").Interval(); }
  // The journal's entries that begin with one of the prefixes, in order.
  Lines Calls(std::initializer_list<const char*> prefixes) const;

  Journal journal;
  TempFolder folder;
  MemoryFormView view;
  SimulatedShell shell;
  Settings settings;
  MemoryFormHost host;
  MainWindow watcher;
};

}  // namespace zentab::test
