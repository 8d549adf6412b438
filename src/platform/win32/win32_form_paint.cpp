// A form's face: the system's or white, with the form's pictures on it, shown through the
// backgrounds of its labels and buttons.
#include "platform/shell_services.h"
#include "platform/win32/win32_form.h"

namespace zentab {

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

}  // namespace zentab
