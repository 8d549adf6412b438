// The text of a list line on arbitrary bytes: a line always gives back the address it was made
// with, whatever the title holds.
//
// Input: a position (2 bytes), a scan group (4 bytes), a redirect-skip setting (1 byte), the
// length of the title (1 byte), the title, then the address.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "watch/lines.h"
#include "watch/redirects.h"

namespace {

using zentab::fuzz::Check;

// "http:", "file:", "ms-help:": a letter, then letters, digits, "+", "-" or ".", then ":".
bool StartsWithScheme(std::string_view text) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (text.empty() || !letter(text[0])) return false;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') return true;
    if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::int16_t position;
  std::int32_t group;
  std::memcpy(&position, data, sizeof position);
  std::memcpy(&group, data + 2, sizeof group);
  const int through = static_cast<std::int8_t>(data[6]);
  const std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);
  const std::string_view title = rest.substr(0, data[7]);
  const std::string_view address = rest.substr(title.size());

  const std::string shown = zentab::ListTitle(title);
  Check(shown.find(" - ") == std::string::npos, "a list title holds no separator");

  for (const std::string& line :
       {zentab::WatchLine(position, shown, address), zentab::PastLogLine(group, shown, address)}) {
    const std::string found = zentab::AddressOfLine(line);
    if (StartsWithScheme(address)) Check(found == address, "a line gives back its address");
    zentab::AddressOfLine(line.substr(0, line.size() / 2));
  }

  if (const auto target = zentab::RedirectTarget(address, through)) {
    Check(through >= 1 && through <= 7, "only an active setting skips a redirect");
    Check(target->size() <= address.size(), "a redirect target is never longer");
    zentab::ShouldNavigate(address, *target);
  }
  return 0;
}
