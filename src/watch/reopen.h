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
  void ReopenAll();
  // The selected line's page.
  void ReopenSelectedWatchLine();
  void ReopenSelectedPastLine();

 private:
  void OpenPage(const std::string& address);
  void ReopenSelected(ListBox& list);

  ShellServices& shell_;
  ListBox& watchLst_;
  ListBox& pastLst_;
};

}  // namespace zentab
