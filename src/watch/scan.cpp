#include "watch/scan.h"

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

Scan::Scan(ShellServices& shell, const Settings& settings, Label& maxWatchNum, ListBox& watchLst,
           ListBox& watchLstTmp, PastLog& pastLog, std::function<void()> rebuilt)
    : shell_(shell),
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
  if (shell_.ShellWindowsCount() == 0) {
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
    for (int i = 0; i <= last; ++i) {
      const auto position = static_cast<std::int16_t>(i);
      curBrowser_ = shell_.ShellWindowsItem(position);
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
        AddWatchEntry(position, title, address);
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
    if (!line.empty()) watchLst_.AddItem(line);
  }
  rebuilt_();
}

void Scan::AddWatchEntry(std::int16_t position, const std::string& title,
                         const std::string& address) {
  // A page still loading shows its address as its title; give it a moment.
  if (address == title) shell_.Sleep(kLoadingPauseMs);
  const std::string shownTitle = ListTitle(title);
  if (address.empty() || shownTitle.empty()) return;
  watchLstTmp_.AddItem(WatchLine(position, shownTitle, address));
  pastLog_.Add(position, shownTitle, address);
}

}  // namespace zentab
