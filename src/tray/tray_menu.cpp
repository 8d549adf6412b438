#include "tray/tray_menu.h"

#include <utility>

#include "tray/tray_icon.h"

namespace zentab {

TrayMenu::TrayMenu(Form& window, std::function<void()> reopenAll)
    : window_(window), reopenAll_(std::move(reopenAll)) {}

void TrayMenu::SysTrayPic_MouseDown(int button, int x) {
  switch (DecodeTrayNotification(button, x)) {
    case TrayAction::ReopenAll:
      reopenAll_();
      break;
    case TrayAction::ShowMenu:
      window_.PopupMenu("TaskTrayMenu", "TMAllZentab");
      break;
    case TrayAction::None:
      break;
  }
}

void TrayMenu::TMCmdVisible_Click() {
  window_.SetVisible(!window_.Visible());
}

}  // namespace zentab
