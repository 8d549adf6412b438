#include "platform/win32/win32_controls.h"

#include "platform/shell_services.h"
#include "platform/win32/bound_window.h"
#include "platform/win32/utf.h"

namespace zentab {
namespace {

constexpr wchar_t kPictureClass[] = L"Zentab.PictureBox";

DWORD LabelAlignment(Align align) {
  switch (align) {
    case Align::Center:
      return SS_CENTER;
    case Align::Right:
      return SS_RIGHT;
    case Align::Left:
      break;
  }
  return SS_LEFT;
}

}  // namespace

DWORD TabStop(const ControlDesign& design) {
  return design.tabStop ? WS_TABSTOP : 0;
}

HWND CreateChild(HWND form, const wchar_t* windowClass, const ControlDesign& design,
                 const RECT& place, DWORD style, DWORD exStyle, void* param) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
  style |= WS_CHILD | (design.visible ? WS_VISIBLE : 0) | (design.enabled ? 0 : WS_DISABLED);
  HWND window =
      CreateWindowExW(exStyle, windowClass, Widen(design.caption).c_str(), style, place.left,
                      place.top, place.right - place.left, place.bottom - place.top, form,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, param);
  if (!window) throw ShellFailure("CreateWindowExW failed for ", design.name);
  return window;
}

void Win32Child::Place(const RECT& place, UINT, HFONT font) {
  // Nothing of a hidden form is drawn now; it is drawn whole when shown.
  const bool shown = IsWindowVisible(window_) != FALSE;
  if (!SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                    place.bottom - place.top,
                    SWP_NOZORDER | SWP_NOACTIVATE | (shown ? 0 : SWP_NOREDRAW | SWP_NOCOPYBITS))) {
    throw ShellFailure("SetWindowPos failed for a control");
  }
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), shown);
}

void Win32Child::SetTip(std::wstring text) {
  tip_ = std::move(text);
  if (toolTip_) RegisterTip();
}

void Win32Child::AttachToolTip(HWND toolTip) {
  toolTip_ = toolTip;
  if (!tip_.empty()) RegisterTip();
}

// Not subclassed (TTF_SUBCLASS): each message of a subclassed control costs a property lookup,
// on Wine a round trip to the server. The message loop relays the mouse instead.
void Win32Child::RegisterTip() {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = GetParent(window_);
  tool.uId = reinterpret_cast<UINT_PTR>(window_);
  tool.lpszText = tip_.data();
  if (tipRegistered_) {
    SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
    tipRegistered_ = true;
  } else {
    throw ShellFailure("TTM_ADDTOOLW failed");
  }
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

template <class Interface>
void ChildControl<Interface>::SetVisible(bool visible) {
  ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

template <class Interface>
bool ChildControl<Interface>::Visible() const {
  return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

template <class Interface>
void ChildControl<Interface>::SetEnabled(bool enabled) {
  EnableWindow(window_, enabled);
}

template <class Interface>
bool ChildControl<Interface>::Enabled() const {
  return IsWindowEnabled(window_) != FALSE;
}

template <class Interface>
void ChildControl<Interface>::SetToolTipText(const std::string& text) {
  SetTip(Widen(text));
}

template class ChildControl<ListBox>;
template class ChildControl<Label>;
template class ChildControl<CheckBox>;
template class ChildControl<PictureBox>;
template class ChildControl<Control>;
template class ChildControl<OptionButton>;
template class ChildControl<TextBox>;
template class ChildControl<RangeControl>;
template class ChildControl<CommandButton>;
template class ChildControl<ComboBox>;

// Unsorted, single selection; whole pixels of height so that both lists keep the design's size.
Win32ListBox::Win32ListBox(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"LISTBOX", design, place,
                               LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | TabStop(design),
                               WS_EX_CLIENTEDGE)) {}

void Win32ListBox::AddItem(const std::string& line, std::uint32_t data) {
  const LRESULT added =
      SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
  if (added == LB_ERR || added == LB_ERRSPACE) throw ShellFailure("LB_ADDSTRING failed");
  if (SendMessageW(window_, LB_SETITEMDATA, static_cast<WPARAM>(added), data) == LB_ERR) {
    SendMessageW(window_, LB_DELETESTRING, static_cast<WPARAM>(added), 0);
    throw ShellFailure("LB_SETITEMDATA failed");
  }
}

std::uint32_t Win32ListBox::ItemData(int index) const {
  const LRESULT data = SendMessageW(window_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? 0 : static_cast<std::uint32_t>(data);
}

void Win32ListBox::RemoveItem(int index) {
  if (SendMessageW(window_, LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR) {
    throw ShellFailure("no list line " + std::to_string(index));
  }
}

void Win32ListBox::Clear() {
  SendMessageW(window_, LB_RESETCONTENT, 0, 0);
}

int Win32ListBox::ListCount() const {
  return static_cast<int>(SendMessageW(window_, LB_GETCOUNT, 0, 0));
}

std::string Win32ListBox::List(int index) const {
  const auto i = static_cast<WPARAM>(index);
  const LRESULT length = SendMessageW(window_, LB_GETTEXTLEN, i, 0);
  if (length == LB_ERR) return {};
  std::wstring line(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = SendMessageW(window_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
  if (got == LB_ERR) return {};
  line.resize(static_cast<size_t>(got));
  return Narrow(line);
}

int Win32ListBox::ListIndex() const {
  return static_cast<int>(SendMessageW(window_, LB_GETCURSEL, 0, 0));
}

// LB_SETCURSEL answers LB_ERR for a deselection too.
void Win32ListBox::SetListIndex(int index) {
  if (SendMessageW(window_, LB_SETCURSEL, static_cast<WPARAM>(index), 0) == LB_ERR && index != -1) {
    throw ShellFailure("no list line " + std::to_string(index));
  }
}

Win32Label::Win32Label(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(
          CreateChild(form, L"STATIC", design, place, LabelAlignment(design.align) | SS_NOTIFY, 0)),
      design_(design.font) {}

Win32Label::~Win32Label() {
  if (font_) DeleteObject(font_);
}

void Win32Label::Place(const RECT& place, UINT dpi, HFONT font) {
  if (!design_) {
    Win32Child::Place(place, dpi, font);
    return;
  }
  HFONT own =
      CreateFontW(-MulDiv(design_->hundredthsOfPoint, static_cast<int>(dpi), 7200), 0, 0, 0,
                  design_->bold ? FW_BOLD : FW_NORMAL, FALSE, design_->underline, FALSE,
                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, Widen(design_->face).c_str());
  if (!own) throw ShellFailure("CreateFontW failed for a label");
  Win32Child::Place(place, dpi, own);
  if (font_) DeleteObject(font_);
  font_ = own;
}

COLORREF Win32Label::TextColor() const {
  if (!design_) return CLR_INVALID;
  const std::uint32_t rgb = design_->color;
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void Win32Label::SetCaption(const std::string& text) {
  if (!SetWindowTextW(window_, Widen(text).c_str())) throw ShellFailure("SetWindowTextW failed");
}

std::string Win32Label::Caption() const {
  return Narrow(WindowText(window_));
}

// A label of a hidden form has nothing to show yet: it is drawn when the form is.
void Win32Label::Refresh() {
  if (!IsWindowVisible(window_)) return;
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

Win32CheckBox::Win32CheckBox(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(
          CreateChild(form, L"BUTTON", design, place, BS_AUTOCHECKBOX | TabStop(design), 0)) {}

void Win32CheckBox::SetValue(int value) {
  SendMessageW(window_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Win32CheckBox::Value() const {
  return SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

Win32PictureBox::Win32PictureBox(HWND form, const ControlDesign& design, const RECT& place,
                                 std::function<void(int x)> mouseDown)
    : ChildControl(nullptr), mouseDown_(std::move(mouseDown)) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
  RegisterBoundClass<Win32PictureBox>(instance, kPictureClass, nullptr);
  window_ = CreateChild(form, kPictureClass, design, place, 0, 0, this);
}

LRESULT Win32PictureBox::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      return OnLeftButtonDown(LOWORD(lParam));
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT Win32PictureBox::OnLeftButtonDown(int x) {
  mouseDown_(x);
  return 0;
}

Win32Frame::Win32Frame(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"BUTTON", design, place, BS_GROUPBOX, 0)) {}

Win32Line::Win32Line(HWND form, const ControlDesign& design, const RECT& place)
    : ChildControl(CreateChild(form, L"STATIC", design, place, SS_ETCHEDHORZ, 0)) {}

// The etched edge is two pixels high at any DPI.
void Win32Line::Place(const RECT& place, UINT dpi, HFONT font) {
  Win32Child::Place(RECT{place.left, place.top, place.right, place.top + 2}, dpi, font);
}

Win32Timer::Win32Timer(HWND form, const ControlDesign& design)
    : form_(form), id_(static_cast<UINT_PTR>(design.id)) {
  SetInterval(kTimerDesignInterval);
}

void Win32Timer::SetInterval(std::int32_t milliseconds) {
  if (!SetTimer(form_, id_, static_cast<UINT>(milliseconds), nullptr)) {
    throw ShellFailure("SetTimer failed");
  }
  interval_ = milliseconds;
}

}  // namespace zentab
