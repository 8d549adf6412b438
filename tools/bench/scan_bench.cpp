// How long one scan takes for each window: 100 windows of the shell, all watched, with the past
// log full at 200 lines, so that every window's line also pushes the oldest one out; how long the
// start-up takes to read a full last session of 100 windows into the past log; and how long a
// browser's snapshot of 1,000 tabs takes for each tab, handed over, read and merged. Run by
// scripts/bench; a measurement, not a test.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "support/fake_form.h"
#include "support/fake_shell.h"

namespace zentab::test {
namespace {

constexpr int kWindows = 100;
constexpr int kLogLines = 200;

struct Program {
  Journal journal;
  FakeView view{MainWindowDesign(), journal};
  FakeShell shell{journal};
  Settings settings;
  FakeHost host{journal};
  MainWindow main{view, shell, host, settings};

  Program() {
    shell.files["C:\\Tools\\Zentab\\Zentab2.ini"]["Option"] = {
        {"MaxWatch", std::to_string(kWindows)}, {"MaxLog", std::to_string(kLogLines)}};
    for (int i = 0; i < kWindows; ++i) {
      const std::string n = std::to_string(i);
      shell.OpenWindow("ニュース " + n + " - 今日の話題 - Example News",
                       "http://news.example.jp/articles/2026/12/" + n + "/index.html");
    }
  }
  int Lines(ControlId<ListBox> list) { return view.Get(list).ListCount(); }
};

void Scan(benchmark::State& state) {
  Program p;
  // The load step scans once; one more fills the past log.
  if (!p.main.Load()) return state.SkipWithError("the load step ended the program");
  p.main.TimerTick(main_window::WatchTmr);
  if (p.Lines(main_window::WatchLst) != kWindows || p.Lines(main_window::PastLst) != kLogLines) {
    return state.SkipWithError("the settings did not take effect");
  }
  for (auto _ : state) {
    p.main.TimerTick(main_window::WatchTmr);
    // The record of calls would otherwise grow with every scan.
    state.PauseTiming();
    p.journal.entries.clear();
    state.ResumeTiming();
  }
  state.counters["per_window"] = benchmark::Counter(
      kWindows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What a start-up adds for a full last session: reading the file and listing its windows.
void Session(benchmark::State& state) {
  Program p;
  p.main.Load();  // writes the session of the 100 windows
  for (auto _ : state) {
    ConnectedBrowsers browsers(p.shell);
    Reopener reopener(p.shell, browsers, p.view.Get(main_window::WatchLst),
                      p.view.Get(main_window::PastLst));
    LastSession session(p.shell, p.settings, p.view.Get(main_window::WatchLst), browsers, reopener,
                        [](const std::string&) {});
    session.Load();
    for (const SessionWindow& w : session.Previous())
      p.view.Get(main_window::PastLst).AddItem(w.title);
    state.PauseTiming();
    if (session.Previous().size() != kWindows) return state.SkipWithError("no full session");
    p.view.Get(main_window::PastLst).Clear();
    p.journal.entries.clear();
    state.ResumeTiming();
  }
}

constexpr int kTabs = 1000;

// Ten windows of a hundred tabs each, with titles and addresses of a common length.
std::string Snapshot() {
  std::string json = R"({"type":"tabs","browser":"chrome","windows":[)";
  for (int w = 0; w < kTabs / 100; ++w) {
    json += (w ? ",{\"id\":" : "{\"id\":") + std::to_string(w) + R"(,"tabs":[)";
    for (int t = 0; t < 100; ++t) {
      const std::string n = std::to_string(w * 100 + t);
      json += (t ? ",{\"id\":" : "{\"id\":") + n + R"(,"title":"ニュース )" + n +
              R"( - 今日の話題 - Example News","url":"https://news.example.jp/articles/2026/12/)" +
              n + R"(/index.html"})";
    }
    json += "]}";
  }
  return json + "]}";
}

void Tabs(benchmark::State& state) {
  Program p;
  for (int i = kWindows - 1; i >= 0; --i) p.shell.CloseWindow(i);
  p.shell.hosts.insert(1);
  const std::string snapshot = Snapshot();
  if (!p.main.Load()) return state.SkipWithError("the load step ended the program");
  for (auto _ : state) p.main.OnBrowserMessage(1, snapshot);
  // Merged: the scan lists them.
  p.main.TimerTick(main_window::WatchTmr);
  if (p.view.Get(main_window::WatchLst).List(0).find("ニュース 0-") == std::string::npos) {
    return state.SkipWithError("the tabs were not taken");
  }
  state.counters["per_tab"] = benchmark::Counter(
      kTabs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Five runs each: the fastest and the median say more than one on a busy machine.
BENCHMARK(Scan)->Unit(benchmark::kMicrosecond)->MinTime(0.1)->Repetitions(5);
BENCHMARK(Session)->Unit(benchmark::kMicrosecond)->MinTime(0.1)->Repetitions(5);
BENCHMARK(Tabs)->Unit(benchmark::kMicrosecond)->MinTime(0.1)->Repetitions(5);

// Reports as the console does, then the fastest and the median of each.
class Summary : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const auto perWindow = run.counters.find("per_window");
      const auto perTab = run.counters.find("per_tab");
      if (perWindow != run.counters.end()) {
        scan_.push_back(perWindow->second.value * 1e6);
      } else if (perTab != run.counters.end()) {
        tabs_.push_back(perTab->second.value * 1e6);
      } else {
        session_.push_back(run.GetAdjustedRealTime());
      }
    }
  }
  void Print() {
    for (auto* times : {&scan_, &session_, &tabs_}) std::sort(times->begin(), times->end());
    if (!scan_.empty()) {
      std::printf("Scan: %.2f us per window at best, median %.2f us\n", scan_.front(),
                  scan_[scan_.size() / 2]);
    }
    if (!tabs_.empty()) {
      std::printf("Tabs: %.2f us per tab at best, median %.2f us\n", tabs_.front(),
                  tabs_[tabs_.size() / 2]);
    }
    if (!session_.empty()) {
      std::printf("Session: %.1f us at best, median %.1f us\n", session_.front(),
                  session_[session_.size() / 2]);
    }
  }

 private:
  std::vector<double> scan_, session_, tabs_;
};

}  // namespace
}  // namespace zentab::test

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  zentab::test::Summary summary;
  benchmark::RunSpecifiedBenchmarks(&summary);
  summary.Print();
  return 0;
}
