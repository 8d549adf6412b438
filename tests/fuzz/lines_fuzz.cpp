// The text of a list line on arbitrary bytes: a line gives back the address it was made with,
// whatever the title holds, and a redirect is skipped only as set. The same bytes as the last
// session's file: a session that writes back as itself, or none.
//
// Input: a position (2 bytes), a scan group (4), a redirect setting (1), the title's length (1), a
// scheme's choice (1), the title, then the rest of the address.
#include <cstring>
#include <string>

#include "check.h"
#include "session/session_file.h"
#include "watch/lines.h"
#include "watch/redirects.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentab;
  if (const auto session = DecodeSession({reinterpret_cast<const char*>(data), size})) {
    fuzz::Check(DecodeSession(EncodeSession(*session)) == session,
                "a session writes back as itself");
  }
  if (size < 9) return 0;
  std::int16_t position;
  std::int32_t group;
  std::memcpy(&position, data, sizeof position);
  std::memcpy(&group, data + 2, sizeof group);
  const int through = static_cast<std::int8_t>(data[6]);
  const std::string_view rest(reinterpret_cast<const char*>(data + 9), size - 9);
  const std::string_view title = rest.substr(0, data[7]);
  static const char* const schemes[] = {"http://", "https://", "file:///", "ms-help://", ""};
  const std::string address = schemes[data[8] % 5] + std::string(rest.substr(title.size()));

  const std::string shown = ListTitle(title);
  fuzz::Check(shown.find(" - ") == std::string::npos, "a list title holds no separator");
  for (const std::string& line :
       {WatchLine(position, shown, address), PastLogLine(group, shown, address)}) {
    if (data[8] % 5 != 4)
      fuzz::Check(AddressOfLine(line) == address, "a line gives back its address");
    AddressOfLine(line.substr(0, line.size() / 2));
  }
  if (const auto target = RedirectTarget(address, through)) {
    fuzz::Check(through >= 1 && through <= 7, "only an active setting skips a redirect");
    fuzz::Check(target->size() <= address.size(), "a redirect target is never longer");
    ShouldNavigate(address, *target);
  }
  return 0;
}
