#include "watch/reopen.h"

#include "watch/lines.h"

namespace zentab {

Reopener::Reopener(ShellServices& shell, ListBox& watchLst, ListBox& pastLst)
    : shell_(shell), watchLst_(watchLst), pastLst_(pastLst) {}

void Reopener::OpenPage(const std::string& address) {
  shell_.OpenNewBrowserWindow(address);
}

void Reopener::ReopenAll() {
  const int n = watchLst_.ListCount();
  try {
    for (int i = 0; i < n; ++i) OpenPage(AddressOfLine(watchLst_.List(i)));
  } catch (const ShellFailure&) {
    // The command stops at the page that failed; the pages before it stay open.
  }
}

void Reopener::ReopenSelected(ListBox& list) {
  const int selected = list.ListIndex();
  if (selected < 0) return;  // nothing chosen, nothing to open
  try {
    OpenPage(AddressOfLine(list.List(selected)));
  } catch (const ShellFailure&) {
  }
}

void Reopener::ReopenSelectedWatchLine() {
  ReopenSelected(watchLst_);
}

void Reopener::ReopenSelectedPastLine() {
  ReopenSelected(pastLst_);
}

}  // namespace zentab
