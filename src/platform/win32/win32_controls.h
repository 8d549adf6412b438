// The controls of a Win32 form: real child windows, and timers of the form's window.
#pragma once

#include <functional>
#include <string>

#include "platform/controls.h"
#include "platform/form_design.h"
#include "platform/win32/windows_api.h"

namespace zentab {

std::wstring WindowText(HWND window);

// WS_TABSTOP unless the design says otherwise.
DWORD TabStop(const ControlDesign& design);

// Born at `place`, pixels of the form's client area at the form's first scale; the form gives its
// children fonts, and places for the scale of its screen, when it is first shown.
HWND CreateChild(HWND form, const wchar_t* windowClass, const ControlDesign& design,
                 const RECT& place, DWORD style, DWORD exStyle, void* param = nullptr);

// What the form needs of every child window, whatever its kind.
class Win32Child {
 public:
  virtual ~Win32Child() = default;
  HWND Window() const { return window_; }
  // Puts the window at `place` (pixels of the form's client area) for a screen of `dpi`, in the
  // form's font unless the control has one of its own.
  virtual void Place(const RECT& place, UINT dpi, HFONT font);
  // The tip shown while the pointer rests on the control. It takes effect once the form has made
  // its tooltip window, at its first showing, which hands it over here.
  void SetTip(std::wstring text);
  void AttachToolTip(HWND toolTip);

 protected:
  explicit Win32Child(HWND window) : window_(window) {}
  HWND window_;

 private:
  void RegisterTip();
  HWND toolTip_ = nullptr;
  std::wstring tip_;
  bool tipRegistered_ = false;
};

// What every child-window control does alike: visibility, enabling, tooltip and handle.
template <class Interface>
class ChildControl : public Interface, public Win32Child {
 public:
  void SetVisible(bool visible) override;
  // The control's own flag, also while its form is hidden.
  bool Visible() const override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void SetToolTipText(const std::string& text) override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(window_); }

 protected:
  explicit ChildControl(HWND window) : Win32Child(window) {}
};

class Win32ListBox final : public ChildControl<ListBox> {
 public:
  Win32ListBox(HWND form, const ControlDesign& design, const RECT& place);
  using ListBox::AddItem;
  void AddItem(const std::string& line, std::uint32_t data) override;
  void RemoveItem(int index) override;
  void Clear() override;
  int ListCount() const override;
  std::string List(int index) const override;
  std::uint32_t ItemData(int index) const override;
  int ListIndex() const override;
  void SetListIndex(int index) override;
};

// Clickable (for the about window's address), so that it also shows its tooltip; drawn on the
// form's background. A label with a font of its own keeps it at the form's DPI.
class Win32Label final : public ChildControl<Label> {
 public:
  Win32Label(HWND form, const ControlDesign& design, const RECT& place);
  ~Win32Label() override;
  Win32Label(const Win32Label&) = delete;
  Win32Label& operator=(const Win32Label&) = delete;
  void SetCaption(const std::string& text) override;
  std::string Caption() const override;
  void Refresh() override;
  void Place(const RECT& place, UINT dpi, HFONT font) override;
  // The text colour of the label's own font; CLR_INVALID for the system's.
  COLORREF TextColor() const;

 private:
  const FontDesign* design_;
  HFONT font_ = nullptr;
};

class Win32CheckBox final : public ChildControl<CheckBox> {
 public:
  Win32CheckBox(HWND form, const ControlDesign& design, const RECT& place);
  void SetValue(int value) override;
  int Value() const override;
};

// A window of its own class, so that it can take the tray icon's callback message, which is the
// left-button message: that arrives as MouseDown with the message's low word as X.
class Win32PictureBox final : public ChildControl<PictureBox> {
 public:
  Win32PictureBox(HWND form, const ControlDesign& design, const RECT& place,
                  std::function<void(int x)> mouseDown);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnLeftButtonDown(int x);
  std::function<void(int x)> mouseDown_;
};

// A group box; it never takes the focus.
class Win32Frame final : public ChildControl<Control> {
 public:
  Win32Frame(HWND form, const ControlDesign& design, const RECT& place);
};

// An etched rule along the top of the design's rectangle.
class Win32Line final : public ChildControl<Control> {
 public:
  Win32Line(HWND form, const ControlDesign& design, const RECT& place);
  void Place(const RECT& place, UINT dpi, HFONT font) override;
};

// A timer of the form's window, identified there by the control's id.
class Win32Timer final : public Timer {
 public:
  Win32Timer(HWND form, const ControlDesign& design);
  void SetInterval(std::int32_t milliseconds) override;
  std::int32_t Interval() const override { return interval_; }
  std::int32_t MaxInterval() const override { return USER_TIMER_MAXIMUM; }

 private:
  HWND form_;
  UINT_PTR id_;
  std::int32_t interval_ = 0;
};

}  // namespace zentab
