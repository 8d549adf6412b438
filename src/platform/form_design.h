// A window's design: its caption, size, controls and menus, as data. The platform builds the real
// window from it; positions are in twips (1440 to the inch) and are scaled for the screen there.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

namespace zentab {

class Control;
class ListBox;
class Label;
class CheckBox;
class PictureBox;
class OptionButton;
class TextBox;
class RangeControl;
class CommandButton;
class ComboBox;
class Timer;

enum class ControlKind {
  Label,
  ListBox,
  CheckBox,
  PictureBox,  // a window of its own that takes mouse messages (the tray's receiver)
  Timer,
  Frame,          // a group box; without caption it only groups option buttons
  OptionButton,   // one of a group: the option buttons of one container exclude each other
  TextBox,        // one line of text
  UpDown,         // spin control; its buddy is the control before it
  ScrollBar,      // horizontal
  CommandButton,  //
  ComboBox,       // drop-down list: the user picks an item and cannot type
  Line,           // horizontal rule
  Image,          // a picture from the program's resources
};

// The interface the logic reaches a control of `kind` through.
template <class T>
constexpr bool Serves(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return std::is_same_v<T, Label>;
    case ControlKind::ListBox:
      return std::is_same_v<T, ListBox>;
    case ControlKind::CheckBox:
      return std::is_same_v<T, CheckBox>;
    case ControlKind::PictureBox:
      return std::is_same_v<T, PictureBox>;
    case ControlKind::Timer:
      return std::is_same_v<T, Timer>;
    case ControlKind::OptionButton:
      return std::is_same_v<T, OptionButton>;
    case ControlKind::TextBox:
      return std::is_same_v<T, TextBox>;
    case ControlKind::UpDown:
    case ControlKind::ScrollBar:
      return std::is_same_v<T, RangeControl>;
    case ControlKind::CommandButton:
      return std::is_same_v<T, CommandButton>;
    case ControlKind::ComboBox:
      return std::is_same_v<T, ComboBox>;
    case ControlKind::Frame:
    case ControlKind::Line:
    case ControlKind::Image:
      return std::is_same_v<T, Control>;
  }
  return false;
}

// A control of a window's design: its name there, its id within the window, and the interface
// the logic reaches it through. The logic names controls only through these, so that a misspelt
// name does not compile, and a design table whose control is of another kind does not either.
template <class T>
struct ControlId {
  std::string_view name;
  int id;
  constexpr operator std::string_view() const { return name; }
};

// A menu item of a window's design, with its command id (also sent by programs that drive the
// window from outside).
struct MenuItemId {
  std::string_view name;
  int id;
  constexpr operator std::string_view() const { return name; }
};

// Twips for a length laid out in pixels at 96 dpi (15 twips to the pixel).
constexpr int TwipsFromPixels(int pixels) {
  return pixels * 15;
}

// A timer runs from the window's creation with this period until the logic sets its own.
inline constexpr int kTimerDesignInterval = 1000;
enum class Align { Left, Center, Right };

// The program's pictures, by role; the platform knows where each one lives.
enum class Picture { None, ProgramIcon, VoteIcon, AboutBackground, AboutLogo };

// A font other than the window's own. Colour is 0xRRGGBB.
struct FontDesign {
  std::string_view face;
  int hundredthsOfPoint;
  bool bold;
  bool underline;
  std::uint32_t color;
};

// Spin controls and scroll bars: range and steps.
struct RangeDesign {
  int min, max, smallChange, largeChange;
};

struct ControlDesign {
  std::string_view name;  // a member of a control array carries its index: "IsChkModeOp(1)"
  ControlKind kind;
  std::string_view caption;
  int left, top, width, height;  // twips, relative to the container
  bool visible;
  Align align;
  int id;  // the control's id within its window

  std::string_view container{};  // the frame the control sits in; empty: the window
  const FontDesign* font = nullptr;
  bool isDefault = false;  // the button that Enter presses
  bool isCancel = false;   // the button that Esc presses
  bool enabled = true;
  bool tabStop = true;  // only for kinds that take the focus at all
  bool readOnly = false;
  bool stretch = false;  // an image stretched to the control's size
  RangeDesign range{};
  std::span<const std::string_view> items{};
  Picture picture = Picture::None;

  template <class T>
  constexpr ControlDesign(ControlId<T> control, ControlKind kind_, std::string_view caption_,
                          int left_, int top_, int width_, int height_, bool visible_, Align align_)
      : name(control.name),
        kind(kind_),
        caption(caption_),
        left(left_),
        top(top_),
        width(width_),
        height(height_),
        visible(visible_),
        align(align_),
        id(control.id) {
    // Not a constant expression, so a table that gives a control another kind fails to build.
    if (!Serves<T>(kind_)) throw "the control's kind does not serve its id's interface";
  }

 private:
  // Defined before its callers: clang 14 cannot evaluate a member template defined later.
  template <class M, class V>
  constexpr ControlDesign With(M ControlDesign::*member, V value) const {
    ControlDesign copy = *this;
    copy.*member = value;
    return copy;
  }

 public:
  constexpr ControlDesign In(std::string_view frame) const {
    return With(&ControlDesign::container, frame);
  }
  constexpr ControlDesign Font(const FontDesign& f) const { return With(&ControlDesign::font, &f); }
  constexpr ControlDesign Default() const { return With(&ControlDesign::isDefault, true); }
  constexpr ControlDesign Cancel() const { return With(&ControlDesign::isCancel, true); }
  constexpr ControlDesign NoTabStop() const { return With(&ControlDesign::tabStop, false); }
  constexpr ControlDesign ReadOnly() const { return With(&ControlDesign::readOnly, true); }
  constexpr ControlDesign Stretch() const { return With(&ControlDesign::stretch, true); }
  constexpr ControlDesign Range(int min, int max, int small, int large) const {
    return With(&ControlDesign::range, RangeDesign{min, max, small, large});
  }
  constexpr ControlDesign Items(std::span<const std::string_view> list) const {
    return With(&ControlDesign::items, list);
  }
  constexpr ControlDesign Shows(Picture p) const { return With(&ControlDesign::picture, p); }
};

// Menus as a flat list in display order: level 0 is a top-level menu, level 1 its items.
// A caption of "-" is a separator. A top-level menu with visibleInBar false is a popup only.
struct MenuDesign {
  std::string_view name;
  std::string_view caption;
  int level;
  bool visibleInBar;
  int id;  // the command id of an item (0 for menus and separators)

  // A top-level menu or a separator.
  constexpr MenuDesign(std::string_view name_, std::string_view caption_, int level_,
                       bool visibleInBar_)
      : name(name_), caption(caption_), level(level_), visibleInBar(visibleInBar_), id(0) {}
  // An item.
  constexpr MenuDesign(MenuItemId item, std::string_view caption_, bool visibleInBar_)
      : name(item.name), caption(caption_), level(1), visibleInBar(visibleInBar_), id(item.id) {}
};

struct FormDesign {
  std::string_view name;
  std::string_view caption;
  int clientWidth, clientHeight;  // twips
  bool minButton, maxButton, showInTaskbar;
  std::span<const ControlDesign> controls;
  std::span<const MenuDesign> menus;
  bool whiteBackground = false;
  Picture icon = Picture::ProgramIcon;
};

// The events a window's logic takes from the platform, named after the control that raised them.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // Returns true to refuse a close requested of the window.
  virtual bool QueryUnload() = 0;
  virtual void Click(std::string_view control) = 0;
  virtual void DblClick(std::string_view control) = 0;
  virtual void TimerTick(std::string_view timer) = 0;
  virtual void MouseDown(std::string_view control, int button, int x) = 0;
  // A scroll bar's or spin control's value has changed.
  virtual void Change(std::string_view) {}
};

}  // namespace zentab
