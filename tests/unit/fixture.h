// The main window on memory controls and a simulated shell, with a settings folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/watcher.h"
#include "app/watcher_form.h"
#include "platform/memory/memory_form.h"
#include "platform/memory/memory_form_host.h"
#include "platform/memory/memory_shell.h"

namespace zentab::test {

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

class WatcherTest : public ::testing::Test {
 protected:
  WatcherTest();

  // The settings file beside the simulated executable, written by hand (CRLF lines).
  void WriteIni(const std::string& text);
  std::string IniPath() const { return folder.File("Zentab2.ini"); }

  // Runs the load step and forgets what it recorded.
  void Load();
  void Scan() { watcher.TimerTick("WatchTmr"); }

  // The main window's controls that the settings are applied to.
  SettingsTargets MainWindowTargets() {
    return SettingsTargets{view.CheckBoxNamed("IsPastLogMake"), view.ListBoxNamed("PastLst"),
                           view.LabelNamed("MaxWatchNum"), view.LabelNamed("MaxLogNum"),
                           view.TimerNamed("WatchTmr")};
  }
  std::vector<std::string> ListOf(const char* list) { return view.ListBoxNamed(list).Lines(); }
  std::string Caption(const char* label) { return view.LabelNamed(label).Caption(); }
  // The journal's entries that begin with one of the prefixes, in order.
  std::vector<std::string> Calls(std::initializer_list<const char*> prefixes) const;

  Journal journal;
  TempFolder folder;
  MemoryFormView view;
  SimulatedShell shell;
  Settings settings;
  MemoryFormHost host;
  Watcher watcher;
};

using Lines = std::vector<std::string>;

}  // namespace zentab::test
