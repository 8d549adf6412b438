// Reopening pages: each in a new browser window, from the watch list or the past log.
#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/shell_services.h"

namespace zentab {

class Reopener {
 public:
  Reopener(ShellServices& shell, ListBox& watchLst, ListBox& pastLst);

  // Every page of the watch list.
  void TMAllZentab_Click();
  // The selected line's page.
  void WatchLst_DblClick();
  void PastLst_DblClick();

 private:
  void OpenPage(const std::string& address);
  void ReopenSelected(ListBox& list);

  ShellServices& shell_;
  ListBox& watchLst_;
  ListBox& pastLst_;
};

}  // namespace zentab
