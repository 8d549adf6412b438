// The floor: the least that a tray program of this kind does before it can answer (OLE, the
// common controls, one hidden window, one tray icon, a message loop), built as zentab.exe is.
// zentab.exe's start-up time and memory are measured against it. Like the program, it creates the
// shell's window collection and asks its count once, so that both carry what that object costs;
// built with ZENTAB_FLOOR_BARE it does not, which tells that cost.
// windows.h must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <exdisp.h>
#include <ole2.h>
#include <shellapi.h>
// clang-format on

#include "resource.h"

namespace {

constexpr wchar_t kClass[] = L"Zentab.Floor";
// Answers 1 once start-up is done: a message handled while the tray call waits must not count.
constexpr UINT kReadyQuery = WM_APP;
constexpr UINT kTrayCallback = WM_APP + 1;

constexpr CLSID kShellWindowsClass{
    0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};

bool g_ready = false;
NOTIFYICONDATAW g_icon{};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReadyQuery:
      return g_ready ? 1 : 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      Shell_NotifyIconW(NIM_DELETE, &g_icon);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (FAILED(OleInitialize(nullptr))) return 1;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  if (!InitCommonControlsEx(&controls)) return 1;
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ZENTAB));
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = kClass;
  if (!RegisterClassExW(&windowClass)) return 1;
  HWND window =
      CreateWindowExW(0, kClass, L"Zentab floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  g_icon.cbSize = sizeof g_icon;
  g_icon.hWnd = window;
  g_icon.uID = 1;
  g_icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  g_icon.uCallbackMessage = kTrayCallback;
  g_icon.hIcon = icon;
  lstrcpynW(g_icon.szTip, L"Zentab floor", ARRAYSIZE(g_icon.szTip));
  Shell_NotifyIconW(NIM_ADD, &g_icon);
#ifndef ZENTAB_FLOOR_BARE
  IShellWindows* shellWindows = nullptr;
  long count = 0;
  if (FAILED(
          CoCreateInstance(kShellWindowsClass, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&shellWindows))) ||
      FAILED(shellWindows->get_Count(&count))) {
    return 1;
  }
#endif
  g_ready = true;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
#ifndef ZENTAB_FLOOR_BARE
  shellWindows->Release();
#endif
  OleUninitialize();
  return 0;
}
