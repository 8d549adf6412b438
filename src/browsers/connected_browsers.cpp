#include "browsers/connected_browsers.h"

#include <algorithm>

#include "platform/text.h"

namespace zentab {
namespace {

// New-tab, settings and extension pages are no pages a user wants back.
bool Listed(std::string_view url) {
  for (std::string_view scheme : {"http://", "https://", "file://", "ftp://"}) {
    if (url.size() >= scheme.size() &&
        std::equal(scheme.begin(), scheme.end(), url.begin(), [](char a, char b) {
          return a == (b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : b);
        })) {
      return true;
    }
  }
  return false;
}

class TabPage final : public BrowserWindow {
 public:
  TabPage(ConnectedBrowsers& browsers, ListedTab tab) : browsers_(browsers), tab_(std::move(tab)) {}
  std::string LocationURL() override { return tab_.url; }
  std::string LocationName() override { return tab_.title; }
  void Navigate2(const std::string& address) override {
    if (!browsers_.Navigate(tab_.host, tab_.tab, address)) {
      throw ShellFailure("the browser did not take the address");
    }
  }

 private:
  ConnectedBrowsers& browsers_;
  ListedTab tab_;
};

}  // namespace

void ConnectedBrowsers::Receive(std::uintptr_t host, std::string_view message) {
  auto snapshot = DecodeTabSnapshot(message);
  if (!snapshot) return;
  // A host keeps its place among its browser's others: a new snapshot moves no line.
  const auto known = std::find_if(sources_.begin(), sources_.end(),
                                  [host](const Source& source) { return source.host == host; });
  if (known != sources_.end() && known->snapshot.browser == snapshot->browser) {
    known->snapshot = std::move(*snapshot);
    return;
  }
  Forget(host);
  const auto after = std::find_if(sources_.begin(), sources_.end(), [&](const Source& source) {
    return source.snapshot.browser > snapshot->browser;
  });
  sources_.insert(after, Source{host, std::move(*snapshot)});
}

void ConnectedBrowsers::Forget(std::uintptr_t host) {
  std::erase_if(sources_, [host](const Source& source) { return source.host == host; });
}

void ConnectedBrowsers::AskForTabs() {
  for (const std::uintptr_t host : shell_.BrowserHosts()) {
    shell_.SendToBrowserHost(host, RefreshRequest());
  }
}

void ConnectedBrowsers::DisconnectAll() {
  for (const Source& source : sources_) shell_.CloseBrowserHost(source.host);
  sources_.clear();
}

void ConnectedBrowsers::Prune() {
  std::erase_if(sources_,
                [this](const Source& source) { return !shell_.IsBrowserHostRunning(source.host); });
}

std::vector<ListedTab> ConnectedBrowsers::ListedTabs(std::size_t most) {
  Prune();
  std::vector<ListedTab> listed;
  for (const Source& source : sources_) {
    for (const TabWindow& window : source.snapshot.windows) {
      const std::uint32_t origin = Tag({source.snapshot.browser, source.host, window.id});
      for (const Tab& tab : window.tabs) {
        if (listed.size() == most) return listed;
        if (Listed(tab.url)) listed.push_back({tab.title, tab.url, source.host, tab.id, origin});
      }
    }
  }
  return listed;
}

std::shared_ptr<BrowserWindow> ConnectedBrowsers::Page(const ListedTab& tab) {
  return std::make_shared<TabPage>(*this, tab);
}

std::string ConnectedBrowsers::ConnectedNames() {
  Prune();
  std::string names;
  for (size_t i = 0; i < sources_.size(); ++i) {
    if (i > 0 && sources_[i].snapshot.browser == sources_[i - 1].snapshot.browser) continue;
    names += (names.empty() ? "" : ", ") + std::string(BrowserName(sources_[i].snapshot.browser));
  }
  return names;
}

std::uint32_t ConnectedBrowsers::Tag(const PageOrigin& origin) {
  const auto [at, added] =
      tags_.try_emplace(origin, static_cast<std::uint32_t>(origins_.size() + 1));
  if (added) origins_.push_back(origin);
  return at->second;
}

std::optional<PageOrigin> ConnectedBrowsers::OriginOf(std::uint32_t tag) const {
  if (tag == 0 || tag > origins_.size()) return std::nullopt;
  return origins_[tag - 1];
}

bool ConnectedBrowsers::OpenWindow(const PageOrigin& origin, const std::vector<std::string>& urls) {
  Prune();
  // Its own host first, then the others of its browser.
  std::vector<std::uintptr_t> hosts;
  for (const Source& source : sources_) {
    if (source.snapshot.browser != origin.browser) continue;
    if (source.host == origin.host) {
      hosts.insert(hosts.begin(), source.host);
    } else {
      hosts.push_back(source.host);
    }
  }
  const std::string request = OpenRequest(urls);
  for (const std::uintptr_t host : hosts) {
    if (request.size() <= kBrowserRequestLimit && shell_.SendToBrowserHost(host, request)) {
      return true;
    }
  }
  return false;
}

bool ConnectedBrowsers::Navigate(std::uintptr_t host, std::int64_t tab, const std::string& url) {
  const std::string request = NavigateRequest(tab, url);
  return request.size() <= kBrowserRequestLimit && shell_.SendToBrowserHost(host, request);
}

}  // namespace zentab
