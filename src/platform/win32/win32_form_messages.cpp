// A form's messages, each turned into an event of its logic or a step of the dialog manager.
#include "platform/shell_services.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_input_controls.h"

namespace zentab {

LRESULT Win32Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_HSCROLL:
      return OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    case WM_VSCROLL:
      return OnSpin(reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(window, message, reinterpret_cast<HDC>(wParam),
                        reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PRINTCLIENT:  // themed controls ask for what lies behind them
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 0;
    case DM_GETDEFID:
      return OnGetDefId();
    case WM_ACTIVATE:
      return OnActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
    case WM_NEXTDLGCTL:
      return OnNextDlgCtl(wParam, LOWORD(lParam) != 0);
    case WM_CLOSE:
      return OnClose();
    case WM_DPICHANGED:
      return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<RECT*>(lParam));
    case WM_QUERYENDSESSION:
      if (sessionQueried_) sessionQueried_();
      return TRUE;  // never hold up the end of the session
    case WM_ENDSESSION:
      return OnEndSession(wParam != FALSE);
    default:
      break;
  }
  if (message == taskbarCreated_) return OnTaskbarCreated();
  return DefWindowProcW(window, message, wParam, lParam);
}

// Notices of the form's own controls come with their window; anything else is a menu command or
// the dialog manager's Esc (IDCANCEL).
LRESULT Win32Form::OnCommand(int id, int code, HWND from) {
  if (const Child* child = ChildOf(from); child && child->design->id == id) {
    return OnControlNotice(*child, code);
  }
  if (!events_) return 0;
  if (id == IDCANCEL) {
    PressCancel();
  } else if (!from) {
    if (const MenuDesign* item = MenuItemWithId(id)) events_->Click(item->name);
  }
  return 0;
}

LRESULT Win32Form::OnControlNotice(const Child& child, int code) {
  const std::string_view name = child.design->name;
  switch (child.design->kind) {
    case ControlKind::CommandButton:
      if (code == BN_CLICKED && events_) events_->Click(name);
      break;
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) {
        // The system clears only the buttons of the same run; the whole container counts.
        static_cast<Win32OptionButton*>(child.control)->SetValue(true);
        if (events_) events_->Click(name);
      }
      break;
    case ControlKind::Label:
      if (code == STN_CLICKED && events_) events_->Click(name);
      break;
    case ControlKind::ListBox:
      if (code == LBN_DBLCLK && events_) events_->DblClick(name);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT Win32Form::OnTimer(UINT_PTR id) {
  const ControlDesign* timer = ControlWithId(static_cast<int>(id));
  if (timer && timer->kind == ControlKind::Timer && events_) events_->TimerTick(timer->name);
  return 0;
}

LRESULT Win32Form::OnScroll(HWND bar, int request) {
  const Child* child = ChildOf(bar);
  auto* scrollBar = child ? dynamic_cast<Win32ScrollBar*>(child->control) : nullptr;
  if (scrollBar && scrollBar->Scroll(request) && events_) events_->Change(child->design->name);
  return 0;
}

LRESULT Win32Form::OnSpin(HWND spin) {
  const Child* child = ChildOf(spin);
  auto* upDown = child ? dynamic_cast<Win32UpDown*>(child->control) : nullptr;
  if (upDown && upDown->TakeChange() && events_) events_->Change(child->design->name);
  return 0;
}

// Enter: the default button, unless the user could not press it himself.
LRESULT Win32Form::OnGetDefId() {
  HWND button = ButtonWindow(defaultButton_);
  if (!button || !Usable(button)) return 0;
  return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
}

// The focus comes back to the control that had it, or goes to the first one that takes it.
LRESULT Win32Form::OnActivate(bool active, bool minimized) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
  } else if (!minimized) {
    if (HWND target = FocusOnActivation()) SetFocus(target);
  }
  return 0;
}

HWND Win32Form::FocusOnActivation() const {
  if (lastFocus_ && IsWindow(lastFocus_) && Usable(lastFocus_)) return lastFocus_;
  HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
  if (first && Usable(first)) return first;
  HWND button = ButtonWindow(defaultButton_);
  return button && Usable(button) ? button : nullptr;
}

// The dialog manager moves the focus with this message, also for a label's access key, which
// passes the focus on to the control after the label.
LRESULT Win32Form::OnNextDlgCtl(WPARAM target, bool isWindow) {
  HWND next = isWindow ? reinterpret_cast<HWND>(target)
                       : GetNextDlgTabItem(window_, GetFocus(), target != 0);
  if (next) SetFocus(next);
  return 0;
}

// A close the logic does not refuse unloads the window; its host takes it down. The window is
// never destroyed under the logic's feet.
LRESULT Win32Form::OnClose() {
  if (events_ && events_->QueryUnload()) return 0;
  Unload();
  return 0;
}

LRESULT Win32Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
  if (!SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw ShellFailure("SetWindowPos failed");
  }
  ApplyDpi(dpi);
  return 0;
}

LRESULT Win32Form::OnEndSession(bool ending) {
  if (sessionEnded_) sessionEnded_(ending);
  return 0;
}

LRESULT Win32Form::OnTaskbarCreated() {
  if (shellRestarted_) shellRestarted_();
  return 0;
}

}  // namespace zentab
