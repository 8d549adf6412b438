// The controls of dialogs that the user changes: option buttons, text boxes, spin controls,
// scroll bars, push buttons and drop-down lists.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/win32_controls.h"

namespace zentab {

// Selecting one clears the others of `group`, the option buttons of its container.
class Win32OptionButton final : public ChildControl<OptionButton> {
 public:
  Win32OptionButton(HWND form, const ControlDesign& design, const RECT& place,
                    const std::vector<HWND>& group);
  void SetValue(bool selected) override;
  bool Value() const override;

 private:
  const std::vector<HWND>& group_;
};

class Win32TextBox final : public ChildControl<TextBox> {
 public:
  Win32TextBox(HWND form, const ControlDesign& design, const RECT& place);
  void SetText(const std::string& text) override;
  std::string Text() const override;
};

// A spin control for the control before it in the design, its buddy. It keeps the design's place
// and leaves the buddy's text to the window's logic.
class Win32UpDown final : public ChildControl<RangeControl> {
 public:
  Win32UpDown(HWND form, const ControlDesign& design, const RECT& place, HWND buddy);
  void SetValue(int value) override;
  int Value() const override;
  int Min() const override { return range_.min; }
  int Max() const override { return range_.max; }
  // After the user worked the control: true when its value differs from the last one known.
  bool TakeChange();

 private:
  RangeDesign range_;
  int known_;
};

class Win32ScrollBar final : public ChildControl<RangeControl> {
 public:
  Win32ScrollBar(HWND form, const ControlDesign& design, const RECT& place);
  void SetValue(int value) override;
  int Value() const override;
  int Min() const override { return range_.min; }
  int Max() const override { return range_.max; }
  // Moves the bar for a WM_HSCROLL request; true when its value changed. A drag in progress
  // changes nothing until it ends.
  bool Scroll(int request);

 private:
  RangeDesign range_;
};

class Win32CommandButton final : public ChildControl<CommandButton> {
 public:
  Win32CommandButton(HWND form, const ControlDesign& design, const RECT& place);
  void SetCaption(const std::string& text) override;
  std::string Caption() const override;
  // The thick border of the button that Enter presses.
  void ShowAsDefault(bool isDefault);
};

// Its items come from the design; the list drops down far enough to show them all.
class Win32ComboBox final : public ChildControl<ComboBox> {
 public:
  Win32ComboBox(HWND form, const ControlDesign& design, const RECT& place);
  int ListCount() const override;
  std::string List(int index) const override;
  int ListIndex() const override;
  void SetListIndex(int index) override;
  std::string Text() const override { return List(ListIndex()); }
  void Place(const RECT& place, UINT dpi, HFONT font) override;
};

}  // namespace zentab
