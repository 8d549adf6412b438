// Drives the running Watcher window from outside, as the Wine tests and scripts/run.sh need it.
// Every answer goes to stdout as UTF-8, one item a line. Exit codes: 0 done, 1 the awaited state
// did not come, 2 no Watcher window, 3 no such control or dialog, 64 wrong usage.
#include <exdisp.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/watcher_form.h"
#include "platform/version.h"

namespace {

const wchar_t kCaption[] = L"Zentab Ver" ZENTAB_VERSION_STRING " - Watcher";
// The tray icon's id and callback message, as the program registers them.
constexpr WPARAM kTrayIconId = 10;
constexpr UINT kTrayCallback = 513;
// A handler that opens a modal window would hold a sent message this long.
constexpr UINT kSendTimeoutMs = 30000;

DWORD g_wantedPid = 0;  // 0: any Watcher window

void Print(const std::wstring& text) {
  std::string bytes;
  if (!text.empty()) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    bytes.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
  }
  bytes += '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

struct Search {
  const wchar_t* className;
  const wchar_t* caption;  // null: any
  DWORD pid;
  HWND found;
  bool visibleOnly = false;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t text[256];
  if (search->className) {
    if (!GetClassNameW(window, text, 256) || wcscmp(text, search->className) != 0) return TRUE;
  }
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  GetWindowTextW(window, text, 256);
  if (search->caption && wcscmp(text, search->caption) != 0) return TRUE;
  if (search->pid != 0 && ProcessOf(window) != search->pid) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindTopLevel(const wchar_t* className, const wchar_t* caption, DWORD pid) {
  Search search{className, caption, pid, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// An open popup menu: Wine keeps its menu window class around, hidden, between menus.
HWND WaitForMenu(double seconds) {
  ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    Search search{L"#32768", nullptr, 0, nullptr, true};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount64() >= until) return search.found;
    Sleep(50);
  }
}

// Polls for up to `seconds`; 0 looks once.
HWND WaitForTopLevel(const wchar_t* className, const wchar_t* caption, DWORD pid, double seconds) {
  ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (HWND window = FindTopLevel(className, caption, pid)) return window;
    if (GetTickCount64() >= until) return nullptr;
    Sleep(50);
  }
}

HWND Watcher(double seconds = 5) {
  HWND window = WaitForTopLevel(nullptr, kCaption, g_wantedPid, seconds);
  if (!window) {
    Print(L"no Watcher window");
    ExitProcess(2);
  }
  return window;
}

HWND Control(HWND watcher, int id) {
  HWND control = GetDlgItem(watcher, id);
  if (!control) {
    Print(L"no control " + std::to_wstring(id));
    ExitProcess(3);
  }
  return control;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
    // A window that ended its program while handling the message answers nothing.
    if (GetLastError() == ERROR_TIMEOUT) {
      Print(L"timeout");
      ExitProcess(1);
    }
  }
  return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window) {
  auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  auto got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

std::vector<std::wstring> ListLines(HWND list) {
  std::vector<std::wstring> lines;
  auto count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    auto length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) break;
    std::wstring line(static_cast<size_t>(length) + 1, L'\0');
    auto got =
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    lines.push_back(line);
  }
  return lines;
}

int Number(const wchar_t* text) {
  return static_cast<int>(wcstol(text, nullptr, 10));
}

// Controls and menu commands by the names the program gives them, or by number.
struct Named {
  const wchar_t* name;
  int id;
};
constexpr Named kNames[] = {
    {L"Label1", zentab::kLabel1Id},
    {L"WatchLst", zentab::kWatchLstId},
    {L"Label2", zentab::kLabel2Id},
    {L"PastLst", zentab::kPastLstId},
    {L"WatchLstTmp", zentab::kWatchLstTmpId},
    {L"IsPastLogMake", zentab::kIsPastLogMakeId},
    {L"SysTrayPic", zentab::kSysTrayPicId},
    {L"MaxWatchNum", zentab::kMaxWatchNumId},
    {L"MaxLogNum", zentab::kMaxLogNumId},
    {L"CmdExit", zentab::kCmdExit},
    {L"CmdShowOption", zentab::kCmdShowOption},
    {L"CmdHelpRef", zentab::kCmdHelpRef},
    {L"CmdOpenHP", zentab::kCmdOpenHP},
    {L"CmdSoftwareVote", zentab::kCmdSoftwareVote},
    {L"CmdShowVersionInfo", zentab::kCmdShowVersionInfo},
    {L"TMAllZentab", zentab::kTMAllZentab},
    {L"TMCmdVisible", zentab::kTMCmdVisible},
    {L"TMCmdOption", zentab::kTMCmdOption},
    {L"TMCmdHelpRef", zentab::kTMCmdHelpRef},
    {L"TMCmdOpenHP", zentab::kTMCmdOpenHP},
    {L"TMCmdShowVersionInfo", zentab::kTMCmdShowVersionInfo},
    {L"TMCmdExit", zentab::kTMCmdExit},
};

int Id(const wchar_t* text) {
  for (const Named& named : kNames) {
    if (wcscmp(named.name, text) == 0) return named.id;
  }
  return Number(text);
}

double Seconds(int argc, wchar_t** argv, int at, double fallback) {
  return argc > at ? wcstod(argv[at], nullptr) : fallback;
}

// Waits until `holds` is true of the control, up to `seconds`; prints what it saw last.
template <typename Read, typename Holds, typename Show>
int WaitUntil(double seconds, Read read, Holds holds, Show show) {
  ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    auto seen = read();
    if (holds(seen) || GetTickCount64() >= until) {
      show(seen);
      return holds(seen) ? 0 : 1;
    }
    Sleep(50);
  }
}

void PrintLines(const std::vector<std::wstring>& lines) {
  for (const auto& line : lines) Print(line);
}

void PrintText(const std::wstring& text) {
  Print(text);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  wchar_t className[64];
  GetClassNameW(child, className, 64);
  Print(std::wstring(className) + L"\t" + WindowText(child));
  return TRUE;
}

std::wstring Bstr(BSTR text) {
  return text ? std::wstring(text, SysStringLen(text)) : L"(null)";
}

// What the ShellWindows class of this prefix offers, read as the program reads it.
int ShellWindowsReport() {
  IShellWindows* windows = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                                reinterpret_cast<void**>(&windows));
  if (FAILED(hr)) {
    Print(L"create failed " + std::to_wstring(static_cast<unsigned long>(hr)));
    return 1;
  }
  LONG count = -1;
  hr = windows->get_Count(&count);
  Print(L"count " + (SUCCEEDED(hr) ? std::to_wstring(count) : L"failed"));
  for (short i = 0; SUCCEEDED(hr) && i <= count; ++i) {
    VARIANT position;
    VariantInit(&position);
    V_VT(&position) = VT_I2;
    V_I2(&position) = i;
    IDispatch* item = nullptr;
    HRESULT itemHr = windows->Item(position, &item);
    if (!item) {
      Print(std::to_wstring(i) + L"\tnone " + (itemHr == S_FALSE ? L"S_FALSE" : L"other"));
      continue;
    }
    IWebBrowser2* browser = nullptr;
    if (SUCCEEDED(item->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)))) {
      BSTR title = nullptr;
      BSTR address = nullptr;
      browser->get_LocationName(&title);
      browser->get_LocationURL(&address);
      Print(std::to_wstring(i) + L"\t" + Bstr(title) + L"\t" + Bstr(address));
      SysFreeString(title);
      SysFreeString(address);
      browser->Release();
    }
    item->Release();
  }
  windows->Release();
  return SUCCEEDED(hr) ? 0 : 1;
}

// Opens one page in a new browser, the way the program reopens a page.
int OpenNewBrowser(const wchar_t* address) {
  IWebBrowser2* browser = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_ALL, IID_IWebBrowser2,
                                reinterpret_cast<void**>(&browser));
  if (FAILED(hr)) return 1;
  VARIANT url;
  VARIANT empty;
  VariantInit(&empty);
  V_VT(&url) = VT_BSTR;
  V_BSTR(&url) = SysAllocString(address);
  hr = browser->Navigate2(&url, &empty, &empty, &empty, &empty);
  if (SUCCEEDED(hr)) hr = browser->put_Visible(VARIANT_TRUE);
  VariantClear(&url);
  browser->Release();
  return SUCCEEDED(hr) ? 0 : 1;
}

int Usage() {
  Print(
      L"zentab_driver [--pid N] command   (ids by number or by name: WatchLst, CmdExit...)\n"
      L"  wait [s] | pid | alive | gone [s] | windows | caption | visible [id] | enabled <id>\n"
      L"  list <id> | waitlist <id> <line> [s] | waitcount <id> <n> [s]\n"
      L"  text <id> | waittext <id> <text> [s] | check <id>\n"
      L"  click <id> | command <id> | post <id> | tray <x> | posttray <x>\n"
      L"  menu [s] | closemenu [s]\n"
      L"  dblclick <list-id> <index> | close\n"
      L"  dialog <caption> [s] | dismiss <caption>\n"
      L"  shellwindows | open <url> | acp | pointer <x> <y>");
  return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int at = 1;
  if (argc > 2 && wcscmp(argv[1], L"--pid") == 0) {
    g_wantedPid = static_cast<DWORD>(Number(argv[2]));
    at = 3;
  }
  if (argc <= at) return Usage();
  std::wstring command = argv[at];
  argc -= at;
  argv += at;
  auto need = [&](int n) { return argc > n; };

  if (command == L"wait") {
    Print(std::to_wstring(ProcessOf(Watcher(Seconds(argc, argv, 1, 10)))));
    return 0;
  }
  if (command == L"pid") {
    Print(std::to_wstring(ProcessOf(Watcher())));
    return 0;
  }
  if (command == L"alive") {
    Print(FindTopLevel(nullptr, kCaption, g_wantedPid) ? L"1" : L"0");
    return 0;
  }
  if (command == L"gone") {
    ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(Seconds(argc, argv, 1, 5) * 1000);
    while (FindTopLevel(nullptr, kCaption, g_wantedPid)) {
      if (GetTickCount64() >= until) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (command == L"caption") {
    Print(WindowText(Watcher()));
    return 0;
  }
  if (command == L"visible") {
    HWND watcher = Watcher();
    // A control's own flag: IsWindowVisible would also say no for every control of the hidden
    // main window.
    bool visible =
        need(1) ? (GetWindowLongW(Control(watcher, Id(argv[1])), GWL_STYLE) & WS_VISIBLE) != 0
                : IsWindowVisible(watcher) != FALSE;
    Print(visible ? L"1" : L"0");
    return 0;
  }
  if (command == L"windows") {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, kCaption)) != nullptr;) {
      ++count;
    }
    Print(std::to_wstring(count));
    return 0;
  }
  if (command == L"pointer" && need(2)) {
    // Out of the way of a screenshot: a pointer over a list shows its tooltip.
    return SetCursorPos(Number(argv[1]), Number(argv[2])) ? 0 : 1;
  }
  if (command == L"acp") {
    Print(std::to_wstring(GetACP()));
    return 0;
  }
  if (command == L"enabled" && need(1)) {
    Print(IsWindowEnabled(Control(Watcher(), Id(argv[1]))) ? L"1" : L"0");
    return 0;
  }
  if (command == L"list" && need(1)) {
    PrintLines(ListLines(Control(Watcher(), Id(argv[1]))));
    return 0;
  }
  if (command == L"waitlist" && need(2)) {
    HWND list = Control(Watcher(), Id(argv[1]));
    std::wstring wanted = argv[2];
    return WaitUntil(
        Seconds(argc, argv, 3, 10), [&] { return ListLines(list); },
        [&](const std::vector<std::wstring>& lines) {
          for (const auto& line : lines) {
            if (line == wanted) return true;
          }
          return false;
        },
        PrintLines);
  }
  if (command == L"waitcount" && need(2)) {
    HWND list = Control(Watcher(), Id(argv[1]));
    size_t wanted = static_cast<size_t>(Number(argv[2]));
    return WaitUntil(
        Seconds(argc, argv, 3, 10), [&] { return ListLines(list); },
        [&](const std::vector<std::wstring>& lines) { return lines.size() == wanted; }, PrintLines);
  }
  if (command == L"text" && need(1)) {
    Print(WindowText(Control(Watcher(), Id(argv[1]))));
    return 0;
  }
  if (command == L"waittext" && need(2)) {
    HWND control = Control(Watcher(), Id(argv[1]));
    std::wstring wanted = argv[2];
    return WaitUntil(
        Seconds(argc, argv, 3, 10), [&] { return WindowText(control); },
        [&](const std::wstring& text) { return text == wanted; }, PrintText);
  }
  if (command == L"check" && need(1)) {
    Print(std::to_wstring(Send(Control(Watcher(), Id(argv[1])), BM_GETCHECK, 0, 0)));
    return 0;
  }
  if (command == L"click" && need(1)) {
    Send(Control(Watcher(), Id(argv[1])), BM_CLICK, 0, 0);
    return 0;
  }
  if (command == L"command" && need(1)) {
    Send(Watcher(), WM_COMMAND, MAKEWPARAM(Id(argv[1]), 0), 0);
    return 0;
  }
  if (command == L"post" && need(1)) {
    // For commands that open a modal window: a sent message would wait for it to close.
    return PostMessageW(Watcher(), WM_COMMAND, MAKEWPARAM(Id(argv[1]), 0), 0) ? 0 : 1;
  }
  if (command == L"tray" && need(1)) {
    HWND picture = Control(Watcher(), zentab::kSysTrayPicId);
    Send(picture, kTrayCallback, kTrayIconId, static_cast<LPARAM>(Number(argv[1])));
    return 0;
  }
  if (command == L"posttray" && need(1)) {
    // The right button opens the tray menu, which holds a sent message until it closes.
    HWND picture = Control(Watcher(), zentab::kSysTrayPicId);
    return PostMessageW(picture, kTrayCallback, kTrayIconId, static_cast<LPARAM>(Number(argv[1])))
               ? 0
               : 1;
  }
  if (command == L"menu") {
    Print(WaitForMenu(Seconds(argc, argv, 1, 5)) ? L"1" : L"0");
    return 0;
  }
  if (command == L"closemenu") {
    HWND menu = WaitForMenu(Seconds(argc, argv, 1, 5));
    if (!menu) return 3;
    // The menu's own loop reads its keys from the queue of the program's thread.
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(menu, WM_KEYUP, VK_ESCAPE, 0);
    return 0;
  }
  if (command == L"dblclick" && need(2)) {
    int id = Id(argv[1]);
    HWND list = Control(Watcher(), id);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(Number(argv[2])), 0);
    Send(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    return 0;
  }
  if (command == L"close") {
    Send(Watcher(), WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"dialog" && need(1)) {
    HWND dialog = WaitForTopLevel(L"#32770", argv[1], 0, Seconds(argc, argv, 2, 5));
    if (!dialog) return 3;
    Print(L"pid\t" + std::to_wstring(ProcessOf(dialog)));
    EnumChildWindows(dialog, PrintChild, 0);
    return 0;
  }
  if (command == L"dismiss" && need(1)) {
    HWND dialog = FindTopLevel(L"#32770", argv[1], 0);
    if (!dialog) return 3;
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) ? 0 : 1;
  }
  if (command == L"shellwindows" || (command == L"open" && need(1))) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    int result = command == L"open" ? OpenNewBrowser(argv[1]) : ShellWindowsReport();
    CoUninitialize();
    return result;
  }
  return Usage();
}
