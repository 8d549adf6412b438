// Drives the running program's windows from outside, as the Wine tests and scripts/run.sh need
// it. Every answer goes to stdout as UTF-8, one item a line. Exit codes: 0 done, 1 the awaited
// state did not come (or a window differs from its design), 2 no such window of the program,
// 3 no such control or dialog, 64 wrong usage.
#include <exdisp.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_design.h"
#include "design_check.h"
#include "info/about_design.h"
#include "info/vote_design.h"
#include "options/options_design.h"

namespace {

using driver::Print;
using driver::Send;
using driver::WindowText;

// The tray icon's id and callback message, as the program registers them.
constexpr WPARAM kTrayIconId = 10;
constexpr UINT kTrayCallback = 513;
constexpr wchar_t kFormClass[] = L"Zentab.Form";

DWORD g_wantedPid = 0;  // 0: any window of the program

// The program's windows by the names of their designs.
struct FormEntry {
  const wchar_t* name;
  const zentab::FormDesign& (*design)();
};
constexpr FormEntry kForms[] = {
    {L"Watcher", zentab::MainWindowDesign},
    {L"Options", zentab::OptionsDesign},
    {L"VerInfo", zentab::AboutDesign},
    {L"Votrix", zentab::VoteDesign},
};

const zentab::FormDesign* FormNamed(const std::wstring& name) {
  for (const FormEntry& form : kForms) {
    if (name == form.name) return &form.design();
  }
  return nullptr;
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

HWND FindTopLevel(const wchar_t* className, const wchar_t* caption, DWORD pid,
                  bool visibleOnly = false) {
  Search search{className, caption, pid, nullptr, visibleOnly};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Polls for up to `seconds`; 0 looks once.
HWND WaitForTopLevel(const wchar_t* className, const wchar_t* caption, DWORD pid, double seconds,
                     bool visibleOnly = false) {
  ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (HWND window = FindTopLevel(className, caption, pid, visibleOnly)) return window;
    if (GetTickCount64() >= until) return nullptr;
    Sleep(50);
  }
}

// An open popup menu: Wine keeps its menu window class around, hidden, between menus.
HWND WaitForMenu(double seconds) {
  return WaitForTopLevel(L"#32768", nullptr, 0, seconds, true);
}

// The main window, shown or not; the others only while they are shown, since a closed one may
// linger hidden for a moment.
HWND FindForm(const zentab::FormDesign& design, double seconds) {
  const bool main = &design == &zentab::MainWindowDesign();
  return WaitForTopLevel(kFormClass, driver::CaptionOf(design).c_str(), g_wantedPid, seconds,
                         !main);
}

HWND Form(const zentab::FormDesign& design, double seconds = 5) {
  HWND window = FindForm(design, seconds);
  if (!window) {
    Print(L"no " + driver::Widen(design.name) + L" window");
    ExitProcess(2);
  }
  return window;
}

HWND Watcher(double seconds = 5) {
  return Form(zentab::MainWindowDesign(), seconds);
}

int Number(const wchar_t* text) {
  return static_cast<int>(wcstol(text, nullptr, 10));
}

// A control by "Form.Name" (the main window's without "Form.") or by number.
HWND Control(const std::wstring& address) {
  const size_t dot = address.find(L'.');
  const zentab::FormDesign* design =
      dot == std::wstring::npos ? &zentab::MainWindowDesign() : FormNamed(address.substr(0, dot));
  const std::wstring name = dot == std::wstring::npos ? address : address.substr(dot + 1);
  if (!design) {
    Print(L"no window " + address.substr(0, dot));
    ExitProcess(3);
  }
  int id = Number(name.c_str());
  for (const zentab::ControlDesign& control : design->controls) {
    if (driver::Widen(control.name) == name) id = control.id;
  }
  HWND control = GetDlgItem(Form(*design), id);
  if (!control) {
    Print(L"no control " + address);
    ExitProcess(3);
  }
  return control;
}

// A menu command of the main window by its item's name or by number.
int CommandId(const std::wstring& name) {
  for (const zentab::MenuDesign& item : zentab::MainWindowDesign().menus) {
    if (item.id != 0 && driver::Widen(item.name) == name) return item.id;
  }
  return Number(name.c_str());
}

// The control that has the keyboard in the window's thread, or the window itself.
HWND Focus(HWND form) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &thread);
  return thread.hwndFocus ? thread.hwndFocus : form;
}

struct NamedKey {
  const wchar_t* name;
  UINT key;
};
constexpr NamedKey kKeys[] = {
    {L"Return", VK_RETURN}, {L"Escape", VK_ESCAPE}, {L"Up", VK_UP},
    {L"Down", VK_DOWN},     {L"Home", VK_HOME},     {L"End", VK_END},
};

// As the keyboard would: into the queue of the window's thread, through its dialog manager.
bool PostKey(HWND target, const std::wstring& name) {
  for (const NamedKey& named : kKeys) {
    if (name != named.name) continue;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(named.key, MAPVK_VK_TO_VSC)) << 16;
    return PostMessageW(target, WM_KEYDOWN, named.key, scan | 1) &&
           PostMessageW(target, WM_KEYUP, named.key, scan | 1 | (3L << 30));
  }
  return false;
}

std::vector<std::wstring> ReadLines(HWND list) {
  std::vector<std::wstring> lines;
  auto count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    auto length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) break;
    // Room to spare: the line may have been replaced by a longer one since its length was read.
    std::wstring line(static_cast<size_t>(length) + 1024, L'\0');
    auto got =
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(got == LB_ERR ? 0 : std::min(static_cast<size_t>(got), wcslen(line.c_str())));
    lines.push_back(line);
  }
  return lines;
}

// A scan may rebuild the list between two of the reads: a read counts when the next one agrees.
std::vector<std::wstring> ListLines(HWND list) {
  for (auto lines = ReadLines(list);;) {
    auto again = ReadLines(list);
    if (again == lines) return lines;
    lines = std::move(again);
  }
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
  Print(std::wstring(className) + L"\t" + driver::Escaped(WindowText(child)));
  return TRUE;
}

// A top-level window of another program: its process, caption and the texts of its controls.
int PrintTopLevel(HWND window) {
  if (!window) return 3;
  Print(L"pid\t" + std::to_wstring(ProcessOf(window)));
  Print(L"caption\t" + WindowText(window));
  EnumChildWindows(window, PrintChild, 0);
  return 0;
}

// Pumps this thread's own window for a while.
void Pump(DWORD milliseconds) {
  const ULONGLONG until = GetTickCount64() + milliseconds;
  while (GetTickCount64() < until) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}

// Takes the foreground with a window of its own, then sends the tray notification x and waits
// for `form` to come to the front. Prints 1 when it did.
int RaiseByTray(HWND form, int x, double seconds) {
  HWND own = CreateWindowExW(0, L"STATIC", L"zentab_driver", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(own);
  Pump(200);
  if (GetForegroundWindow() != own) {
    Print(L"the driver could not take the foreground");
    DestroyWindow(own);
    return 1;
  }
  HWND picture = GetDlgItem(Watcher(), zentab::main_window::SysTrayPic.id);
  PostMessageW(picture, kTrayCallback, kTrayIconId, static_cast<LPARAM>(x));
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (GetForegroundWindow() != form && GetTickCount64() < until) Pump(50);
  const bool raised = GetForegroundWindow() == form;
  DestroyWindow(own);
  Print(raised ? L"1" : L"0");
  return 0;
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
      L"zentab_driver [--pid N] command\n"
      L"  windows: Watcher, Options, VerInfo, Votrix; controls: Name (the main window's) or\n"
      L"  Form.Name, or a number; menu commands by name (CmdExit...) or number\n"
      L"  wait [s] | pid | alive | gone [form] [s] | shown <form> [s] | windows | caption [form]\n"
      L"  visible [control] | owned [form] | enabled <control> | dpi <form> | rect <form>\n"
      L"  design <form> [Name=text | hidden:Name | disabled:Name | default:Name]...\n"
      L"  list <control> | waitlist <control> <line> [s] | waitcount <control> <n> [s]\n"
      L"  text <control> | waittext <control> <text> [s] | check <control>...\n"
      L"  click <control> | press <control> | key <form|control> <key>\n"
      L"  command <item> | post <item> | tray <x> | posttray <x> | raise <form> <x> [s]\n"
      L"  menu [s] | closemenu [s] | dblclick <list> <index> | close [form]\n"
      L"  dialog <caption> [s] | dismiss <caption> [OK|Cancel|Enter] [next caption]\n"
      L"  top <class> [s] | closetop <class> (and waits until it has gone)\n"
      L"  shellwindows | open <url> | acp | pointer <x> <y> | hover <control> | tooltip [s]");
  return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Places and sizes in the screen's own pixels, as the program sees them.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
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
  // A window named by the argument at `n`, else usage.
  auto formAt = [&](int n) { return need(n) ? FormNamed(argv[n]) : nullptr; };

  if (command == L"wait") {
    Print(std::to_wstring(ProcessOf(Watcher(Seconds(argc, argv, 1, 10)))));
    return 0;
  }
  if (command == L"pid") {
    Print(std::to_wstring(ProcessOf(Watcher())));
    return 0;
  }
  if (command == L"alive") {
    Print(FindForm(zentab::MainWindowDesign(), 0) ? L"1" : L"0");
    return 0;
  }
  if (command == L"gone") {
    const zentab::FormDesign* design = formAt(1);
    const int secondsAt = design ? 2 : 1;
    if (!design) design = &zentab::MainWindowDesign();
    ULONGLONG until =
        GetTickCount64() + static_cast<ULONGLONG>(Seconds(argc, argv, secondsAt, 5) * 1000);
    while (FindForm(*design, 0)) {
      if (GetTickCount64() >= until) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (command == L"shown" && formAt(1)) {
    const bool shown = FindForm(*formAt(1), Seconds(argc, argv, 2, 5)) != nullptr;
    Print(shown ? L"1" : L"0");
    return shown ? 0 : 1;
  }
  if (command == L"caption") {
    Print(WindowText(formAt(1) ? Form(*formAt(1)) : Watcher()));
    return 0;
  }
  if (command == L"visible") {
    // A control's own flag: IsWindowVisible would also say no for every control of the hidden
    // main window.
    bool visible = need(1) ? (GetWindowLongW(Control(argv[1]), GWL_STYLE) & WS_VISIBLE) != 0
                           : IsWindowVisible(Watcher()) != FALSE;
    Print(visible ? L"1" : L"0");
    return 0;
  }
  if (command == L"owned") {
    // No taskbar button: the window hangs on an owner that is never shown.
    HWND owner = GetWindow(formAt(1) ? Form(*formAt(1)) : Watcher(), GW_OWNER);
    Print(owner && !IsWindowVisible(owner) ? L"1" : L"0");
    return 0;
  }
  if (command == L"windows") {
    int count = 0;
    const std::wstring caption = driver::CaptionOf(zentab::MainWindowDesign());
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) != nullptr;) {
      ++count;
    }
    Print(std::to_wstring(count));
    return 0;
  }
  if (command == L"dpi" && formAt(1)) {
    Print(std::to_wstring(GetDpiForWindow(Form(*formAt(1)))));
    return 0;
  }
  if (command == L"rect" && formAt(1)) {
    // As ImageMagick's geometry: WxH+X+Y, the frame included.
    RECT r;
    GetWindowRect(Form(*formAt(1)), &r);
    Print(std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top) + L"+" +
          std::to_wstring(r.left) + L"+" + std::to_wstring(r.top));
    return 0;
  }
  if (command == L"design" && formAt(1)) {
    driver::DesignChanges changes;
    for (int i = 2; i < argc; ++i) {
      if (!changes.Take(argv[i])) return Usage();
    }
    const auto differences = driver::CompareWithDesign(Form(*formAt(1)), *formAt(1), changes);
    PrintLines(differences);
    return differences.empty() ? 0 : 1;
  }
  if (command == L"pointer" && need(2)) {
    // Out of the way of a screenshot: a pointer over a list shows its tooltip.
    return SetCursorPos(Number(argv[1]), Number(argv[2])) ? 0 : 1;
  }
  if (command == L"hover" && need(1)) {
    // The pointer rests on the middle of a control.
    RECT r;
    GetWindowRect(Control(argv[1]), &r);
    return SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2) ? 0 : 1;
  }
  if (command == L"tooltip") {
    // The tip the program shows, as its tooltip window tells it.
    HWND tip = WaitForTopLevel(L"tooltips_class32", nullptr, ProcessOf(Watcher()),
                               Seconds(argc, argv, 1, 3), true);
    Print(tip ? WindowText(tip) : L"no tooltip");
    return tip ? 0 : 1;
  }
  if (command == L"acp") {
    Print(std::to_wstring(GetACP()));
    return 0;
  }
  if (command == L"enabled" && need(1)) {
    Print(IsWindowEnabled(Control(argv[1])) ? L"1" : L"0");
    return 0;
  }
  if (command == L"list" && need(1)) {
    PrintLines(ListLines(Control(argv[1])));
    return 0;
  }
  if (command == L"waitlist" && need(2)) {
    HWND list = Control(argv[1]);
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
    HWND list = Control(argv[1]);
    size_t wanted = static_cast<size_t>(Number(argv[2]));
    return WaitUntil(
        Seconds(argc, argv, 3, 10), [&] { return ListLines(list); },
        [&](const std::vector<std::wstring>& lines) { return lines.size() == wanted; }, PrintLines);
  }
  if (command == L"text" && need(1)) {
    Print(WindowText(Control(argv[1])));
    return 0;
  }
  if (command == L"waittext" && need(2)) {
    HWND control = Control(argv[1]);
    std::wstring wanted = argv[2];
    return WaitUntil(
        Seconds(argc, argv, 3, 10), [&] { return WindowText(control); },
        [&](const std::wstring& text) { return text == wanted; }, PrintText);
  }
  if (command == L"check" && need(1)) {
    for (int i = 1; i < argc; ++i)
      Print(std::to_wstring(Send(Control(argv[i]), BM_GETCHECK, 0, 0)));
    return 0;
  }
  if (command == L"click" && need(1)) {
    Send(Control(argv[1]), BM_CLICK, 0, 0);
    return 0;
  }
  if (command == L"press" && need(1)) {
    // For buttons that ask with a message box, which would hold a sent click.
    return PostMessageW(Control(argv[1]), BM_CLICK, 0, 0) ? 0 : 1;
  }
  if (command == L"key" && need(2)) {
    const zentab::FormDesign* design = formAt(1);
    return PostKey(design ? Focus(Form(*design)) : Control(argv[1]), argv[2]) ? 0 : 64;
  }
  if (command == L"command" && need(1)) {
    Send(Watcher(), WM_COMMAND, MAKEWPARAM(CommandId(argv[1]), 0), 0);
    return 0;
  }
  if (command == L"post" && need(1)) {
    // For commands that open a modal window: a sent message would wait for it to close.
    return PostMessageW(Watcher(), WM_COMMAND, MAKEWPARAM(CommandId(argv[1]), 0), 0) ? 0 : 1;
  }
  if (command == L"tray" && need(1)) {
    HWND picture = GetDlgItem(Watcher(), zentab::main_window::SysTrayPic.id);
    Send(picture, kTrayCallback, kTrayIconId, static_cast<LPARAM>(Number(argv[1])));
    return 0;
  }
  if (command == L"posttray" && need(1)) {
    // The right button opens the tray menu, which holds a sent message until it closes.
    HWND picture = GetDlgItem(Watcher(), zentab::main_window::SysTrayPic.id);
    return PostMessageW(picture, kTrayCallback, kTrayIconId, static_cast<LPARAM>(Number(argv[1])))
               ? 0
               : 1;
  }
  if (command == L"raise" && formAt(1) && need(2)) {
    return RaiseByTray(Form(*formAt(1)), Number(argv[2]), Seconds(argc, argv, 3, 5));
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
    HWND list = Control(argv[1]);
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(Number(argv[2])), 0);
    Send(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
         reinterpret_cast<LPARAM>(list));
    return 0;
  }
  if (command == L"close") {
    // The close box; a modal window's close must be posted, as its handler may ask.
    if (formAt(1)) return PostMessageW(Form(*formAt(1)), WM_CLOSE, 0, 0) ? 0 : 1;
    Send(Watcher(), WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"dialog" && need(1)) {
    return PrintTopLevel(WaitForTopLevel(L"#32770", argv[1], 0, Seconds(argc, argv, 2, 5)));
  }
  if (command == L"dismiss" && need(1)) {
    HWND dialog = FindTopLevel(L"#32770", argv[1], 0);
    if (!dialog) return 3;
    const std::wstring answer = need(2) ? argv[2] : L"OK";
    const ULONGLONG pressed = GetTickCount64();
    // Enter presses the button that has the focus, which a box gives its default button.
    const bool posted =
        answer == L"Enter"
            ? PostKey(Focus(dialog), L"Return")
            : PostMessageW(dialog, WM_COMMAND,
                           MAKEWPARAM(answer == L"Cancel" ? IDCANCEL : IDOK, BN_CLICKED), 0);
    if (!posted) return 1;
    // With the caption of a box that should follow: how many milliseconds it took to come.
    if (!need(3)) return 0;
    if (!WaitForTopLevel(L"#32770", argv[3], 0, 10)) return 3;
    Print(std::to_wstring(GetTickCount64() - pressed));
    return 0;
  }
  if (command == L"top" && need(1)) {
    return PrintTopLevel(WaitForTopLevel(argv[1], nullptr, 0, Seconds(argc, argv, 2, 5), true));
  }
  if (command == L"closetop" && need(1)) {
    HWND window = FindTopLevel(argv[1], nullptr, 0, true);
    if (!window || !PostMessageW(window, WM_CLOSE, 0, 0)) return 3;
    const ULONGLONG until = GetTickCount64() + 5000;
    while (IsWindow(window) && IsWindowVisible(window) && GetTickCount64() < until) Sleep(50);
    return IsWindow(window) && IsWindowVisible(window) ? 1 : 0;
  }
  if (command == L"shellwindows" || (command == L"open" && need(1))) {
    if (FAILED(CoInitialize(nullptr))) return 1;
    int result = command == L"open" ? OpenNewBrowser(argv[1]) : ShellWindowsReport();
    CoUninitialize();
    return result;
  }
  return Usage();
}
