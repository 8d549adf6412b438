#include "watch/scan.h"

#include <algorithm>
#include <utility>

#include "platform/scope_guard.h"
#include "platform/text.h"
#include "watch/lines.h"
#include "watch/redirects.h"

namespace zentab {
namespace {

// The position held no window: the normal end of a scan.
struct NoWindow {};

constexpr int kLoadingPauseMs = 500;
constexpr int kRedirectPauseMs = 500;

bool AcceptedByCheckMode(int chkMode, const std::string& address) {
  switch (chkMode) {
    case 0:
      return !Contains(address, "file://");
    case 1:
      return Contains(address, "file://");
    default:
      return false;  // 2 is accepted before the address is read
  }
}

}  // namespace

Scan::Scan(ShellServices& shell, ConnectedBrowsers& browsers, const Settings& settings,
           Label& maxWatchNum, ListBox& watchLst, ListBox& watchLstTmp, PastLog& pastLog,
           std::function<void()> rebuilt)
    : shell_(shell),
      browsers_(browsers),
      settings_(settings),
      maxWatchNum_(maxWatchNum),
      watchLst_(watchLst),
      watchLstTmp_(watchLstTmp),
      pastLog_(pastLog),
      rebuilt_(std::move(rebuilt)) {}

void Scan::OnScanTimer() {
  // Calls into other processes can dispatch a tick while they wait: drop it.
  if (scanning_) return;
  scanning_ = true;
  // Whatever ends the scan, the next tick must scan again.
  ScopeGuard done([this] { scanning_ = false; });
  try {
    ScanWindows();
  } catch (...) {
    // A failed scan leaves the watch list as it was; its partial lines must not reach the next.
    watchLstTmp_.Clear();
    // Only the shell's own failures are expected here; the rest goes to the last catch.
    try {
      throw;
    } catch (const ShellFailure&) {
    }
  }
}

void Scan::ScanWindows() {
  const std::string max = std::to_string(settings_.MaxWatch);
  // A copy: a browser's new snapshot may arrive while the scan waits on the shell.
  const std::vector<ListedTab> tabs = browsers_.ListedTabs(std::max<int>(settings_.MaxWatch, 0));
  bool shellEnded = shell_.ShellWindowsCount() == 0;
  if (shellEnded && tabs.empty()) {
    maxWatchNum_.SetCaption("0/" + max);
    watchLst_.Clear();
    watchLstTmp_.Clear();
    return;
  }

  // Reading a property of a position without a window ends the loop.
  auto url = [this] {
    if (!curBrowser_) throw NoWindow{};
    return curBrowser_->LocationURL();
  };
  auto name = [this] {
    if (!curBrowser_) throw NoWindow{};
    return curBrowser_->LocationName();
  };

  const int last = settings_.MaxWatch - 1;
  try {
    auto tab = tabs.begin();
    for (int i = 0; i <= last; ++i) {
      const auto position = static_cast<std::int16_t>(i);
      // The browsers' tabs follow the shell's windows.
      std::uint32_t origin = 0;
      if (!shellEnded) shellEnded = !(curBrowser_ = shell_.ShellWindowsItem(position));
      if (shellEnded) {
        curBrowser_ = tab == tabs.end() ? nullptr : browsers_.Page(*tab);
        if (curBrowser_) origin = tab++->origin;
      }
      maxWatchNum_.SetCaption(std::to_string(i) + "/" + max);
      maxWatchNum_.Refresh();

      if (settings_.Through >= 1 && settings_.Through <= 7) {
        const std::string address = url();
        const auto target = RedirectTarget(address, settings_.Through);
        if (target && ShouldNavigate(address, *target)) {
          curBrowser_->Navigate2(*target);
          shell_.Sleep(kRedirectPauseMs);
          redirectNavigated_ = -1;
        }
      }

      const int mode = settings_.ChkMode;
      if (mode == 2 || ((mode == 0 || mode == 1) && AcceptedByCheckMode(mode, url()))) {
        const std::string title = name();
        const std::string address = url();
        AddWatchEntry(position, title, address, origin);
      }
    }
  } catch (const NoWindow&) {
    EndOfShortScan();
    return;
  }
  EndOfFullScan();
}

void Scan::EndOfFullScan() {
  const auto lastLine = [](const ListBox& list) { return list.List(list.ListCount() - 1); };
  if (lastLine(watchLstTmp_) != lastLine(watchLst_)) CopyScratchToWatchList();
  watchLstTmp_.Clear();
}

void Scan::EndOfShortScan() {
  if (watchLstTmp_.ListCount() != watchLst_.ListCount() || redirectNavigated_ == -1) {
    CopyScratchToWatchList();
    redirectNavigated_ = 0;
  }
  watchLstTmp_.Clear();
}

void Scan::CopyScratchToWatchList() {
  watchLst_.Clear();
  for (int i = 0; i < kWatchListCapacity; ++i) {
    const std::string line = watchLstTmp_.List(i);
    if (!line.empty()) watchLst_.AddItem(line, watchLstTmp_.ItemData(i));
  }
  rebuilt_();
}

void Scan::AddWatchEntry(std::int16_t position, const std::string& title,
                         const std::string& address, std::uint32_t origin) {
  // A window still loading shows its address as its title; give it a moment. A tab's snapshot
  // would not change in it: its browser sends the title once it has one.
  if (address == title && origin == 0) shell_.Sleep(kLoadingPauseMs);
  const std::string shownTitle = ListTitle(title);
  if (address.empty() || shownTitle.empty()) return;
  watchLstTmp_.AddItem(WatchLine(position, shownTitle, address), origin);
  pastLog_.Add(position, shownTitle, address, origin);
}

}  // namespace zentab
