#include "info/ver_info.h"

#include <string>

#include "info/web_addresses.h"
#include "platform/version.h"

namespace zentab {
namespace {

constexpr const char* kNote =
    "Internet Explorer補助ソフト 「Zentab」\r\n\r\n\r\n"
    "Zentabをご使用いただきありがとうございます。\r\n\r\n"
    "感想・不具合・改善提案等ありましたら、下記URLより掲示板へお願いします。";

}  // namespace

VerInfo::VerInfo(FormView& view, ShellServices& shell) : view_(view), shell_(shell) {}

void VerInfo::Form_Load() {
  const int major = shell_.VersionMajor();
  const int minor = shell_.VersionMinor();
  Form& window = view_.Window();
  window.SetCaption(WithVersion(window.Caption(), major, minor));
  view_.LabelNamed("Versions").SetCaption("Version: " + VersionText(major, minor));
  view_.LabelNamed("Note").SetCaption(kNote);
}

bool VerInfo::QueryUnload() {
  CloseWin_Click();
  return true;
}

void VerInfo::Click(std::string_view control) {
  if (control == "CloseWin") {
    CloseWin_Click();
  } else if (control == "URL") {
    URL_Click();
  }
}

void VerInfo::CloseWin_Click() {
  view_.Window().Unload();
}

void VerInfo::URL_Click() {
  shell_.ShellOpen(0, "open", std::string(HomePageURL), "", shell_.ExeFolder(), kShowNormal);
}

}  // namespace zentab
