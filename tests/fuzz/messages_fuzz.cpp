// A browser's message of arbitrary bytes, as a host hands it over: a snapshot within its limits,
// or none.
#include "browsers/messages.h"
#include "check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentab;
  const auto snapshot = DecodeTabSnapshot({reinterpret_cast<const char*>(data), size});
  if (!snapshot) return 0;
  std::size_t tabs = 0;
  for (const TabWindow& window : snapshot->windows) tabs += window.tabs.size();
  fuzz::Check(tabs <= kMaxSnapshotTabs, "a snapshot holds at most its limit of tabs");
  fuzz::Check(!BrowserId(snapshot->browser).empty(), "a snapshot names a known browser");
  return 0;
}
