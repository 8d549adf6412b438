#include "platform/win32/win32_form_host.h"

#include <cwchar>
#include <memory>
#include <new>

#include "platform/scope_guard.h"
#include "platform/shell_services.h"
#include "platform/win32/message_loop.h"

namespace zentab {
namespace {

// The thread's other windows that the user could reach, disabled while a window is shown
// modally: the program's forms, shown or not, and whatever else is on the screen. Helpers that
// are never shown (the forms' owners, tooltips, the input method's window) are left alone.
class DisabledWindows {
 public:
  explicit DisabledWindows(HWND modal) : modal_(modal) {
    const BOOL enumerated =
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    if (outOfMemory_) throw std::bad_alloc();
    if (!enumerated) throw ShellFailure("EnumThreadWindows failed");
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~DisabledWindows() { Restore(); }
  void Restore() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabled_.clear();
  }
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

 private:
  // Called by the system: no exception may leave it. Memory for the list running out stops the
  // enumeration and is reported once the system's code is left.
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto& windows = *reinterpret_cast<DisabledWindows*>(self);
    try {
      if (window != windows.modal_ && GetWindow(window, GW_OWNER) != windows.modal_ &&
          IsWindowEnabled(window) && (IsWindowVisible(window) || Win32Form::IsForm(window))) {
        windows.disabled_.push_back(window);
      }
      return TRUE;
    } catch (...) {
      windows.outOfMemory_ = true;
      return FALSE;
    }
  }

  HWND modal_;
  std::vector<HWND> disabled_;
  bool outOfMemory_ = false;
};

// While the window is shown: it is the innermost modal window, the others are disabled. When it
// goes, everything is given back before the window is hidden, so that the activation returns to
// the window that had it instead of to another program.
class ModalScope {
 public:
  ModalScope(std::vector<HWND>& shown, HWND modal)
      : shown_(shown), modal_(modal), previous_(GetActiveWindow()), disabled_(modal) {
    shown_.push_back(modal_);
  }
  ~ModalScope() {
    shown_.pop_back();
    disabled_.Restore();
    if (previous_ && IsWindow(previous_) && IsWindowVisible(previous_) &&
        IsWindowEnabled(previous_)) {
      SetActiveWindow(previous_);
    }
    ShowWindow(modal_, SW_HIDE);
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND>& shown_;
  HWND modal_;
  HWND previous_;
  DisabledWindows disabled_;
};

}  // namespace

void Win32FormHost::ShowModal(const FormDesign& design, const MakeForm& make) {
  Win32Form form(design, instance_);
  std::unique_ptr<ModalForm> logic = make(form);
  // Whatever the window still says while it goes down must not reach the logic after it.
  ScopeGuard detach([&form] { form.SetEvents(nullptr); });
  form.SetEvents(logic.get());
  logic->Load();
  if (form.Unloaded()) return;

  const auto window = reinterpret_cast<HWND>(form.Handle());
  ModalScope scope(shown_, window);
  form.SetVisible(true);
  // May be refused when another program has the foreground; the window is shown all the same.
  SetForegroundWindow(window);
  RunMessagesUntil([&form, window] { return form.Unloaded() || !IsWindow(window); });
}

namespace {

// A message box of the program's own, which the user must answer first: a window of the dialog
// class that is shown and takes input.
BOOL CALLBACK FindShownMessageBox(HWND window, LPARAM result) {
  wchar_t name[8];
  if (GetClassNameW(window, name, 8) && std::wcscmp(name, L"#32770") == 0 &&
      IsWindowVisible(window) && IsWindowEnabled(window)) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

HWND ShownMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

bool Win32FormHost::ActivateModal() {
  HWND modal = ShownMessageBox();
  if (!modal && !shown_.empty()) modal = shown_.back();
  if (!modal) return false;
  // May be refused; the window stays where it is then.
  SetForegroundWindow(modal);
  return true;
}

}  // namespace zentab
