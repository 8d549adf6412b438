// Reopening pages: each in a new browser window, from the watch list or the past log.
#include "app/watcher.h"
#include "watch/lines.h"

namespace zentab {

void Watcher::OpenPage(const std::string& address) {
  shell_.OpenNewBrowserWindow(address);
}

void Watcher::TMAllZentab_Click() {
  const int n = watchLst_.ListCount();
  try {
    for (int i = 0; i < n; ++i) OpenPage(AddressOfLine(watchLst_.List(i)));
  } catch (const ShellFailure&) {
    // The command stops at the page that failed; the pages before it stay open.
  }
}

void Watcher::ReopenSelected(ListBox& list) {
  const int selected = list.ListIndex();
  if (selected < 0) return;  // nothing chosen, nothing to open
  try {
    OpenPage(AddressOfLine(list.List(selected)));
  } catch (const ShellFailure&) {
  }
}

void Watcher::WatchLst_DblClick() {
  ReopenSelected(watchLst_);
}

void Watcher::PastLst_DblClick() {
  ReopenSelected(pastLst_);
}

}  // namespace zentab
