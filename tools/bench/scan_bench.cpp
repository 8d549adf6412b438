// How long one scan takes for each window: 100 windows of the shell, all watched, with the past
// log full at 200 lines, so that every window's line also pushes the oldest one out. Run by
// scripts/bench; a measurement, not a test.
#include <benchmark/benchmark.h>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "support/fake_form.h"
#include "support/fake_shell.h"

namespace zentab::test {
namespace {

constexpr int kWindows = 100;
constexpr int kLogLines = 200;

void Scan(benchmark::State& state) {
  Journal journal;
  FakeView view{MainWindowDesign(), journal};
  FakeShell shell{journal};
  Settings settings;
  FakeHost host{journal};
  MainWindow main{view, shell, host, settings};
  shell.files["C:\\Tools\\Zentab\\Zentab2.ini"]["Option"] = {
      {"MaxWatch", std::to_string(kWindows)}, {"MaxLog", std::to_string(kLogLines)}};
  for (int i = 0; i < kWindows; ++i) {
    const std::string n = std::to_string(i);
    shell.OpenWindow("ニュース " + n + " - 今日の話題 - Example News",
                     "http://news.example.jp/articles/2026/12/" + n + "/index.html");
  }
  // The load step scans once; one more fills the past log.
  if (!main.Load()) return state.SkipWithError("the load step ended the program");
  main.TimerTick(main_window::WatchTmr);
  const auto lines = [&](ControlId<ListBox> list) { return view.Get(list).ListCount(); };
  if (lines(main_window::WatchLst) != kWindows || lines(main_window::PastLst) != kLogLines) {
    return state.SkipWithError("the settings did not take effect");
  }
  for (auto _ : state) {
    main.TimerTick(main_window::WatchTmr);
    // The record of calls would otherwise grow with every scan.
    state.PauseTiming();
    journal.entries.clear();
    state.ResumeTiming();
  }
  state.counters["per_window"] = benchmark::Counter(
      kWindows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// Five runs: the fastest and the median say more than one on a busy machine.
BENCHMARK(Scan)->Unit(benchmark::kMicrosecond)->MinTime(0.1)->Repetitions(5);

}  // namespace
}  // namespace zentab::test

BENCHMARK_MAIN();
