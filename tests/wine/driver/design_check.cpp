#include "design_check.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "platform/version.h"

namespace driver {
namespace {

using zentab::ControlDesign;
using K = zentab::ControlKind;

constexpr UINT kSendTimeoutMs = 30000;
constexpr int kTwipsPerInch = 1440;
constexpr int kSlackPixels = 1;

// What each kind of control is built as: its window class, the style bits that make it that sort
// of control, and whether the user can give it the focus at all.
struct KindRule {
  K kind;
  const wchar_t* windowClass;
  LONG styleMask;
  bool takesFocus;
};
constexpr KindRule kKinds[] = {
    {K::Label, L"STATIC", SS_TYPEMASK, false},
    {K::ListBox, L"LISTBOX", LBS_NOTIFY | LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL, true},
    {K::CheckBox, L"BUTTON", BS_TYPEMASK, true},
    {K::PictureBox, L"Zentab.PictureBox", 0, false},
    {K::Frame, L"BUTTON", BS_TYPEMASK, false},
    {K::OptionButton, L"BUTTON", BS_TYPEMASK, true},
    {K::TextBox, L"EDIT", ES_READONLY | ES_CENTER | ES_RIGHT, true},
    {K::UpDown, L"msctls_updown32", 0, false},
    {K::ScrollBar, L"SCROLLBAR", SBS_VERT, true},
    {K::CommandButton, L"BUTTON", BS_TYPEMASK, true},
    {K::ComboBox, L"COMBOBOX", CBS_DROPDOWNLIST | CBS_DROPDOWN, true},
    {K::Line, L"STATIC", SS_TYPEMASK, false},
    {K::Image, L"STATIC", SS_TYPEMASK, false},
};

const KindRule* RuleOf(K kind) {
  for (const KindRule& rule : kKinds) {
    if (rule.kind == kind) return &rule;
  }
  return nullptr;
}

bool IsIcon(zentab::Picture picture) {
  return picture == zentab::Picture::ProgramIcon || picture == zentab::Picture::VoteIcon;
}

LONG KindStyle(const ControlDesign& design, bool shownAsDefault) {
  switch (design.kind) {
    case K::Label:
      return design.align == zentab::Align::Center  ? SS_CENTER
             : design.align == zentab::Align::Right ? SS_RIGHT
                                                    : SS_LEFT;
    case K::ListBox:
      return LBS_NOTIFY;  // one selection, unsorted
    case K::CheckBox:
      return BS_AUTOCHECKBOX;
    case K::Frame:
      return BS_GROUPBOX;
    case K::OptionButton:
      return BS_AUTORADIOBUTTON;
    case K::TextBox:
      return (design.readOnly ? ES_READONLY : 0) |
             (design.align == zentab::Align::Center  ? ES_CENTER
              : design.align == zentab::Align::Right ? ES_RIGHT
                                                     : ES_LEFT);
    case K::ScrollBar:
      return SBS_HORZ;
    case K::CommandButton:
      return shownAsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    case K::ComboBox:
      return CBS_DROPDOWNLIST;
    case K::Line:
      return SS_ETCHEDHORZ;
    case K::Image:
      return IsIcon(design.picture) ? SS_ICON : SS_BITMAP;
    default:
      return 0;
  }
}

const ControlDesign* Find(const zentab::FormDesign& design, std::string_view name) {
  for (const ControlDesign& control : design.controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

// Twips from the window's client area: a control in a frame adds up the frames' places.
POINT Origin(const zentab::FormDesign& design, const ControlDesign& control) {
  POINT at{control.left, control.top};
  for (const ControlDesign* c = &control; !c->container.empty();) {
    c = Find(design, c->container);
    if (!c) break;
    at.x += c->left;
    at.y += c->top;
  }
  return at;
}

std::wstring Hex(LONG value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%lX", static_cast<unsigned long>(value));
  return text;
}

std::wstring RectText(const RECT& r) {
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " +
         std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
}

bool Near(const RECT& a, const RECT& b) {
  return std::abs(a.left - b.left) <= kSlackPixels && std::abs(a.top - b.top) <= kSlackPixels &&
         std::abs(a.right - b.right) <= kSlackPixels &&
         std::abs(a.bottom - b.bottom) <= kSlackPixels;
}

std::wstring Names(const std::vector<std::wstring>& names) {
  std::wstring joined;
  for (const auto& name : names) joined += (joined.empty() ? L"" : L" ") + name;
  return joined;
}

std::wstring ComboText(HWND combo, LRESULT index) {
  if (index < 0) return L"";
  const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return L"";
  std::wstring item(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got =
      Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
  item.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
  return item;
}

// One control as the window shows it.
struct Seen {
  const ControlDesign* design;
  HWND window;
  bool visible, enabled, tabStop;
};

class Comparison {
 public:
  Comparison(HWND form, const zentab::FormDesign& design, const DesignChanges& changes)
      : form_(form), design_(design), changes_(changes), dpi_(GetDpiForWindow(form)) {}

  std::vector<std::wstring> Run() {
    CompareWindow();
    for (const ControlDesign& control : design_.controls) {
      if (control.kind != K::Timer) CompareControl(control);
    }
    CompareChildren();
    CompareDefaultButton();
    CompareTabOrder();
    return differences_;
  }

 private:
  int Px(int twips) const { return MulDiv(twips, static_cast<int>(dpi_), kTwipsPerInch); }
  std::wstring Name(const ControlDesign& c) const { return Widen(c.name); }
  void Differ(const std::wstring& what, const std::wstring& expected, const std::wstring& got) {
    differences_.push_back(what + L": expected " + expected + L", got " + got);
  }
  bool Expected(const std::set<std::wstring>& changed, const ControlDesign& c) const {
    return changed.count(Name(c)) != 0;
  }
  bool ExpectVisible(const ControlDesign& c) const {
    return c.visible && !Expected(changes_.hidden, c);
  }
  bool ExpectEnabled(const ControlDesign& c) const {
    return c.enabled && !Expected(changes_.disabled, c);
  }
  std::wstring DefaultName() const {
    if (!changes_.defaultButton.empty()) return changes_.defaultButton;
    for (const ControlDesign& c : design_.controls) {
      if (c.isDefault) return Name(c);
    }
    return L"";
  }
  HWND Window(const ControlDesign& c) const { return GetDlgItem(form_, c.id); }

  void CompareWindow() {
    const std::wstring caption = WindowText(form_);
    if (caption != CaptionOf(design_)) Differ(L"caption", CaptionOf(design_), caption);
    RECT client;
    GetClientRect(form_, &client);
    const RECT expected{0, 0, Px(design_.clientWidth), Px(design_.clientHeight)};
    if (!Near(client, expected)) Differ(L"client area", RectText(expected), RectText(client));
  }

  // The push button that Enter presses shows so: one that has the focus, else the default one.
  bool ShownAsDefault(const ControlDesign& c) const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(form_, nullptr), &thread);
    wchar_t windowClass[16] = L"";
    const bool focusOnPushButton =
        thread.hwndFocus && GetParent(thread.hwndFocus) == form_ &&
        GetClassNameW(thread.hwndFocus, windowClass, 16) && _wcsicmp(windowClass, L"BUTTON") == 0 &&
        (GetWindowLongW(thread.hwndFocus, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    if (focusOnPushButton) return thread.hwndFocus == Window(c);
    return Name(c) == DefaultName();
  }

  // The system moves an option group's tab stop to its selected button; with none selected the
  // first keeps it.
  bool HoldsGroupTabStop(const ControlDesign& c) const {
    const ControlDesign* first = nullptr;
    const ControlDesign* selected = nullptr;
    for (const ControlDesign& other : design_.controls) {
      if (other.kind != K::OptionButton || other.container != c.container) continue;
      if (!first) first = &other;
      if (!selected && Send(Window(other), BM_GETCHECK, 0, 0) == BST_CHECKED) selected = &other;
    }
    return &c == (selected ? selected : first);
  }

  void CompareControl(const ControlDesign& c) {
    const std::wstring name = Name(c);
    HWND window = Window(c);
    if (!window || GetParent(window) != form_) {
      differences_.push_back(name + L": no such control (id " + std::to_wstring(c.id) + L")");
      return;
    }
    const KindRule* rule = RuleOf(c.kind);
    wchar_t windowClass[64] = L"";
    GetClassNameW(window, windowClass, 64);
    if (_wcsicmp(windowClass, rule->windowClass) != 0) {
      Differ(name + L" class", rule->windowClass, windowClass);
    }

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG kindStyle = KindStyle(c, ShownAsDefault(c));
    if ((style & rule->styleMask) != kindStyle) {
      Differ(name + L" style", Hex(kindStyle), Hex(style & rule->styleMask));
    }
    const bool tabStop =
        rule->takesFocus && c.tabStop && (c.kind != K::OptionButton || HoldsGroupTabStop(c));
    if (((style & WS_TABSTOP) != 0) != tabStop) {
      Differ(name + L" tab stop", tabStop ? L"yes" : L"no", tabStop ? L"no" : L"yes");
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    if (visible != ExpectVisible(c)) {
      Differ(name + L" visible", visible ? L"no" : L"yes", visible ? L"yes" : L"no");
    }
    const bool enabled = (style & WS_DISABLED) == 0;
    if (enabled != ExpectEnabled(c)) {
      Differ(name + L" enabled", enabled ? L"no" : L"yes", enabled ? L"yes" : L"no");
    }
    seen_.push_back(Seen{&c, window, ExpectVisible(c), ExpectEnabled(c), tabStop});

    const auto changed = changes_.text.find(name);
    const std::wstring text = changed != changes_.text.end() ? changed->second : Widen(c.caption);
    const std::wstring shown = c.kind == K::ComboBox
                                   ? ComboText(window, Send(window, CB_GETCURSEL, 0, 0))
                                   : WindowText(window);
    if (shown != text) Differ(name + L" text", Escaped(text), Escaped(shown));

    ComparePlace(c, window);
    if (c.kind == K::ComboBox) CompareItems(c, window);
    if (c.kind == K::UpDown) CompareBuddy(c, window);
  }

  void ComparePlace(const ControlDesign& c, HWND window) {
    const POINT at = Origin(design_, c);
    RECT expected{Px(at.x), Px(at.y), Px(at.x + c.width), Px(at.y + c.height)};
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, form_, reinterpret_cast<POINT*>(&place), 2);
    // An etched rule is two pixels high at any scale; a closed drop-down list is as high as the
    // system makes it for its font, which must fit in the design's place.
    if (c.kind == K::Line) expected.bottom = expected.top + 2;
    if (c.kind == K::ComboBox && place.bottom <= expected.bottom) expected.bottom = place.bottom;
    if (!Near(place, expected)) Differ(Name(c) + L" place", RectText(expected), RectText(place));
  }

  void CompareItems(const ControlDesign& c, HWND combo) {
    std::vector<std::wstring> expected, items;
    for (std::string_view item : c.items) expected.push_back(Widen(item));
    const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) items.push_back(ComboText(combo, i));
    if (items != expected) Differ(Name(c) + L" items", Names(expected), Names(items));
  }

  // A spin control works on the box before it.
  void CompareBuddy(const ControlDesign& c, HWND spin) {
    const ControlDesign* before = nullptr;
    for (const ControlDesign& other : design_.controls) {
      if (&other == &c) break;
      before = &other;
    }
    const auto buddy = reinterpret_cast<HWND>(Send(spin, UDM_GETBUDDY, 0, 0));
    if (!before || buddy != Window(*before)) {
      Differ(Name(c) + L" buddy", before ? Name(*before) : L"none",
             buddy ? std::to_wstring(GetDlgCtrlID(buddy)) : L"none");
    }
  }

  // Every child is a control of the design; they lie in design order, pictures under all the
  // others and a stretched one lowest, a later picture over an earlier one.
  void CompareChildren() {
    std::vector<std::wstring> expected, stacked;
    for (const int rank : {0, 1, 2}) {
      std::vector<std::wstring> names;
      for (const ControlDesign& c : design_.controls) {
        const int cRank = c.kind != K::Image ? 0 : c.stretch ? 2 : 1;
        if (c.kind != K::Timer && cRank == rank) names.push_back(Name(c));
      }
      if (rank != 0) std::reverse(names.begin(), names.end());
      expected.insert(expected.end(), names.begin(), names.end());
    }
    for (HWND child = GetWindow(form_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      const ControlDesign* c = nullptr;
      for (const ControlDesign& each : design_.controls) {
        if (each.id == id) c = &each;
      }
      stacked.push_back(c ? Name(*c) : L"?" + std::to_wstring(id));
    }
    if (stacked != expected) Differ(L"stacking order", Names(expected), Names(stacked));
  }

  void CompareDefaultButton() {
    const ControlDesign* button = nullptr;
    for (const ControlDesign& c : design_.controls) {
      if (Name(c) == DefaultName()) button = &c;
    }
    const bool usable = button && ExpectVisible(*button) && ExpectEnabled(*button);
    const LRESULT answer = Send(form_, DM_GETDEFID, 0, 0);
    const std::wstring got =
        HIWORD(answer) == DC_HASDEFID ? std::to_wstring(LOWORD(answer)) : L"none";
    const std::wstring expected = usable ? std::to_wstring(button->id) : L"none";
    if (got != expected) Differ(L"default button id", expected, got);
  }

  // Tab goes through the controls that take the focus in design order, from the first.
  void CompareTabOrder() {
    std::vector<std::wstring> expected, order;
    for (const Seen& s : seen_) {
      if (s.tabStop && s.visible && s.enabled) expected.push_back(Name(*s.design));
    }
    HWND first = GetNextDlgTabItem(form_, nullptr, FALSE);
    HWND at = first;
    for (size_t n = 0; at && n <= seen_.size(); ++n) {
      const auto found =
          std::find_if(seen_.begin(), seen_.end(), [at](const Seen& s) { return s.window == at; });
      order.push_back(found != seen_.end() ? Name(*found->design)
                                           : L"?" + std::to_wstring(GetDlgCtrlID(at)));
      at = GetNextDlgTabItem(form_, at, FALSE);
      if (at == first) break;
    }
    if (order != expected) Differ(L"tab order", Names(expected), Names(order));
  }

  HWND form_;
  const zentab::FormDesign& design_;
  const DesignChanges& changes_;
  UINT dpi_;
  std::vector<Seen> seen_;
  std::vector<std::wstring> differences_;
};

}  // namespace

void Print(const std::wstring& text) {
  std::string bytes;
  if (!text.empty()) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    bytes.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
  }
  bytes += '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return L"";
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::wstring CaptionOf(const zentab::FormDesign& design) {
  return Widen(
      zentab::WithVersion(std::string(design.caption), ZENTAB_VERSION_MAJOR, ZENTAB_VERSION_MINOR));
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
    // A window that ended its program while handling the message answers nothing.
    if (GetLastError() == ERROR_TIMEOUT) {
      Print(L"timeout");
      ExitProcess(1);
    }
  }
  return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window) {
  auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  auto got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text) {
    if (c == L'\r') {
      shown += L"\\r";
    } else if (c == L'\n') {
      shown += L"\\n";
    } else {
      shown += c;
    }
  }
  return shown;
}

bool DesignChanges::Take(const std::wstring& argument) {
  const auto colon = argument.find(L':');
  const auto equals = argument.find(L'=');
  if (equals != std::wstring::npos && (colon == std::wstring::npos || equals < colon)) {
    text[argument.substr(0, equals)] = argument.substr(equals + 1);
    return true;
  }
  if (colon == std::wstring::npos) return false;
  const std::wstring what = argument.substr(0, colon);
  const std::wstring name = argument.substr(colon + 1);
  if (what == L"hidden") {
    hidden.insert(name);
  } else if (what == L"disabled") {
    disabled.insert(name);
  } else if (what == L"default") {
    defaultButton = name;
  } else {
    return false;
  }
  return true;
}

std::vector<std::wstring> CompareWithDesign(HWND form, const zentab::FormDesign& design,
                                            const DesignChanges& changes) {
  return Comparison(form, design, changes).Run();
}

}  // namespace driver
