// Building a form: its menus, its controls from the design in tab order, their dialog groups and
// stacking, and what only a shown form needs: its hidden owner and its tooltip window.
#include <utility>

#include "platform/shell_services.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_input_controls.h"

namespace zentab {

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

}  // namespace zentab
