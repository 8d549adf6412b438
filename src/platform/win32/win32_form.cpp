#include "platform/win32/win32_form.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

#include "platform/shell_services.h"
#include "platform/win32/bound_window.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_input_controls.h"

namespace zentab {
namespace {

constexpr wchar_t kFormClass[] = L"Zentab.Form";
constexpr int kTwipsPerInch = 1440;
// The design's font: its twip sizes were laid out for this 9 point Japanese UI face.
constexpr wchar_t kFontFace[] = L"MS UI Gothic";
constexpr int kFontPoints = 9;
constexpr int kToolTipWidth = 400;  // pixels at 96 dpi
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// What the user could press or focus himself.
bool Usable(HWND window) {
  return IsWindowEnabled(window) && IsWindowVisible(window);
}

}  // namespace

Win32Form::Win32Form(const FormDesign& design, HINSTANCE instance)
    : design_(design),
      instance_(instance),
      face_(design.whiteBackground ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                   : GetSysColorBrush(COLOR_BTNFACE)) {
  if (!face_) throw ShellFailure("no brush for the window's face");
  RegisterBoundClass<Win32Form>(instance, kFormClass, GetSysColorBrush(COLOR_BTNFACE));
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  if (!taskbarCreated_) throw ShellFailure("RegisterWindowMessageW failed");
  CreateMenus();
  // Made at its size for the system's scale: a resize afterwards costs a round trip to the
  // display. Its own scale is applied when it is first shown.
  dpi_ = GetDpiForSystem();
  const SIZE size = FrameSize(kFormExStyle);
  window_ = CreateWindowExW(kFormExStyle, kFormClass, Widen(design.caption).c_str(), Style(), 0, 0,
                            size.cx, size.cy, nullptr, menuBar_, instance, this);
  if (!window_) throw ShellFailure("CreateWindowExW failed for ", design.name);
  for (const ControlDesign& control : design_.controls) {
    if (control.isDefault) defaultButton_ = control.name;
    if (control.isCancel) cancelButton_ = control.name;
  }
  CreateControls();
  MarkGroups();
  StackPictures();
  // The tray takes the small icon at once; the window shows its icons only once it is shown.
  if (design.icon != Picture::None) smallIcon_ = LoadPictureIcon(instance, design.icon, 16);
}

Win32Form::~Win32Form() {
  Destroy();
  for (const auto& [name, menu] : popupMenus_) DestroyMenu(menu);
}

bool Win32Form::IsForm(HWND window) {
  wchar_t name[std::size(kFormClass) + 1];
  return GetClassNameW(window, name, static_cast<int>(std::size(name))) &&
         std::wcscmp(name, kFormClass) == 0;
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
    if (!added) throw ShellFailure("AppendMenuW failed for ", entry.name);
  }
}

// In design order, which is also the tab order. Controls inside frames are children of the form
// too, so that the dialog manager sees every one of them.
void Win32Form::CreateControls() {
  HWND previous = nullptr;
  for (const ControlDesign& control : design_.controls) {
    const POINT origin = OriginOf(control);
    Win32Child* made = nullptr;
    switch (control.kind) {
      case ControlKind::Timer:
        timers_.emplace(control.name, std::make_unique<Win32Timer>(window_, control));
        continue;
      case ControlKind::Label:
        made = &AddChild<Win32Label>(control, origin);
        break;
      case ControlKind::ListBox:
        made = &AddChild<Win32ListBox>(control, origin);
        break;
      case ControlKind::CheckBox:
        made = &AddChild<Win32CheckBox>(control, origin);
        break;
      case ControlKind::PictureBox:
        made = &AddChild<Win32PictureBox>(control, origin, [this, name = control.name](int x) {
          if (events_) events_->MouseDown(name, 1, x);
        });
        break;
      case ControlKind::Frame:
        made = &AddChild<Win32Frame>(control, origin);
        break;
      case ControlKind::OptionButton: {
        std::vector<HWND>& group = optionGroups_[control.container];
        made = &AddChild<Win32OptionButton>(control, origin, std::as_const(group));
        group.push_back(made->Window());
        break;
      }
      case ControlKind::TextBox:
        made = &AddChild<Win32TextBox>(control, origin);
        break;
      case ControlKind::UpDown:
        if (!previous) throw DesignError("a spin control without a box before it: ", control.name);
        made = &AddChild<Win32UpDown>(control, origin, previous);
        break;
      case ControlKind::ScrollBar:
        made = &AddChild<Win32ScrollBar>(control, origin);
        break;
      case ControlKind::CommandButton:
        made = &AddChild<Win32CommandButton>(control, origin);
        break;
      case ControlKind::ComboBox:
        made = &AddChild<Win32ComboBox>(control, origin);
        break;
      case ControlKind::Line:
        made = &AddChild<Win32Line>(control, origin);
        break;
      case ControlKind::Image:
        made = &AddChild<Win32Image>(control, origin);
        break;
    }
    previous = made->Window();
  }
}

// A frame inside a frame adds up the offsets.
POINT Win32Form::OriginOf(const ControlDesign& design) const {
  if (design.container.empty()) return POINT{design.left, design.top};
  for (const Child& child : children_) {
    if (child.design->name == design.container) {
      return POINT{child.origin.x + design.left, child.origin.y + design.top};
    }
  }
  throw DesignError("a control before its container in the design: ", design.name);
}

template <class T, class... Extra>
T& Win32Form::AddChild(const ControlDesign& design, POINT origin, Extra&&... extra) {
  auto control =
      std::make_unique<T>(window_, design, PlaceOf(design, origin), std::forward<Extra>(extra)...);
  T& made = *control;
  if (!controls_.emplace(design.name, std::move(control)).second) {
    throw DesignError("two controls named ", design.name);
  }
  children_.push_back(Child{&design, &made, origin});
  return made;
}

// The dialog manager's groups: a run of option buttons of one container is one group with the tab
// stop on its first button (the system moves it to the checked one); every other control is a
// group of its own, so that the arrow keys never leave a group of option buttons.
void Win32Form::MarkGroups() {
  const ControlDesign* previous = nullptr;
  for (const Child& child : children_) {
    const ControlDesign& design = *child.design;
    const bool continuesRun = design.kind == ControlKind::OptionButton && previous &&
                              previous->kind == ControlKind::OptionButton &&
                              previous->container == design.container;
    previous = &design;
    if (continuesRun) continue;
    HWND window = child.control->Window();
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) | WS_GROUP;
    if (design.kind == ControlKind::OptionButton && design.tabStop) style |= WS_TABSTOP;
    if (!SetWindowLongPtrW(window, GWL_STYLE, style)) {
      throw ShellFailure("SetWindowLongPtrW failed for ", design.name);
    }
  }
}

// Pictures lie under every other control, and a stretched one (a background) under them all; of
// the others a later one lies over an earlier one. The face composed for the labels matches.
void Win32Form::StackPictures() {
  for (const bool stretched : {false, true}) {
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
      if (child->design->kind != ControlKind::Image || child->design->stretch != stretched)
        continue;
      if (!SetWindowPos(child->control->Window(), HWND_BOTTOM, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        throw ShellFailure("SetWindowPos failed for ", child->design->name);
      }
    }
  }
}

// A frame paints only its border and caption: the form must paint what lies inside it.
DWORD Win32Form::Style() const {
  const bool hasFrames =
      std::any_of(design_.controls.begin(), design_.controls.end(),
                  [](const ControlDesign& control) { return control.kind == ControlKind::Frame; });
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (hasFrames ? 0 : WS_CLIPCHILDREN) |
         (design_.minButton ? WS_MINIMIZEBOX : 0) | (design_.maxButton ? WS_MAXIMIZEBOX : 0);
}

// An owned window gets no taskbar button and keeps its minimize box. The shell decides on the
// button when the window is shown, so the owner comes just before that.
void Win32Form::TakeHiddenOwner() {
  owner_ = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                           nullptr);
  if (!owner_) throw ShellFailure("CreateWindowExW failed for the owner window");
  SetLastError(ERROR_SUCCESS);
  if (!SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_)) &&
      GetLastError() != ERROR_SUCCESS) {
    throw ShellFailure("the window could not take its owner");
  }
}

void Win32Form::CreateToolTip() {
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  if (!toolTip_) throw ShellFailure("CreateWindowExW failed for the tooltips");
  for (const Child& child : children_) child.control->AttachToolTip(toolTip_);
}

void Win32Form::RelayToToolTip(HWND root, const MSG& mouse) {
  if (!IsForm(root)) return;
  const auto* form = reinterpret_cast<const Win32Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
  if (form && form->toolTip_) {
    SendMessageW(form->toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouse));
  }
}

// The outer size of the window for the design's client area at the current scale.
SIZE Win32Form::FrameSize(DWORD exStyle) const {
  RECT frame{0, 0, Pixels(design_.clientWidth), Pixels(design_.clientHeight)};
  if (!AdjustWindowRectExForDpi(&frame, Style(), menuBar_ != nullptr, exStyle, dpi_)) {
    throw ShellFailure("AdjustWindowRectExForDpi failed");
  }
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

// A control's place in pixels of the client area, from its origin in twips.
RECT Win32Form::PlaceOf(const ControlDesign& design, POINT origin) const {
  return RECT{Pixels(origin.x), Pixels(origin.y), Pixels(origin.x + design.width),
              Pixels(origin.y + design.height)};
}

int Win32Form::Pixels(int twips) const {
  return MulDiv(twips, static_cast<int>(dpi_), kTwipsPerInch);
}

// Font, control places, pictures and window size for the screen the window is on.
void Win32Form::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  laidOut_ = true;
  GdiPtr<HFONT> font(CreateFontW(-MulDiv(kFontPoints, static_cast<int>(dpi), 72), 0, 0, 0,
                                 FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  if (!font) throw ShellFailure("CreateFontW failed");
  for (const Child& child : children_) {
    child.control->Place(PlaceOf(*child.design, child.origin), dpi, font.get());
  }
  font_ = std::move(font);  // the old one only now, when no control uses it any more
  ComposeFace();
  // Long help texts wrap instead of running across the screen.
  if (toolTip_) {
    SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0,
                 MulDiv(kToolTipWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
  }

  const SIZE size = FrameSize(static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  RECT now;
  if (!GetWindowRect(window_, &now)) throw ShellFailure("GetWindowRect failed");
  if ((now.right - now.left != size.cx || now.bottom - now.top != size.cy) &&
      !SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw ShellFailure("the window could not be sized");
  }
  if (!RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN)) {
    throw ShellFailure("RedrawWindow failed");
  }
}

// With pictures on the form, the labels and buttons show them through their backgrounds: they
// paint with a brush of the whole face, pictures included.
void Win32Form::ComposeFace() {
  std::vector<const Win32Image*> pictures;
  for (const bool stretched : {true, false}) {
    for (const Child& child : children_) {
      const auto* image = dynamic_cast<const Win32Image*>(child.control);
      if (image && image->Stretched() == stretched && image->Visible()) pictures.push_back(image);
    }
  }
  pictureFace_.reset();
  pictureBitmap_.reset();
  if (pictures.empty()) return;
  pictureBitmap_ = ComposeBackground(
      SIZE{Pixels(design_.clientWidth), Pixels(design_.clientHeight)}, face_, pictures);
  pictureFace_.reset(CreatePatternBrush(pictureBitmap_.get()));
  if (!pictureFace_) throw ShellFailure("CreatePatternBrush failed");
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

void Win32Form::SetCaption(const std::string& text) {
  if (!SetWindowTextW(window_, Widen(text).c_str())) throw ShellFailure("SetWindowTextW failed");
}

std::string Win32Form::Caption() const {
  return Narrow(WindowText(window_));
}

void Win32Form::SetVisible(bool visible) {
  if (visible && !prepared_) PrepareFirstShowing();
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

// What only a shown form needs waits for its first showing: a form that starts hidden in the tray
// may never be shown. Each step is done once, also when a later one fails.
void Win32Form::PrepareFirstShowing() {
  if (!design_.showInTaskbar && !owner_) TakeHiddenOwner();
  if (!toolTip_) CreateToolTip();
  if (!largeIcon_ && design_.icon != Picture::None) {
    largeIcon_ = LoadPictureIcon(instance_, design_.icon, 32);
    // Each costs the display a conversion of the picture, even for a hidden window.
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  }
  if (!laidOut_) ApplyDpi(GetDpiForWindow(window_));
  CentreOnMonitor();
  prepared_ = true;
}

bool Win32Form::Visible() const {
  return IsWindowVisible(window_) != FALSE;
}

std::uintptr_t Win32Form::SmallIconHandle() const {
  return reinterpret_cast<std::uintptr_t>(smallIcon_.get());
}

void Win32Form::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  const auto found = popupMenus_.find(menu);
  if (found == popupMenus_.end()) throw DesignError("no popup menu ", menu);
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

void Win32Form::SetDefaultButton(std::string_view button) {
  if (!button.empty() && !ButtonWindow(button)) throw DesignError("no command button ", button);
  defaultButton_ = button;
  HWND focus = GetFocus();
  const Child* focused = ChildOf(focus);
  const bool buttonHasFocus = focused && focused->design->kind == ControlKind::CommandButton;
  ShowDefault(buttonHasFocus ? focus : nullptr);
  // The focus may have gone with a control that the logic disabled or hid: the new default
  // button takes it, so that the keyboard reaches the window again.
  HWND target = ButtonWindow(defaultButton_);
  if (GetActiveWindow() == window_ && (!focused || !Usable(focus)) && target && Usable(target)) {
    SetFocus(target);
  }
}

void Win32Form::SetCancelButton(std::string_view button) {
  if (!button.empty() && !ButtonWindow(button)) throw DesignError("no command button ", button);
  cancelButton_ = button;
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

const Win32Form::Child* Win32Form::ChildOf(HWND window) const {
  if (!window) return nullptr;
  for (const Child& child : children_) {
    if (child.control->Window() == window) return &child;
  }
  return nullptr;
}

HWND Win32Form::ButtonWindow(std::string_view name) const {
  const auto found = controls_.find(name);
  if (found == controls_.end()) return nullptr;
  const auto* button = dynamic_cast<const Win32CommandButton*>(found->second.get());
  return button ? button->Window() : nullptr;
}

// The thick border marks the button that Enter presses: a push button while it has the focus,
// otherwise the default button. The dialog manager keeps it so as the focus moves; this is for
// the logic's changes.
void Win32Form::ShowDefault(HWND focusedButton) {
  HWND shown = focusedButton ? focusedButton : ButtonWindow(defaultButton_);
  for (const Child& child : children_) {
    if (auto* button = dynamic_cast<Win32CommandButton*>(child.control)) {
      button->ShowAsDefault(button->Window() == shown);
    }
  }
}

// Esc: only a cancel button that the user could press himself.
void Win32Form::PressCancel() {
  HWND button = ButtonWindow(cancelButton_);
  if (!button || !Usable(button) || !events_) return;
  const std::string name = cancelButton_;  // the handler may name another one
  events_->Click(name);
}

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

// Labels, frames, option buttons, check boxes, rules and pictures have no face of their own: they
// show the form's, pictures included, lined up with the control's place. Text boxes and lists keep
// the system's.
LRESULT Win32Form::OnCtlColor(HWND window, UINT message, HDC dc, HWND control) {
  const Child* child = ChildOf(control);
  bool onFace = false;
  if (child) {
    switch (child->design->kind) {
      case ControlKind::CommandButton:
        onFace = message == WM_CTLCOLORBTN;
        break;
      case ControlKind::Label:
      case ControlKind::Frame:
      case ControlKind::OptionButton:
      case ControlKind::CheckBox:
      case ControlKind::Line:
      case ControlKind::Image:
        onFace = message == WM_CTLCOLORSTATIC;
        break;
      default:
        break;
    }
  }
  if (!onFace) {
    return DefWindowProcW(window, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  }
  SetBkMode(dc, TRANSPARENT);
  const auto* label = dynamic_cast<const Win32Label*>(child->control);
  const COLORREF color = label ? label->TextColor() : CLR_INVALID;
  SetTextColor(dc, color != CLR_INVALID ? color : GetSysColor(COLOR_BTNTEXT));
  if (!pictureFace_) return reinterpret_cast<LRESULT>(face_);
  POINT at{0, 0};
  SetLastError(ERROR_SUCCESS);
  if (!MapWindowPoints(control, window_, &at, 1) && GetLastError() != ERROR_SUCCESS) {
    throw ShellFailure("MapWindowPoints failed");
  }
  if (!SetBrushOrgEx(dc, -at.x, -at.y, nullptr)) throw ShellFailure("SetBrushOrgEx failed");
  return reinterpret_cast<LRESULT>(pictureFace_.get());
}

// Also for WM_PRINTCLIENT, whose device context is moved to a control's place.
LRESULT Win32Form::OnEraseBackground(HDC dc) {
  RECT client;
  POINT origin;
  if (!GetClientRect(window_, &client) || !GetViewportOrgEx(dc, &origin) ||
      !SetBrushOrgEx(dc, origin.x, origin.y, nullptr) ||
      !FillRect(dc, &client, pictureFace_ ? pictureFace_.get() : face_)) {
    throw ShellFailure("the window's face could not be painted");
  }
  return 1;
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
  if (ending && sessionEnding_) sessionEnding_();
  return 0;
}

LRESULT Win32Form::OnTaskbarCreated() {
  if (shellRestarted_) shellRestarted_();
  return 0;
}

}  // namespace zentab
