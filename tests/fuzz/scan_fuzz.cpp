// The scan driven by an arbitrary shell: the input writes the settings and the last session's file,
// opens, closes and changes windows, makes calls fail, pauses the past log, reloads, scans and
// reopens, in any order.
// After every scan both lists keep their limits and the scratch list is empty, and a session the
// program saved reads back as the watch list it saved: every line whose address can be told.
#include <fuzzer/FuzzedDataProvider.h>

#include "app/main_window.h"
#include "app/main_window_design.h"
#include "check.h"
#include "session/session_file.h"
#include "support/fake_form.h"
#include "support/fake_shell.h"
#include "watch/lines.h"
#include "watch/redirects.h"

namespace {

using namespace zentab;
using namespace zentab::test;
using namespace zentab::main_window;

// Addresses of every kind the scan tells apart, with arbitrary text behind them.
std::string Address(FuzzedDataProvider& input) {
  static const std::string starts[] = {
      "",
      "http://",
      "file:///C:/",
      "http://" + std::string(kRedirectBHost) + "/",
      "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url=http://",
      "https://x.example/?q=file://"};
  return starts[input.ConsumeIntegralInRange<size_t>(0, std::size(starts) - 1)] +
         input.ConsumeRandomLengthString(24);
}

void WriteSettings(FuzzedDataProvider& input, FakeShell& shell) {
  auto& option = shell.files["C:\\Tools\\Zentab\\Zentab2.ini"]["Option"];
  for (const char* key :
       {"ChkMode", "DisabledPastLog", "MaxWatch", "MaxLog", "Interval", "Through", "KeepSession"}) {
    if (input.ConsumeBool()) option[key] = input.ConsumeRandomLengthString(12);
  }
  if (input.ConsumeBool())
    shell.bytes["C:\\Tools\\Zentab\\Zentab2.session"] = input.ConsumeRandomLengthString(64);
}

struct Program {
  Journal journal;
  FakeView view{MainWindowDesign(), journal};
  FakeShell shell{journal};
  Settings settings;
  FakeHost host{journal};
  MainWindow main{view, shell, host, settings};
  int windows = 0;

  void CheckLists() {
    const int pastLog = view.Get(PastLst).ListCount();
    fuzz::Check(view.Get(WatchLst).ListCount() <= 100, "the watch list holds at most 100 lines");
    fuzz::Check(
        settings.DisabledPastLog != 0 ? pastLog == 1 : pastLog <= std::max<int>(settings.MaxLog, 0),
        "the past log keeps at most MaxLog lines");
    fuzz::Check(view.Get(WatchLstTmp).ListCount() == 0, "the scratch list is empty between scans");
    const std::string path = SessionFilePath(shell.exeFolder);
    if (std::find(journal.entries.begin(), journal.entries.end(), "WriteFileAtomically " + path) ==
        journal.entries.end()) {
      return;
    }
    const auto saved = DecodeSession(shell.bytes[path]);
    fuzz::Check(saved.has_value(), "a saved session reads back");
    const ListBox& watchLst = view.Get(WatchLst);
    auto window = saved->begin();
    for (int i = 0; i < watchLst.ListCount(); ++i) {
      const auto [title, address] = TitleAndAddressOfLine(watchLst.List(i));
      if (address.empty()) continue;
      fuzz::Check(window != saved->end() && window->title == title && window->address == address &&
                      window->browser.empty() == (watchLst.ItemData(i) == 0),
                  "a saved window reads back");
      ++window;
    }
    fuzz::Check(window == saved->end(), "a saved session holds the watch list and no more");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using Op = FakeShell::Op;
  FuzzedDataProvider input(data, size);
  Program p;
  WriteSettings(input, p.shell);
  if (!p.main.Load()) return 0;
  p.CheckLists();
  for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
    p.journal.entries.clear();
    switch (input.ConsumeIntegralInRange(0, 9)) {
      case 0:
        p.shell.OpenWindow(input.ConsumeRandomLengthString(24), Address(input));
        ++p.windows;
        break;
      case 1:
        if (p.windows > 0) p.shell.CloseWindow(input.ConsumeIntegralInRange(0, --p.windows));
        break;
      case 6:  // many alike, past the watch list's limit
        for (int n = input.ConsumeIntegralInRange(1, 120); n > 0; --n, ++p.windows)
          p.shell.OpenWindow("Page", "http://x.example/" + std::to_string(n));
        break;
      case 2:
        if (p.windows > 0) {
          p.shell.SetWindow(input.ConsumeIntegralInRange(0, p.windows - 1),
                            input.ConsumeRandomLengthString(24), Address(input));
        }
        break;
      case 3: {
        static constexpr Op ops[] = {Op::Count, Op::Item, Op::LocationURL, Op::LocationName,
                                     Op::Navigate2};
        p.shell.Fail(ops[input.ConsumeIntegralInRange<size_t>(0, std::size(ops) - 1)],
                     input.ConsumeIntegralInRange(0, 12));
        break;
      }
      case 7:
        p.main.Click(input.ConsumeBool() ? TMAllZentab : CmdOpenLastSession);
        break;
      case 4: {
        auto& pause = p.view.As<FakeCheckBox>(IsPastLogMake);
        if (pause.Visible()) pause.UserSets(1 - pause.Value());
        break;
      }
      case 5:
        WriteSettings(input, p.shell);
        p.main.Load();
        break;
      default:
        p.main.TimerTick(WatchTmr);
    }
    p.CheckLists();
  }
  return 0;
}
