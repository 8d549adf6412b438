#include "platform/win32/win32_input_controls.h"

#include <algorithm>

#include "platform/shell_services.h"
#include "platform/win32/utf.h"

namespace zentab {
namespace {

DWORD EditAlignment(Align align) {
  switch (align) {
    case Align::Center:
      return ES_CENTER;
    case Align::Right:
      return ES_RIGHT;
    case Align::Left:
      break;
  }
  return ES_LEFT;
}

int Clamp(int value, const RangeDesign& range) {
  return std::clamp(value, range.min, range.max);
}

}  // namespace

Win32OptionButton::Win32OptionButton(HWND form, const ControlDesign& design, const RECT& place,
                                     const std::vector<HWND>& group)
    : ChildControl(CreateChild(form, L"BUTTON", design, place, BS_AUTORADIOBUTTON, 0)),
      group_(group) {}

// The system moves the tab stop of a group to its checked button; with none checked the first
// keeps it, so that Tab still reaches the group.
void Win32OptionButton::SetValue(bool selected) {
  if (selected) {
    for (HWND other : group_) {
      if (other != window_) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageW(window_, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  const bool anyChecked = std::any_of(group_.begin(), group_.end(), [](HWND option) {
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
  if (!anyChecked && !group_.empty()) {
    HWND first = group_.front();
    const LONG_PTR style = GetWindowLongPtrW(first, GWL_STYLE);
    if (!SetWindowLongPtrW(first, GWL_STYLE, style | WS_TABSTOP)) {
      throw ShellFailure("SetWindowLongPtrW failed for an option button");
    }
  }
}

bool Win32OptionButton::Value() const {
  return SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Win32TextBox::Win32TextBox(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"EDIT", design, place,
                               ES_AUTOHSCROLL | EditAlignment(design.align) |
                                   (design.readOnly ? ES_READONLY : 0) | TabStop(design),
                               WS_EX_CLIENTEDGE)) {}

void Win32TextBox::SetText(const std::string& text) {
  if (!SetWindowTextW(window_, Widen(text).c_str())) throw ShellFailure("SetWindowTextW failed");
}

std::string Win32TextBox::Text() const {
  return Narrow(WindowText(window_));
}

// It never takes the focus itself: the arrow keys work on it from its buddy.
Win32UpDown::Win32UpDown(HWND form, const ControlDesign& design, const RECT& place, HWND buddy)
    : ChildControl(
          CreateChild(form, UPDOWN_CLASSW, design, place, UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0)),
      range_(design.range),
      known_(design.range.min) {
  SendMessageW(window_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(window_, UDM_SETRANGE32, static_cast<WPARAM>(range_.min),
               static_cast<LPARAM>(range_.max));
  SendMessageW(window_, UDM_SETPOS32, 0, static_cast<LPARAM>(range_.min));
  // Held down, it speeds up as the system's spin controls do, in the design's steps.
  const auto step = static_cast<UINT>(std::max(range_.smallChange, 1));
  UDACCEL speeds[] = {{0, step}, {2, step * 5}, {5, step * 20}};
  if (!SendMessageW(window_, UDM_SETACCEL, std::size(speeds), reinterpret_cast<LPARAM>(speeds))) {
    throw ShellFailure("UDM_SETACCEL failed");
  }
}

void Win32UpDown::SetValue(int value) {
  known_ = Clamp(value, range_);
  SendMessageW(window_, UDM_SETPOS32, 0, static_cast<LPARAM>(known_));
}

int Win32UpDown::Value() const {
  BOOL outOfRange = FALSE;
  const auto position = static_cast<int>(
      SendMessageW(window_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&outOfRange)));
  return Clamp(position, range_);
}

bool Win32UpDown::TakeChange() {
  const int now = Value();
  if (now == known_) return false;
  known_ = now;
  return true;
}

// No page of its own, so that the thumb reaches the largest value.
Win32ScrollBar::Win32ScrollBar(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"SCROLLBAR", design, place, SBS_HORZ | TabStop(design), 0)),
      range_(design.range) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = range_.min;
  info.nMax = range_.max;
  info.nPage = 0;
  info.nPos = range_.min;
  SetScrollInfo(window_, SB_CTL, &info, FALSE);
}

void Win32ScrollBar::SetValue(int value) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  info.nPos = Clamp(value, range_);
  SetScrollInfo(window_, SB_CTL, &info, TRUE);
}

int Win32ScrollBar::Value() const {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  if (!GetScrollInfo(window_, SB_CTL, &info)) throw ShellFailure("GetScrollInfo failed");
  return info.nPos;
}

bool Win32ScrollBar::Scroll(int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS | SIF_TRACKPOS;
  if (!GetScrollInfo(window_, SB_CTL, &info)) throw ShellFailure("GetScrollInfo failed");
  int value = info.nPos;
  switch (request) {
    case SB_LINELEFT:
      value -= range_.smallChange;
      break;
    case SB_LINERIGHT:
      value += range_.smallChange;
      break;
    case SB_PAGELEFT:
      value -= range_.largeChange;
      break;
    case SB_PAGERIGHT:
      value += range_.largeChange;
      break;
    case SB_THUMBPOSITION:
      value = info.nTrackPos;
      break;
    case SB_LEFT:
      value = range_.min;
      break;
    case SB_RIGHT:
      value = range_.max;
      break;
    default:  // SB_THUMBTRACK, SB_ENDSCROLL
      return false;
  }
  value = Clamp(value, range_);
  if (value == info.nPos) return false;
  SetValue(value);
  return true;
}

Win32CommandButton::Win32CommandButton(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(
          form, L"BUTTON", design, place,
          (design.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | TabStop(design), 0)) {}

void Win32CommandButton::SetCaption(const std::string& text) {
  if (!SetWindowTextW(window_, Widen(text).c_str())) throw ShellFailure("SetWindowTextW failed");
}

std::string Win32CommandButton::Caption() const {
  return Narrow(WindowText(window_));
}

void Win32CommandButton::ShowAsDefault(bool isDefault) {
  const LONG_PTR type = GetWindowLongPtrW(window_, GWL_STYLE) & BS_TYPEMASK;
  const LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (type == wanted) return;  // no repaint for nothing
  SendMessageW(window_, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}

Win32ComboBox::Win32ComboBox(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"COMBOBOX", design, place,
                               CBS_DROPDOWNLIST | WS_VSCROLL | TabStop(design), 0)) {
  for (std::string_view item : design.items) {
    const LRESULT added =
        SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    if (added == CB_ERR || added == CB_ERRSPACE) throw ShellFailure("CB_ADDSTRING failed");
  }
}

int Win32ComboBox::ListCount() const {
  return static_cast<int>(SendMessageW(window_, CB_GETCOUNT, 0, 0));
}

std::string Win32ComboBox::List(int index) const {
  const auto i = static_cast<WPARAM>(index);
  const LRESULT length = SendMessageW(window_, CB_GETLBTEXTLEN, i, 0);
  if (length == CB_ERR) return {};
  std::wstring item(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
  if (got == CB_ERR) return {};
  item.resize(static_cast<size_t>(got));
  return Narrow(item);
}

int Win32ComboBox::ListIndex() const {
  return static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0));
}

// CB_SETCURSEL answers CB_ERR for a deselection too.
void Win32ComboBox::SetListIndex(int index) {
  if (SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR && index != -1) {
    throw ShellFailure("no list item " + std::to_string(index));
  }
}

// The window's height includes the dropped list: the design's height is the closed box's.
void Win32ComboBox::Place(const RECT& place, UINT dpi, HFONT font) {
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  const LRESULT itemHeight = SendMessageW(window_, CB_GETITEMHEIGHT, 0, 0);
  if (itemHeight == CB_ERR) throw ShellFailure("CB_GETITEMHEIGHT failed");
  const int count = std::max(ListCount(), 1);
  const int listHeight =
      count * static_cast<int>(itemHeight) + 2 * GetSystemMetricsForDpi(SM_CYEDGE, dpi);
  if (!SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                    place.bottom - place.top + listHeight, SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw ShellFailure("SetWindowPos failed for a drop-down list");
  }
  // Version 6 of the controls counts items instead of using the height.
  if (!SendMessageW(window_, CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0)) {
    throw ShellFailure("CB_SETMINVISIBLE failed");
  }
}

}  // namespace zentab
