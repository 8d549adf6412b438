// The browsers whose extension is connected, each through the host its browser started: their
// latest snapshot of open tabs, the pages the scan lists from them, and the requests that open
// pages and send tabs on in them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "browsers/messages.h"
#include "platform/shell_services.h"

namespace zentab {

// Where a page came from: a browser, the host it came through (0 for a page of the last session)
// and its window there.
struct PageOrigin {
  BrowserKind browser = BrowserKind::Chrome;
  std::uintptr_t host = 0;
  std::int64_t window = 0;
  auto operator<=>(const PageOrigin&) const = default;
};

// A tab as the scan lists it; `origin` is the tag its lines keep.
struct ListedTab {
  std::string title, url;
  std::uintptr_t host = 0;
  std::int64_t tab = 0;
  std::uint32_t origin = 0;
};

class ConnectedBrowsers {
 public:
  explicit ConnectedBrowsers(ShellServices& shell) : shell_(shell) {}

  // A message a host relayed from its browser. Only a well-formed snapshot counts; anything else
  // is passed over and the host's last snapshot stays.
  void Receive(std::uintptr_t host, std::string_view message);
  // The host has gone, and its browser's tabs with it.
  void Forget(std::uintptr_t host);
  // Every running host's browser is asked for its tabs: Zentab has just started.
  void AskForTabs();
  // The hosts end, and with them what their browsers showed: the browsers are no longer watched.
  void DisconnectAll();

  // The web, file and FTP pages of the browsers connected now, by browser, window and tab; at
  // most `most` of them.
  std::vector<ListedTab> ListedTabs(std::size_t most);
  // The tab as the scan reads a window; sending it on asks its browser.
  std::shared_ptr<BrowserWindow> Page(const ListedTab& tab);
  // "Chrome, Firefox": each browser connected now once; empty when there is none.
  std::string ConnectedNames();

  // A line keeps a tag of where its page came from; 0 stands for the shell's windows.
  std::uint32_t Tag(const PageOrigin& origin);
  std::optional<PageOrigin> OriginOf(std::uint32_t tag) const;
  // One new window of the pages in the browser of `origin`: through its own host while that is
  // connected, else through another of the same browser. False when none is connected or takes it.
  bool OpenWindow(const PageOrigin& origin, const std::vector<std::string>& urls);
  // False when the host does not take the request.
  bool Navigate(std::uintptr_t host, std::int64_t tab, const std::string& url);

 private:
  struct Source {
    std::uintptr_t host;
    TabSnapshot snapshot;
  };
  // Hosts no longer running take their browser's tabs with them.
  void Prune();

  ShellServices& shell_;
  std::vector<Source> sources_;  // by browser, then in the order they connected
  std::vector<PageOrigin> origins_;
  std::map<PageOrigin, std::uint32_t> tags_;
};

}  // namespace zentab
