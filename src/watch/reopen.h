// Reopening pages, each in a new window: from the watch list or the past log, and a browser's
// pages in that browser.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "browsers/connected_browsers.h"
#include "platform/controls.h"
#include "platform/shell_services.h"

namespace zentab {

// A page to open and the tag of where it came from (0: a window of the shell).
struct Page {
  std::string address;
  std::uint32_t origin = 0;
};

class Reopener {
 public:
  Reopener(ShellServices& shell, ConnectedBrowsers& browsers, ListBox& watchLst, ListBox& pastLst);

  // Every page of the watch list; the command stops at a page that fails.
  void ReopenAll();
  // The selected line's page.
  void ReopenSelectedWatchLine();
  void ReopenSelectedPastLine();
  // A browser's pages of one window open together, as one new window of that browser in their
  // order, or each through the default browser while it is not connected; a window of the shell
  // each in a new browser window. With `stopAtFailure`, a page that fails ends it there.
  void Open(const std::vector<Page>& pages, bool stopAtFailure);

 private:
  void ReopenSelected(ListBox& list);

  ShellServices& shell_;
  ConnectedBrowsers& browsers_;
  ListBox& watchLst_;
  ListBox& pastLst_;
};

}  // namespace zentab
