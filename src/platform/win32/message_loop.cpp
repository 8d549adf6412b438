#include "platform/win32/message_loop.h"

#include "platform/shell_services.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/windows_api.h"

namespace zentab {
namespace {

// Tab and the labels' access keys work through the dialog manager of the form the message is
// for; our forms mark themselves with WS_EX_CONTROLPARENT. The mouse also goes to its tooltips.
void Dispatch(MSG& msg) {
  try {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
      Win32Form::RelayToToolTip(root, msg);
    }
    if (root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
        IsDialogMessageW(root, &msg)) {
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  } catch (...) {
    // The window procedures keep their failures; should one come through all the same, it ends
    // with this message and the loop goes on with the next.
  }
}

}  // namespace

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) throw ShellFailure("GetMessageW failed");
    Dispatch(msg);
  }
}

bool RunMessagesUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) throw ShellFailure("GetMessageW failed");
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    Dispatch(msg);
  }
  return true;
}

void DispatchPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

}  // namespace zentab
