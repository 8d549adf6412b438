// Window procedures that hand every message of a window to the object that created it.
#pragma once

#include "platform/shell_services.h"
#include "platform/win32/windows_api.h"

namespace zentab {

// The object arrives as the creation parameter and is bound to the window at WM_NCCREATE; the
// few messages that come before it go to the default procedure.
template <class T>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return self->HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    // A failure ends the handler that met it, here at the latest, whatever it was (a failed call,
    // a fault of the program, memory running out): no exception may leave through the system's
    // code, and the program runs on. What a handler sets up is undone by its own destructors.
    return 0;
  }
}

// Registers the window class of objects of type T, once per process.
template <class T>
void RegisterBoundClass(HINSTANCE instance, const wchar_t* name, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BoundWindowProc<T>;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw ShellFailure("RegisterClassExW failed");
  }
}

}  // namespace zentab
