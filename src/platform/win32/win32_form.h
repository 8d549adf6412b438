// A top-level Win32 window built from a window's design, with its controls as child windows.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/form_view.h"
#include "platform/named_controls.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/windows_api.h"

namespace zentab {

class Win32Form final : public FormView, public Form {
 public:
  // The window is created hidden, with every control and menu of the design and its icon.
  Win32Form(const FormDesign& design, HINSTANCE instance);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  // Whether `window` is one of the program's forms.
  static bool IsForm(HWND window);
  // Hands a mouse message for `root` or its controls to the form's tooltips, when `root` is a
  // form: the controls are not subclassed for them.
  static void RelayToToolTip(HWND root, const MSG& mouse);

  Form& Window() override { return *this; }
  Timer& TimerNamed(std::string_view name) override { return FindNamed(timers_, name); }
  Control& ControlNamed(std::string_view name) override { return FindNamed(controls_, name); }
  void SetEvents(FormEvents* events) override { events_ = events; }

  void SetCaption(const std::string& text) override;
  std::string Caption() const override;
  // Centred on its monitor when first shown.
  void SetVisible(bool visible) override;
  bool Visible() const override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(window_); }
  std::uintptr_t SmallIconHandle() const override;
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  void SetMenuItemEnabled(std::string_view item, bool enabled) override;
  void SetDefaultButton(std::string_view button) override;
  std::string DefaultButton() const override { return defaultButton_; }
  void SetCancelButton(std::string_view button) override;
  std::string CancelButton() const override { return cancelButton_; }
  // Marks the window for its host, which takes it down once the current event is done.
  void Unload() override { unloaded_ = true; }
  bool Unloaded() const { return unloaded_; }

  // Notices of the system that the window's logic has no event for.
  void OnShellRestarted(std::function<void()> handler) { shellRestarted_ = std::move(handler); }
  void OnSessionEndQueried(std::function<void()> handler) { sessionQueried_ = std::move(handler); }
  void OnSessionEnded(std::function<void(bool ending)> handler) {
    sessionEnded_ = std::move(handler);
  }
  // Takes the window down; nothing is raised afterwards.
  void Destroy();

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // A child window with its place in the design, in twips from the form's client area.
  struct Child {
    const ControlDesign* design;
    Win32Child* control;
    POINT origin;
  };

  void CreateMenus();
  void CreateControls();
  POINT OriginOf(const ControlDesign& design) const;
  template <class T, class... Extra>
  T& AddChild(const ControlDesign& design, POINT origin, Extra&&... extra);
  void MarkGroups();
  void StackPictures();
  DWORD Style() const;
  int Pixels(int twips) const;
  SIZE FrameSize(DWORD exStyle) const;
  RECT PlaceOf(const ControlDesign& design, POINT origin) const;
  void PrepareFirstShowing();
  void TakeHiddenOwner();
  void CreateToolTip();
  void ApplyDpi(UINT dpi);
  void ComposeFace();
  void CentreOnMonitor();
  const MenuDesign* MenuItemWithId(int id) const;
  const MenuDesign& MenuItemNamed(std::string_view name) const;
  const ControlDesign* ControlWithId(int id) const;
  const Child* ChildOf(HWND window) const;
  HWND ButtonWindow(std::string_view name) const;
  void ShowDefault(HWND focusedButton);
  void PressCancel();
  HWND FocusOnActivation() const;

  LRESULT OnCommand(int id, int code, HWND from);
  LRESULT OnControlNotice(const Child& child, int code);
  LRESULT OnTimer(UINT_PTR id);
  LRESULT OnScroll(HWND bar, int request);
  LRESULT OnSpin(HWND spin);
  LRESULT OnCtlColor(HWND window, UINT message, HDC dc, HWND control);
  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnGetDefId();
  LRESULT OnActivate(bool active, bool minimized);
  LRESULT OnNextDlgCtl(WPARAM target, bool isWindow);
  LRESULT OnClose();
  LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnEndSession(bool ending);
  LRESULT OnTaskbarCreated();

  static bool Usable(HWND window);

  const FormDesign& design_;
  HINSTANCE instance_;
  UINT taskbarCreated_ = 0;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HWND owner_ = nullptr;
  HWND window_ = nullptr;
  HWND toolTip_ = nullptr;
  HWND lastFocus_ = nullptr;
  HMENU menuBar_ = nullptr;
  std::map<std::string_view, HMENU, std::less<>> popupMenus_;
  GdiPtr<HFONT> font_;
  IconPtr smallIcon_;
  IconPtr largeIcon_;
  HBRUSH face_;                    // the system's, not ours to free
  GdiPtr<HBITMAP> pictureBitmap_;  // the face with the form's pictures on it
  GdiPtr<HBRUSH> pictureFace_;     // a brush of it
  bool laidOut_ = false;
  bool prepared_ = false;
  bool unloaded_ = false;
  std::string defaultButton_;
  std::string cancelButton_;

  NamedControls<Control> controls_;
  NamedControls<Win32Timer> timers_;
  // In design order, which is also the tab order.
  std::vector<Child> children_;
  // The window handles of the option buttons of each container.
  std::map<std::string_view, std::vector<HWND>, std::less<>> optionGroups_;

  FormEvents* events_ = nullptr;
  std::function<void()> shellRestarted_;
  std::function<void()> sessionQueried_;
  std::function<void(bool ending)> sessionEnded_;
};

}  // namespace zentab
