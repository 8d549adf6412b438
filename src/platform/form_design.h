// A window's design: its caption, size, controls and menus, as data. The platform builds the real
// window from it; positions are in twips (1440 to the inch) and are scaled for the screen there.
#pragma once

#include <span>
#include <string_view>

namespace zentab {

enum class ControlKind { Label, ListBox, CheckBox, PictureBox, Timer };

// A timer runs from the window's creation with this period until the logic sets its own.
inline constexpr int kTimerDesignInterval = 1000;
enum class Align { Left, Center, Right };

struct ControlDesign {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  int left, top, width, height;  // twips
  bool visible;
  Align align;
  int id;  // the control's id within its window
};

// Menus as a flat list in display order: level 0 is a top-level menu, level 1 its items.
// A caption of "-" is a separator. A top-level menu with visibleInBar false is a popup only.
struct MenuDesign {
  std::string_view name;
  std::string_view caption;
  int level;
  bool visibleInBar;
  int id;  // the command id of an item (0 for menus and separators)
};

struct FormDesign {
  std::string_view name;
  std::string_view caption;
  int clientWidth, clientHeight;  // twips
  bool minButton, maxButton, showInTaskbar;
  std::span<const ControlDesign> controls;
  std::span<const MenuDesign> menus;
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
};

}  // namespace zentab
