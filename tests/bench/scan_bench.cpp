// How long one scan takes for each window: 100 windows of the shell, all watched, with the past
// log full at 200 lines, so that every window's line also pushes the oldest one out. It fails when
// a window takes longer than kLimit: a guard against work that grows with the lists' length, not
// a target for tuning.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "settings/settings.h"
#include "support/memory_form.h"
#include "support/memory_form_host.h"
#include "support/memory_shell.h"

namespace zentab {
namespace {

constexpr int kWindows = 100;
constexpr int kLogLines = 200;
constexpr double kLimit = 2e-6;  // seconds of CPU time per window

// A folder of its own for the settings file, removed afterwards.
class SettingsFolder {
 public:
  SettingsFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentab-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~SettingsFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The main window as the unit tests build it: memory controls, the simulated shell, the settings
// file beside the simulated executable.
struct Program {
  Journal journal;
  SettingsFolder folder;
  MemoryFormView view{MainWindowDesign(), journal};
  SimulatedShell shell{journal};
  Settings settings;
  MemoryFormHost host{journal};
  zentab::MainWindow watcher{view, shell, host, settings};

  Program() {
    shell.SetExeFolder(folder.Path().string());
    view.SetEvents(&watcher);
  }
  int Lines(const char* list) { return view.ListBoxNamed(list).ListCount(); }
};

void Scan(benchmark::State& state) {
  Program main;
  if (main.folder.Path().empty()) return state.SkipWithError("no temporary folder");
  std::ofstream(main.folder.Path() / "Zentab2.ini", std::ios::binary)
      << "[Option]\r\nMaxWatch=" << kWindows << "\r\nMaxLog=" << kLogLines << "\r\n";
  for (int i = 0; i < kWindows; ++i) {
    const std::string n = std::to_string(i);
    main.shell.OpenWindow("ニュース " + n + " - 今日の話題 - Example News",
                          "http://news.example.jp/articles/2026/12/" + n + "/index.html");
  }
  // The load step scans once; more scans fill the past log.
  if (!main.watcher.Load()) return state.SkipWithError("the load step ended the program");
  for (int logged = kWindows; logged < kLogLines; logged += kWindows) {
    main.watcher.TimerTick("WatchTmr");
  }
  main.journal.Clear();
  if (main.Lines("WatchLst") != kWindows || main.Lines("PastLst") != kLogLines) {
    return state.SkipWithError("the settings file did not take effect");
  }

  for (auto _ : state) {
    main.watcher.TimerTick("WatchTmr");
    // The record of calls would otherwise grow with every scan.
    state.PauseTiming();
    main.journal.Clear();
    state.ResumeTiming();
  }
  if (main.Lines("WatchLst") != kWindows || main.Lines("PastLst") != kLogLines) {
    return state.SkipWithError("a scan did not keep the lists' lengths");
  }
  state.counters["per_window"] = benchmark::Counter(
      kWindows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// Five runs: the fastest counts, so that other work on the machine does not fail the guard.
BENCHMARK(Scan)->Unit(benchmark::kMicrosecond)->MinTime(0.1)->Repetitions(5);

// Reports as the console does, and keeps the fastest run's time per window.
class GuardReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;  // the mean and such of the repetitions
      const auto perWindow = run.counters.find("per_window");
      if (run.error_occurred || perWindow == run.counters.end()) {
        error_ = true;
      } else {
        perWindow_.push_back(perWindow->second.value);
      }
    }
  }
  // Says what was found; true when the guard holds.
  bool Holds() {
    if (error_ || perWindow_.empty()) return false;
    std::sort(perWindow_.begin(), perWindow_.end());
    const double fastest = perWindow_.front();
    std::printf("Scan: %.2f us per window at best, median %.2f us, %.2f us allowed\n",
                fastest * 1e6, perWindow_[perWindow_.size() / 2] * 1e6, kLimit * 1e6);
    return fastest <= kLimit;
  }

 private:
  bool error_ = false;
  std::vector<double> perWindow_;
};

}  // namespace
}  // namespace zentab

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  zentab::GuardReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.Holds() ? 0 : 1;
}
