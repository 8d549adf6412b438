// The about window: the program's name and version, a note to the user, the maker's notice and
// a link to the maker's home page.
#pragma once

#include <string_view>

#include "platform/form_host.h"
#include "platform/shell_services.h"

namespace zentab {

inline constexpr const char* kVersionHead = "Version: ";
inline constexpr const char* kAboutNote =
    "Internet Explorer補助ソフト 「Zentab」\r\n\r\n\r\n"
    "Zentabをご使用いただきありがとうございます。\r\n\r\n"
    "感想・不具合・改善提案等ありましたら、下記URLより掲示板へお願いします。";

class AboutWindow : public ModalForm {
 public:
  AboutWindow(FormView& view, ShellServices& shell);

  void Load() override;
  bool QueryUnload() override;
  void Click(std::string_view control) override;

  void OnClose();
  // Asks the shell to open the home page each time; the window stays.
  void OnAddressClick();

 private:
  FormView& view_;
  ShellServices& shell_;
};

}  // namespace zentab
