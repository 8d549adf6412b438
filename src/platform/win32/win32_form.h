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
#include "platform/win32/windows_api.h"

namespace zentab {

class Win32Form final : public FormView, public Form {
 public:
  // The window is created hidden, with every control and menu of the design; `icon` is the id of
  // the program's icon resource.
  Win32Form(const FormDesign& design, HINSTANCE instance, int icon);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  Form& Window() override { return *this; }
  ListBox& ListBoxNamed(std::string_view name) override;
  Label& LabelNamed(std::string_view name) override;
  CheckBox& CheckBoxNamed(std::string_view name) override;
  PictureBox& PictureBoxNamed(std::string_view name) override;
  Timer& TimerNamed(std::string_view name) override;
  Control& ControlNamed(std::string_view name) override;
  void SetEvents(FormEvents* events) override { events_ = events; }

  void SetCaption(const std::string& text) override;
  std::string Caption() const override;
  // Centred on its monitor when first shown.
  void SetVisible(bool visible) override;
  bool Visible() const override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(window_); }
  std::uintptr_t SmallIconHandle() const override;
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  void SetDefaultButton(std::string_view button) override { defaultButton_ = button; }
  std::string DefaultButton() const override { return defaultButton_; }
  void SetCancelButton(std::string_view button) override { cancelButton_ = button; }
  std::string CancelButton() const override { return cancelButton_; }
  void Unload() override;
  bool Unloaded() const { return unloaded_; }

  // Notices of the system that the window's logic has no event for.
  void OnShellRestarted(std::function<void()> handler) { shellRestarted_ = std::move(handler); }
  void OnSessionEnding(std::function<void()> handler) { sessionEnding_ = std::move(handler); }
  // Takes the window down; nothing is raised afterwards.
  void Destroy();

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void CreateMenus();
  void CreateControls();
  template <class T, class... Extra>
  void AddChild(NamedControls<T>& named, const ControlDesign& design, Extra&&... extra);
  HICON LoadIconSized(int icon, int size) const;
  DWORD Style() const;
  int Pixels(int twips) const;
  void ApplyDpi(UINT dpi);
  void CentreOnMonitor();
  const MenuDesign* MenuItemWithId(int id) const;
  const ControlDesign* ControlWithId(int id) const;

  LRESULT OnCommand(int id, int code, bool fromControl);
  LRESULT OnTimer(UINT_PTR id);
  LRESULT OnCtlColorStatic(HDC dc);
  LRESULT OnActivate(bool active, bool minimized);
  LRESULT OnNextDlgCtl(WPARAM target, bool isWindow);
  LRESULT OnClose(HWND window);
  LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnEndSession(bool ending);
  LRESULT OnTaskbarCreated();

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
  HFONT font_ = nullptr;
  HICON smallIcon_ = nullptr;
  HICON largeIcon_ = nullptr;
  bool centred_ = false;
  bool unloaded_ = false;
  std::string defaultButton_;
  std::string cancelButton_;

  NamedControls<Win32ListBox> listBoxes_;
  NamedControls<Win32Label> labels_;
  NamedControls<Win32CheckBox> checkBoxes_;
  NamedControls<Win32PictureBox> pictureBoxes_;
  NamedControls<Win32Timer> timers_;
  // The child windows with their place in the design, for laying them out at a DPI.
  std::vector<std::pair<const ControlDesign*, HWND>> children_;

  FormEvents* events_ = nullptr;
  std::function<void()> shellRestarted_;
  std::function<void()> sessionEnding_;
};

}  // namespace zentab
