// What the tray icon's mouse notifications and the tray menu's own item do.
#pragma once

#include <functional>

#include "platform/controls.h"

namespace zentab {

class TrayMenu {
 public:
  // `reopenAll` runs on a left double-click over the icon, as the menu's default item would.
  TrayMenu(Form& window, std::function<void()> reopenAll);

  // A notification from the icon; `x` carries the mouse message the shell saw.
  void SysTrayPic_MouseDown(int button, int x);
  // Shows a hidden main window, hides a shown one.
  void TMCmdVisible_Click();

 private:
  Form& window_;
  std::function<void()> reopenAll_;
};

}  // namespace zentab
