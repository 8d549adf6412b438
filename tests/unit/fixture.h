// The main window on fake controls and a simulated shell, as the tests of the logic drive it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "support/fake_form.h"
#include "support/fake_shell.h"

namespace zentab::test {

using Lines = std::vector<std::string>;
// Where the program keeps its settings, as the simulated shell has it.
inline const std::string kIniPath = "C:\\Tools\\Zentab\\Zentab2.ini";

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { view.SetEvents(&main); }

  // Runs the load step and forgets what it recorded.
  void Load() {
    ASSERT_TRUE(main.Load());
    journal.entries.clear();
  }
  void Scan() { main.TimerTick(main_window::WatchTmr); }
  // Windows "Page <i>" at "http://site.example/<i>".
  void OpenPages(int n) {
    for (int i = 0; i < n; ++i)
      shell.OpenWindow("Page " + std::to_string(i), "http://site.example/" + std::to_string(i));
  }
  FakeListBox& List(ControlId<ListBox> id) { return view.As<FakeListBox>(id); }
  Lines LinesOf(ControlId<ListBox> id) { return List(id).lines; }
  std::string Caption(ControlId<Label> id) { return view.Get(id).Caption(); }
  FakeCheckBox& PauseBox() { return view.As<FakeCheckBox>(main_window::IsPastLogMake); }
  FakeTimer& Timer() { return view.TimerNamed(main_window::WatchTmr.name); }
  std::map<std::string, std::string>& Ini(const char* section = "Option") {
    return shell.files[kIniPath][section];
  }
  // The journal's entries that begin with one of the prefixes, in order.
  Lines Calls(std::initializer_list<std::string_view> prefixes) const {
    Lines found;
    for (const std::string& entry : journal.entries) {
      for (std::string_view prefix : prefixes) {
        if (entry.starts_with(prefix)) {
          found.push_back(entry);
          break;
        }
      }
    }
    return found;
  }

  Journal journal;
  FakeView view{MainWindowDesign(), journal};
  FakeShell shell{journal};
  Settings settings;
  FakeHost host{journal};
  MainWindow main{view, shell, host, settings};
};

}  // namespace zentab::test
