#include "tray/tray_icon.h"

#include <algorithm>

#include "app/version.h"
#include "app/watcher.h"

namespace zentab {

std::string TrayTip(int major, int minor) {
  return "Zentab Ver" + VersionText(major, minor);
}

TrayIconData MakeTrayIconData(std::uintptr_t window, std::uintptr_t icon, const std::string& tip) {
  TrayIconData data;
  data.cbSize = kNotifyIconDataV1Size;
  data.hWnd = window;
  data.uID = kTrayIconId;
  data.hIcon = icon;
  data.uFlags = kTrayFlags;
  data.uCallbackMessage = kTrayCallbackMessage;
  // The tip, one NUL, then spaces to the end of the field; a longer tip is cut.
  data.szTip.fill(' ');
  const size_t n = std::min(tip.size(), data.szTip.size() - 1);
  std::copy_n(tip.begin(), n, data.szTip.begin());
  data.szTip[n] = '\0';
  return data;
}

TrayAction DecodeTrayNotification(int button, int x) {
  if (!(button & 1)) return TrayAction::None;
  if (x == kTrayLeftDoubleClick) return TrayAction::ReopenAll;
  if (x == kTrayRightButtonDown) return TrayAction::ShowMenu;
  return TrayAction::None;
}

void Watcher::AddTrayIcon() {
  trayIconData_ = MakeTrayIconData(sysTrayPic_.Handle(), window_.SmallIconHandle(),
                                   TrayTip(shell_.VersionMajor(), shell_.VersionMinor()));
  shell_.TrayAdd(trayIconData_);
}

void Watcher::ShellRestarted() {
  if (!ended_) shell_.TrayAdd(trayIconData_);
}

void Watcher::RemoveTrayIcon() {
  trayIconData_.cbSize = kNotifyIconDataV1Size;
  trayIconData_.hWnd = sysTrayPic_.Handle();
  trayIconData_.uID = kTrayIconId;
  shell_.TrayDelete(trayIconData_);
  shell_.DoEvents();
}

void Watcher::SysTrayPic_MouseDown(int button, int x) {
  switch (DecodeTrayNotification(button, x)) {
    case TrayAction::ReopenAll:
      TMAllZentab_Click();
      break;
    case TrayAction::ShowMenu:
      window_.PopupMenu("TaskTrayMenu", "TMAllZentab");
      break;
    case TrayAction::None:
      break;
  }
}

void Watcher::TMCmdVisible_Click() {
  window_.SetVisible(!window_.Visible());
}

}  // namespace zentab
