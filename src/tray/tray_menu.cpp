#include "tray/tray_menu.h"

#include <utility>

#include "tray/tray_icon.h"

namespace zentab {

TrayMenu::TrayMenu(Form& window, std::string_view menu, std::string_view defaultItem,
                   std::function<void()> reopenAll)
    : window_(window), menu_(menu), defaultItem_(defaultItem), reopenAll_(std::move(reopenAll)) {}

void TrayMenu::OnTrayNotification(int button, int x) {
  switch (DecodeTrayNotification(button, x)) {
    case TrayAction::ReopenAll:
      reopenAll_();
      break;
    case TrayAction::ShowMenu:
      window_.PopupMenu(menu_, defaultItem_);
      break;
    case TrayAction::None:
      break;
  }
}

void TrayMenu::ToggleMainWindow() {
  window_.SetVisible(!window_.Visible());
}

}  // namespace zentab
