// The controls a window's logic owns. The platform builds them from the window's control table;
// the logic only tells them what to show and reads back what they hold. The lists are the data
// stores: there is no second copy of their lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentab {

class Control {
 public:
  virtual ~Control() = default;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetToolTipText(const std::string& text) = 0;
  // The OS handle of the control's own window (0 where it has none).
  virtual std::uintptr_t Handle() const = 0;
};

class ListBox : public Control {
 public:
  void AddItem(const std::string& line) { AddItem(line, 0); }
  // A line with a number of the program's own kept beside it, where the line came from.
  virtual void AddItem(const std::string& line, std::uint32_t data) = 0;
  virtual void RemoveItem(int index) = 0;
  virtual void Clear() = 0;
  virtual int ListCount() const = 0;
  // The line at index; the empty text outside 0..ListCount()-1.
  virtual std::string List(int index) const = 0;
  // The number kept beside the line at index; 0 outside 0..ListCount()-1.
  virtual std::uint32_t ItemData(int index) const = 0;
  // The selected line's index, -1 when none is selected; SetListIndex(-1) deselects.
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int index) = 0;
};

class Label : public Control {
 public:
  virtual void SetCaption(const std::string& text) = 0;
  virtual std::string Caption() const = 0;
  // Paints the label now, without waiting for the message loop.
  virtual void Refresh() = 0;
};

// Value 0 unchecked, 1 checked.
class CheckBox : public Control {
 public:
  virtual void SetValue(int value) = 0;
  virtual int Value() const = 0;
};

class PictureBox : public Control {};

// An option button of a group; selecting one clears the others of its container.
class OptionButton : public Control {
 public:
  virtual void SetValue(bool selected) = 0;
  virtual bool Value() const = 0;
};

class TextBox : public Control {
 public:
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
};

// A spin control or a scroll bar: a whole number within the design's range. Setting a value
// outside it clamps it into the range.
class RangeControl : public Control {
 public:
  virtual void SetValue(int value) = 0;
  virtual int Value() const = 0;
  virtual int Min() const = 0;
  virtual int Max() const = 0;
};

class CommandButton : public Control {
 public:
  virtual void SetCaption(const std::string& text) = 0;
  virtual std::string Caption() const = 0;
};

// A drop-down list whose items come from the design.
class ComboBox : public Control {
 public:
  virtual int ListCount() const = 0;
  virtual std::string List(int index) const = 0;
  // The selected item's index, -1 for none.
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int index) = 0;
  // The selected item's text, empty for none.
  virtual std::string Text() const = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(std::int32_t milliseconds) = 0;
  virtual std::int32_t Interval() const = 0;
  // The longest period the platform's timer can take.
  virtual std::int32_t MaxInterval() const = 0;
};

// The top-level window itself.
class Form {
 public:
  virtual ~Form() = default;
  virtual void SetCaption(const std::string& text) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  // The OS handle of the window (0 where it has none).
  virtual std::uintptr_t Handle() const = 0;
  // Handle of the window's 16 x 16 icon picture.
  virtual std::uintptr_t SmallIconHandle() const = 0;
  // Shows the hidden top-level menu `menu` at the mouse position with `defaultItem` drawn bold;
  // returns after the chosen item's Click event has run.
  virtual void PopupMenu(const std::string& menu, const std::string& defaultItem) = 0;
  // Greys a menu item out or lets it be chosen again.
  virtual void SetMenuItemEnabled(std::string_view item, bool enabled) = 0;
  // The buttons that Enter and Esc press (the design's at first); makes any other one a plain
  // button.
  virtual void SetDefaultButton(std::string_view button) = 0;
  virtual std::string DefaultButton() const = 0;
  virtual void SetCancelButton(std::string_view button) = 0;
  virtual std::string CancelButton() const = 0;
  // Closes a window shown modally: the call that showed it returns.
  virtual void Unload() = 0;
};

}  // namespace zentab
