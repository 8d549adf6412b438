#include "platform/win32/win32_form.h"

#include <stdexcept>
#include <string>

#include "platform/shell_services.h"
#include "platform/win32/bound_window.h"
#include "platform/win32/utf.h"

namespace zentab {
namespace {

constexpr wchar_t kFormClass[] = L"Zentab.Form";
constexpr int kTwipsPerInch = 1440;
// The design's font: its twip sizes were laid out for this 9 point Japanese UI face.
constexpr wchar_t kFontFace[] = L"MS UI Gothic";
constexpr int kFontPoints = 9;

}  // namespace

Win32Form::Win32Form(const FormDesign& design, HINSTANCE instance, int icon)
    : design_(design), instance_(instance) {
  RegisterBoundClass<Win32Form>(instance, kFormClass, GetSysColorBrush(COLOR_BTNFACE));
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  if (!taskbarCreated_) throw ShellFailure("RegisterWindowMessageW failed");
  // An owned window gets no taskbar button and keeps its minimize box.
  if (!design.showInTaskbar) {
    owner_ = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             instance, nullptr);
    if (!owner_) throw ShellFailure("CreateWindowExW failed for the owner window");
  }
  CreateMenus();
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, Widen(design.caption).c_str(), Style(),
                            0, 0, 0, 0, owner_, menuBar_, instance, this);
  if (!window_) throw ShellFailure("CreateWindowExW failed for " + std::string(design.name));
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
  if (!toolTip_) throw ShellFailure("CreateWindowExW failed for the tooltips");
  CreateControls();
  smallIcon_ = LoadIconSized(icon, 16);
  largeIcon_ = LoadIconSized(icon, 32);
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  ApplyDpi(GetDpiForWindow(window_));
}

Win32Form::~Win32Form() {
  Destroy();
  for (const auto& [name, menu] : popupMenus_) DestroyMenu(menu);
  if (font_) DeleteObject(font_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  if (largeIcon_) DestroyIcon(largeIcon_);
}

void Win32Form::Destroy() {
  events_ = nullptr;
  shellRestarted_ = nullptr;
  sessionEnding_ = nullptr;
  if (window_) DestroyWindow(window_);
  if (owner_) DestroyWindow(owner_);
  window_ = owner_ = nullptr;
}

// Top-level menus shown in the bar become its popups; the others are kept for PopupMenu.
void Win32Form::CreateMenus() {
  HMENU current = nullptr;
  for (const MenuDesign& entry : design_.menus) {
    BOOL added = TRUE;
    if (entry.level == 0) {
      current = CreatePopupMenu();
      if (!current) throw ShellFailure("CreatePopupMenu failed");
      if (!entry.visibleInBar) {
        popupMenus_.emplace(entry.name, current);
        continue;
      }
      if (!menuBar_) {
        menuBar_ = CreateMenu();
        if (!menuBar_) throw ShellFailure("CreateMenu failed");
      }
      added = AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(current),
                          Widen(entry.caption).c_str());
    } else if (entry.caption == "-") {
      added = AppendMenuW(current, MF_SEPARATOR, 0, nullptr);
    } else {
      added = AppendMenuW(current, MF_STRING, static_cast<UINT_PTR>(entry.id),
                          Widen(entry.caption).c_str());
    }
    if (!added) throw ShellFailure("AppendMenuW failed for " + std::string(entry.name));
  }
}

// In design order, which is also the tab order.
void Win32Form::CreateControls() {
  for (const ControlDesign& control : design_.controls) {
    switch (control.kind) {
      case ControlKind::Label:
        AddChild(labels_, control);
        break;
      case ControlKind::ListBox:
        AddChild(listBoxes_, control);
        break;
      case ControlKind::CheckBox:
        AddChild(checkBoxes_, control);
        break;
      case ControlKind::PictureBox:
        AddChild(pictureBoxes_, control, [this, name = control.name](int x) {
          if (events_) events_->MouseDown(name, 1, x);
        });
        break;
      case ControlKind::Timer:
        timers_.emplace(control.name, std::make_unique<Win32Timer>(window_, control));
        break;
      default:
        throw ShellFailure("no Win32 control for " + std::string(control.name));
    }
  }
}

template <class T, class... Extra>
void Win32Form::AddChild(std::map<std::string_view, std::unique_ptr<T>, std::less<>>& named,
                         const ControlDesign& design, Extra&&... extra) {
  auto control = std::make_unique<T>(window_, design, toolTip_, std::forward<Extra>(extra)...);
  children_.emplace_back(&design, control->Window());
  named.emplace(design.name, std::move(control));
}

HICON Win32Form::LoadIconSized(int icon, int size) const {
  HANDLE image = LoadImageW(instance_, MAKEINTRESOURCEW(icon), IMAGE_ICON, size, size, 0);
  if (!image) throw ShellFailure("LoadImageW failed for the icon");
  return static_cast<HICON>(image);
}

DWORD Win32Form::Style() const {
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
         (design_.minButton ? WS_MINIMIZEBOX : 0) | (design_.maxButton ? WS_MAXIMIZEBOX : 0);
}

int Win32Form::Pixels(int twips) const {
  return MulDiv(twips, static_cast<int>(dpi_), kTwipsPerInch);
}

// Font, control places and window size for the screen the window is on.
void Win32Form::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  HFONT font =
      CreateFontW(-MulDiv(kFontPoints, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                  FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, kFontFace);
  if (!font) throw ShellFailure("CreateFontW failed");
  for (const auto& [design, child] : children_) {
    if (!SetWindowPos(child, nullptr, Pixels(design->left), Pixels(design->top),
                      Pixels(design->width), Pixels(design->height),
                      SWP_NOZORDER | SWP_NOACTIVATE)) {
      throw ShellFailure("SetWindowPos failed for " + std::string(design->name));
    }
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  if (font_) DeleteObject(font_);
  font_ = font;

  RECT frame{0, 0, Pixels(design_.clientWidth), Pixels(design_.clientHeight)};
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  if (!AdjustWindowRectExForDpi(&frame, Style(), menuBar_ != nullptr, exStyle, dpi) ||
      !SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw ShellFailure("the window could not be sized");
  }
}

void Win32Form::CentreOnMonitor() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT frame;
  if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor) ||
      !GetWindowRect(window_, &frame)) {
    throw ShellFailure("the window's monitor could not be found");
  }
  const RECT& work = monitor.rcWork;
  const int x = work.left + (work.right - work.left - (frame.right - frame.left)) / 2;
  const int y = work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2;
  if (!SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw ShellFailure("SetWindowPos failed");
  }
}

ListBox& Win32Form::ListBoxNamed(std::string_view name) {
  return FindNamed(listBoxes_, name);
}
Label& Win32Form::LabelNamed(std::string_view name) {
  return FindNamed(labels_, name);
}
CheckBox& Win32Form::CheckBoxNamed(std::string_view name) {
  return FindNamed(checkBoxes_, name);
}
PictureBox& Win32Form::PictureBoxNamed(std::string_view name) {
  return FindNamed(pictureBoxes_, name);
}
Timer& Win32Form::TimerNamed(std::string_view name) {
  return FindNamed(timers_, name);
}

Control& Win32Form::ControlNamed(std::string_view name) {
  if (listBoxes_.count(name)) return *listBoxes_.find(name)->second;
  if (labels_.count(name)) return *labels_.find(name)->second;
  if (checkBoxes_.count(name)) return *checkBoxes_.find(name)->second;
  return FindNamed(pictureBoxes_, name);
}

void Win32Form::Unload() {
  unloaded_ = true;
  ShowWindow(window_, SW_HIDE);
}

void Win32Form::SetCaption(const std::string& text) {
  if (!SetWindowTextW(window_, Widen(text).c_str())) throw ShellFailure("SetWindowTextW failed");
}

std::string Win32Form::Caption() const {
  return Narrow(WindowText(window_));
}

void Win32Form::SetVisible(bool visible) {
  if (visible && !centred_) {
    CentreOnMonitor();
    centred_ = true;
  }
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

bool Win32Form::Visible() const {
  return IsWindowVisible(window_) != FALSE;
}

std::uintptr_t Win32Form::SmallIconHandle() const {
  return reinterpret_cast<std::uintptr_t>(smallIcon_);
}

void Win32Form::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  const auto found = popupMenus_.find(menu);
  if (found == popupMenus_.end()) throw std::out_of_range("no popup menu " + menu);
  HMENU popup = found->second;
  for (const MenuDesign& entry : design_.menus) {
    if (entry.name == defaultItem && !SetMenuDefaultItem(popup, static_cast<UINT>(entry.id), 0)) {
      throw ShellFailure("SetMenuDefaultItem failed");
    }
  }
  POINT at;
  if (!GetCursorPos(&at)) throw ShellFailure("GetCursorPos failed");
  // Without the foreground the menu would not close when the user clicks elsewhere; it may be
  // refused, and the menu still works then.
  SetForegroundWindow(window_);
  const auto chosen = static_cast<int>(
      TrackPopupMenuEx(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, window_, nullptr));
  PostMessageW(window_, WM_NULL, 0, 0);
  const MenuDesign* item = MenuItemWithId(chosen);
  if (item && events_) events_->Click(item->name);
}

const MenuDesign* Win32Form::MenuItemWithId(int id) const {
  for (const MenuDesign& entry : design_.menus) {
    if (entry.id != 0 && entry.id == id) return &entry;
  }
  return nullptr;
}

const ControlDesign* Win32Form::ControlWithId(int id) const {
  for (const ControlDesign& control : design_.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

LRESULT Win32Form::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), lParam != 0);
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
      return OnActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
    case WM_NEXTDLGCTL:
      return OnNextDlgCtl(wParam, LOWORD(lParam) != 0);
    case WM_CLOSE:
      return OnClose(window);
    case WM_DPICHANGED:
      return OnDpiChanged(LOWORD(wParam), *reinterpret_cast<RECT*>(lParam));
    case WM_QUERYENDSESSION:
      return TRUE;  // never hold up the end of the session
    case WM_ENDSESSION:
      return OnEndSession(wParam != FALSE);
    default:
      break;
  }
  if (message == taskbarCreated_) return OnTaskbarCreated();
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Form::OnCommand(int id, int code, bool fromControl) {
  if (!events_) return 0;
  if (!fromControl) {
    if (const MenuDesign* item = MenuItemWithId(id)) events_->Click(item->name);
  } else if (const ControlDesign* control = ControlWithId(id);
             control && control->kind == ControlKind::ListBox && code == LBN_DBLCLK) {
    events_->DblClick(control->name);
  }
  return 0;
}

LRESULT Win32Form::OnTimer(UINT_PTR id) {
  const ControlDesign* timer = ControlWithId(static_cast<int>(id));
  if (timer && timer->kind == ControlKind::Timer && events_) events_->TimerTick(timer->name);
  return 0;
}

// The labels are transparent: they show the form's own face colour.
LRESULT Win32Form::OnCtlColorStatic(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The focus comes back to the control that had it, or to the first one.
LRESULT Win32Form::OnActivate(bool active, bool minimized) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
  } else if (!minimized) {
    SetFocus(lastFocus_ ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE));
  }
  return 0;
}

// The dialog manager moves the focus with this message, also for a label's access key, which
// passes the focus on to the control after the label.
LRESULT Win32Form::OnNextDlgCtl(WPARAM target, bool isWindow) {
  HWND next = isWindow ? reinterpret_cast<HWND>(target)
                       : GetNextDlgTabItem(window_, GetFocus(), target != 0);
  if (next) SetFocus(next);
  return 0;
}

LRESULT Win32Form::OnClose(HWND window) {
  if (events_ && events_->QueryUnload()) return 0;
  return DefWindowProcW(window, WM_CLOSE, 0, 0);
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
  if (ending && sessionEnding_) sessionEnding_();
  return 0;
}

LRESULT Win32Form::OnTaskbarCreated() {
  if (shellRestarted_) shellRestarted_();
  return 0;
}

}  // namespace zentab
