// What the tray icon's mouse notifications and the tray menu's own item do.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace zentab {

class TrayMenu {
 public:
  // `menu` is the window's popup menu, opened with `defaultItem` drawn bold; `reopenAll` runs on a
  // left double-click over the icon, as that item would.
  TrayMenu(Form& window, std::string_view menu, std::string_view defaultItem,
           std::function<void()> reopenAll);

  // A notification from the icon; `x` carries the mouse message the shell saw.
  void OnTrayNotification(int button, int x);
  // Shows a hidden main window, hides a shown one.
  void ToggleMainWindow();

 private:
  Form& window_;
  std::string menu_;
  std::string defaultItem_;
  std::function<void()> reopenAll_;
};

}  // namespace zentab
