// What Zentab and its browser extension say to each other, through the host: the extension's
// snapshots of the open tabs, Zentab's requests, and the host manifests that let a browser start
// the host. JSON, UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentab {

enum class BrowserKind : std::uint8_t { Chrome = 1, Edge, Firefox };

// As the user knows it: "Chrome", "Edge", "Firefox".
std::string_view BrowserName(BrowserKind kind);
// As the extension and the session file name it: "chrome", "edge", "firefox".
std::string_view BrowserId(BrowserKind kind);
std::optional<BrowserKind> BrowserKindOf(std::string_view id);

struct Tab {
  std::int64_t id = 0;
  std::string title, url;
  bool operator==(const Tab&) const = default;
};
struct TabWindow {
  std::int64_t id = 0;
  std::vector<Tab> tabs;
  bool operator==(const TabWindow&) const = default;
};
// The open tabs of a browser's normal windows, windows and tabs in the browser's order.
struct TabSnapshot {
  BrowserKind browser = BrowserKind::Chrome;
  std::vector<TabWindow> windows;
  bool operator==(const TabSnapshot&) const = default;
};

inline constexpr std::size_t kMaxSnapshotTabs = 10000;
// A browser takes no longer message from its host.
inline constexpr std::size_t kBrowserRequestLimit = std::size_t{1} << 20;

// {"type":"tabs","browser":"chrome","windows":[{"id":1,"tabs":[{"id":2,"title":"…","url":"…"}]}]}
// Nothing unless every field is there and of its kind, with at most kMaxSnapshotTabs tabs; keys
// Zentab does not know are passed over.
std::optional<TabSnapshot> DecodeTabSnapshot(std::string_view bytes);

// The extension sends its snapshot again.
std::string RefreshRequest();
// One new window with these pages as its tabs, in order.
std::string OpenRequest(const std::vector<std::string>& urls);
// The tab goes to the address.
std::string NavigateRequest(std::int64_t tab, const std::string& url);

// What a browser reads to start the host at `hostPath` for Zentab's extension only.
std::string ChromiumHostManifest(const std::string& hostPath);
std::string FirefoxHostManifest(const std::string& hostPath);

}  // namespace zentab
