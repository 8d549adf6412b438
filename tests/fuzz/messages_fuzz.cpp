// Bytes from outside, arbitrary: as a browser's message that a host hands over, a snapshot within
// its limits or none; as the last session's file, a session that writes back as itself or none.
#include "browsers/messages.h"
#include "check.h"
#include "session/session_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentab;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto session = DecodeSession(bytes)) {
    fuzz::Check(DecodeSession(EncodeSession(*session)) == session,
                "a session writes back as itself");
  }
  const auto snapshot = DecodeTabSnapshot(bytes);
  if (!snapshot) return 0;
  std::size_t tabs = 0;
  for (const TabWindow& window : snapshot->windows) tabs += window.tabs.size();
  fuzz::Check(tabs <= kMaxSnapshotTabs, "a snapshot holds at most its limit of tabs");
  fuzz::Check(!BrowserId(snapshot->browser).empty(), "a snapshot names a known browser");
  return 0;
}
