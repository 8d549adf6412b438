#include "info/about_window.h"

#include <string>

#include "info/about_design.h"
#include "info/web_addresses.h"
#include "platform/version.h"

namespace zentab {
namespace {

using namespace about_window;

}  // namespace

AboutWindow::AboutWindow(FormView& view, ShellServices& shell) : view_(view), shell_(shell) {}

void AboutWindow::Load() {
  const int major = shell_.VersionMajor();
  const int minor = shell_.VersionMinor();
  Form& window = view_.Window();
  window.SetCaption(WithVersion(window.Caption(), major, minor));
  view_.Get(Versions).SetCaption(kVersionHead + VersionText(major, minor));
  view_.Get(Note).SetCaption(kAboutNote);
}

bool AboutWindow::QueryUnload() {
  OnClose();
  return true;
}

void AboutWindow::Click(std::string_view control) {
  if (control == CloseWin) {
    OnClose();
  } else if (control == URL) {
    OnAddressClick();
  }
}

void AboutWindow::OnClose() {
  view_.Window().Unload();
}

void AboutWindow::OnAddressClick() {
  shell_.ShellOpen(0, "open", std::string(HomePageURL), "", shell_.ExeFolder(), kShowNormal);
}

}  // namespace zentab
