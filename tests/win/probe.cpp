// What the browsers' end-to-end tests cannot do from Linux: read and drive the running zentab.exe.
//   zentab_win_tests.exe probe lists          the watch list's lines ("W\t...") and the past log's
//   zentab_win_tests.exe probe command <name> a menu command by its design name, as if chosen
//   zentab_win_tests.exe probe past <text>    double-clicks the last past-log line holding the text
//   zentab_win_tests.exe probe options <name>... clicks the options' named controls, then OK
// Prints UTF-8; exits 1 when it cannot.
#include "app/main_window_design.h"
#include "options/options_design.h"
#include "platform/win32/utf.h"
#include "win_test.h"

namespace zentab::test {
namespace {

void Print(const std::string& text) {
  DWORD written = 0;
  ::WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

// The id of a menu item or control of `form` by its design name; 0 for none.
int IdOf(const FormDesign& form, const wchar_t* name) {
  for (const MenuDesign& m : form.menus)
    if (Widen(m.name) == name) return m.id;
  for (const ControlDesign& c : form.controls)
    if (Widen(c.name) == name) return c.id;
  return 0;
}

}  // namespace

int Probe(int argc, wchar_t** argv) {
  using namespace main_window;
  HWND main = WindowOf(0, L"Zentab Ver2.0 - Watcher");
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (!main) return 1;
  if (command == L"lists") {
    for (auto [list, mark] : {std::pair{WatchLst.id, "W\t"}, {PastLst.id, "P\t"}}) {
      for (const std::string& line : Lines(main, list)) Print(mark + line + "\n");
    }
  } else if (command == L"command" && argc == 3 && IdOf(MainWindowDesign(), argv[2])) {
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(IdOf(MainWindowDesign(), argv[2])), 0);
  } else if (command == L"past" && argc == 3) {
    const std::vector<std::string> lines = Lines(main, PastLst.id);
    for (auto i = lines.size(); i-- > 0;) {
      if (lines[i].find(Narrow(argv[2])) == std::string::npos) continue;
      Print(lines[i] + "\n");
      HWND past = GetDlgItem(main, PastLst.id);
      Ask(past, LB_SETCURSEL, i, 0);
      Ask(main, WM_COMMAND, MAKEWPARAM(PastLst.id, LBN_DBLCLK), reinterpret_cast<LPARAM>(past));
      return 0;
    }
    return 1;
  } else if (command == L"options") {
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(CmdShowOption.id), 0);
    HWND options = WindowOf(0, L"Zentab Ver2.0 - Options");
    if (!options) return 1;
    for (int i = 2; i < argc; ++i)
      Ask(GetDlgItem(options, IdOf(OptionsDesign(), argv[i])), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(options, options_dialog::cmdOK.id), BM_CLICK, 0, 0);
    return PumpUntil([&] { return !IsWindow(options); }) ? 0 : 1;
  } else {
    return 1;
  }
  return 0;
}

}  // namespace zentab::test
