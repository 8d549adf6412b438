// What the end-to-end tests cannot do from Linux: read and drive the running zentab.exe's windows.
//   zentab_probe lists              each line of the watch list ("W\t...") and the past log
//   ("P\t...") zentab_probe command <name>     a command of a menu, by its design name, as if
//   chosen zentab_probe past <text>        double-clicks the last past-log line that holds the text
//   zentab_probe options <name>...  opens the options, clicks the named controls, then OK
// Prints UTF-8; exits 1 when the program's windows are not there.
#include <string>

#include "app/main_window_design.h"
#include "options/options_design.h"
#include "platform/win32/utf.h"
#include "platform/win32/windows_api.h"

namespace {

using namespace zentab;

HWND Find(const wchar_t* caption) {
  for (int tries = 0; tries < 100; ++tries, Sleep(100)) {
    if (HWND window = FindWindowW(nullptr, caption)) return window;
  }
  return nullptr;
}

void Print(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

// The id of a menu item or control of `form` by its design name; 0 for none.
int IdOf(const FormDesign& form, const wchar_t* name) {
  for (const MenuDesign& m : form.menus) {
    if (Widen(m.name) == name) return m.id;
  }
  for (const ControlDesign& c : form.controls) {
    if (Widen(c.name) == name) return c.id;
  }
  return 0;
}

std::wstring Line(HWND list, LRESULT i) {
  std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
  line.resize(static_cast<size_t>(
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
  return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND main = Find(L"Zentab Ver2.0 - Watcher");
  if (!main || argc < 2) return 1;
  const std::wstring command = argv[1];
  HWND watch = GetDlgItem(main, main_window::WatchLst.id);
  HWND past = GetDlgItem(main, main_window::PastLst.id);
  if (command == L"lists") {
    for (auto [list, mark] : {std::pair{watch, "W\t"}, {past, "P\t"}}) {
      for (LRESULT i = 0, n = SendMessageW(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
        Print(mark + Narrow(Line(list, i)) + "\n");
      }
    }
  } else if (command == L"command" && argc == 3) {
    const int id = IdOf(MainWindowDesign(), argv[2]);
    if (id == 0) return 1;
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(id), 0);
  } else if (command == L"past" && argc == 3) {
    for (LRESULT i = SendMessageW(past, LB_GETCOUNT, 0, 0) - 1; i >= 0; --i) {
      if (Line(past, i).find(argv[2]) == std::wstring::npos) continue;
      Print(Narrow(Line(past, i)) + "\n");
      SendMessageW(past, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SendMessageW(main, WM_COMMAND, MAKEWPARAM(main_window::PastLst.id, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(past));
      return 0;
    }
    return 1;
  } else if (command == L"options") {
    PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(main_window::CmdShowOption.id), 0);
    HWND options = Find(L"Zentab Ver2.0 - Options");
    if (!options) return 1;
    for (int i = 2; i < argc; ++i) {
      SendMessageW(GetDlgItem(options, IdOf(OptionsDesign(), argv[i])), BM_CLICK, 0, 0);
    }
    PostMessageW(GetDlgItem(options, options_dialog::cmdOK.id), BM_CLICK, 0, 0);
    for (int tries = 0; IsWindow(options) && tries < 100; ++tries) Sleep(100);
    return IsWindow(options) ? 1 : 0;
  } else {
    return 1;
  }
  return 0;
}
