#include "platform/win32/win32_form.h"

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
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

}  // namespace

// What the user could press or focus himself.
bool Win32Form::Usable(HWND window) {
  return IsWindowEnabled(window) && IsWindowVisible(window);
}

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
  sessionQueried_ = nullptr;
  sessionEnded_ = nullptr;
  if (window_) DestroyWindow(window_);
  if (owner_) DestroyWindow(owner_);
  window_ = owner_ = nullptr;
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

// An item is in the bar's menus or in a popup menu: both are asked.
void Win32Form::SetMenuItemEnabled(std::string_view item, bool enabled) {
  const auto id = static_cast<UINT>(MenuItemNamed(item).id);
  const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  if (menuBar_) EnableMenuItem(menuBar_, id, state);
  for (const auto& [name, popup] : popupMenus_) EnableMenuItem(popup, id, state);
}

const MenuDesign& Win32Form::MenuItemNamed(std::string_view name) const {
  for (const MenuDesign& entry : design_.menus) {
    if (entry.id != 0 && entry.name == name) return entry;
  }
  throw DesignError("no menu item ", name);
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

}  // namespace zentab
