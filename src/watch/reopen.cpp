#include "watch/reopen.h"

#include "watch/lines.h"

namespace zentab {

Reopener::Reopener(ShellServices& shell, ConnectedBrowsers& browsers, ListBox& watchLst,
                   ListBox& pastLst)
    : shell_(shell), browsers_(browsers), watchLst_(watchLst), pastLst_(pastLst) {}

void Reopener::Open(const std::vector<Page>& pages, bool stopAtFailure) {
  // Whether to go on after `open`, which may fail.
  const auto next = [stopAtFailure](auto open) {
    try {
      open();
    } catch (const ShellFailure&) {
      return !stopAtFailure;
    }
    return true;
  };
  std::vector<bool> opened(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    if (opened[i]) continue;
    const auto origin = browsers_.OriginOf(pages[i].origin);
    if (!origin) {
      if (!next([&] { shell_.OpenNewBrowserWindow(pages[i].address); })) return;
      continue;
    }
    std::vector<std::string> window;
    for (size_t j = i; j < pages.size(); ++j) {
      if (pages[j].origin != pages[i].origin) continue;
      window.push_back(pages[j].address);
      opened[j] = true;
    }
    if (browsers_.OpenWindow(*origin, window)) continue;
    for (const std::string& address : window) {
      if (!next([&] { shell_.OpenWithShell(address); })) return;
    }
  }
}

void Reopener::ReopenAll() {
  std::vector<Page> pages;
  for (int i = 0; i < watchLst_.ListCount(); ++i) {
    pages.push_back({AddressOfLine(watchLst_.List(i)), watchLst_.ItemData(i)});
  }
  Open(pages, true);
}

void Reopener::ReopenSelected(ListBox& list) {
  const int selected = list.ListIndex();
  if (selected < 0) return;  // nothing chosen, nothing to open
  Open({{AddressOfLine(list.List(selected)), list.ItemData(selected)}}, true);
}

void Reopener::ReopenSelectedWatchLine() {
  ReopenSelected(watchLst_);
}

void Reopener::ReopenSelectedPastLine() {
  ReopenSelected(pastLst_);
}

}  // namespace zentab
