// A form's size and its controls' places, font and tooltip width for the scale of its screen.
#include <algorithm>

#include "platform/shell_services.h"
#include "platform/win32/win32_form.h"

namespace zentab {

namespace {

constexpr int kTwipsPerInch = 1440;
// The design's font: its twip sizes were laid out for this 9 point Japanese UI face.
constexpr wchar_t kFontFace[] = L"MS UI Gothic";
constexpr int kFontPoints = 9;
constexpr int kToolTipWidth = 400;  // pixels at 96 dpi

}  // namespace

// A frame paints only its border and caption: the form must paint what lies inside it.
DWORD Win32Form::Style() const {
  const bool hasFrames =
      std::any_of(design_.controls.begin(), design_.controls.end(),
                  [](const ControlDesign& control) { return control.kind == ControlKind::Frame; });
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (hasFrames ? 0 : WS_CLIPCHILDREN) |
         (design_.minButton ? WS_MINIMIZEBOX : 0) | (design_.maxButton ? WS_MAXIMIZEBOX : 0);
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

}  // namespace zentab
