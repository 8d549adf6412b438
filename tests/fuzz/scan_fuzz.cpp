// The scan driven by an arbitrary shell: the input decides the settings file, then opens, closes
// and changes windows, makes calls fail, pauses the past log, reloads the settings and scans, in
// any order. After every scan both lists keep their limits and the scratch list is empty.

#include <array>
#include <string>

#include "main_window.h"
#include "watch/redirects.h"

namespace zentab::fuzz {
namespace {

// Addresses of every kind the scan tells apart, with arbitrary text behind them.
std::string Address(FuzzedDataProvider& input) {
  static const std::array<std::string, 7> starts = {
      "",
      "http://",
      "file:///C:/",
      "http://" + std::string(kRedirectBHost) + "/",
      "http://" + std::string(kRedirectAHost) + "/",
      "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=http://",
      "https://x.example/?q=file://",
  };
  return starts[input.ConsumeIntegralInRange<size_t>(0, starts.size() - 1)] +
         input.ConsumeRandomLengthString(24);
}

}  // namespace
}  // namespace zentab::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentab;
  using namespace zentab::fuzz;
  using Op = SimulatedShell::Op;
  static Folder folder;
  FuzzedDataProvider input(data, size);

  WriteSettings(input, folder.IniPath());
  Program main(folder.Path());
  if (!main.watcher.Load()) return 0;
  main.CheckLists();

  SimulatedShell& shell = main.shell;
  for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
    main.journal.Clear();
    const int windows = shell.WindowCount();
    switch (input.ConsumeIntegralInRange(0, 8)) {
      case 0:
        shell.OpenWindow(input.ConsumeRandomLengthString(24), Address(input));
        break;
      case 1:  // many alike, past the watch list's limit
        for (int n = input.ConsumeIntegralInRange(1, 120); n > 0; --n) {
          shell.OpenWindow("Page " + std::to_string(n), "http://x.example/" + std::to_string(n));
        }
        break;
      case 2:
        if (windows > 0) shell.CloseWindow(input.ConsumeIntegralInRange(0, windows - 1));
        break;
      case 3:
        if (windows > 0) {
          const int at = input.ConsumeIntegralInRange(0, windows - 1);
          shell.SetWindow(at, input.ConsumeRandomLengthString(24), Address(input));
        }
        break;
      case 4: {
        static constexpr Op ops[] = {Op::Count, Op::Item, Op::LocationURL, Op::LocationName,
                                     Op::Navigate2};
        shell.Fail(ops[input.ConsumeIntegralInRange<size_t>(0, std::size(ops) - 1)],
                   input.ConsumeIntegralInRange(0, 12));
        break;
      }
      case 5: {
        auto& pause = main.view.CheckBoxNamed("IsPastLogMake");
        if (pause.Visible()) pause.UserSets(1 - pause.Value());
        break;
      }
      case 6:
        WriteSettings(input, folder.IniPath());
        LoadSettings(shell, main.settings, main.Targets());
        main.CheckLists();
        break;
      default:
        main.watcher.TimerTick("WatchTmr");
        main.CheckLists();
    }
  }
  main.watcher.TimerTick("WatchTmr");
  main.CheckLists();
  return 0;
}
