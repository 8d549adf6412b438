#include "watch/lines.h"

#include "platform/text.h"

namespace zentab {

namespace {
constexpr std::string_view kSeparator = " - ";
}

std::string ListTitle(std::string_view title) {
  return ReplaceAll(title, kSeparator, "- ");
}

std::string WatchLine(std::int16_t position, std::string_view title, std::string_view address) {
  return "ID " + std::to_string(position) + " : " + std::string(title) + std::string(kSeparator) +
         std::string(address);
}

std::string PastLogLine(std::int32_t group, std::string_view title, std::string_view address) {
  return "Gr " + std::to_string(group) + " : " + std::string(title) + std::string(kSeparator) +
         std::string(address);
}

std::string AddressOfLine(std::string_view line) {
  const size_t p = line.rfind(kSeparator);
  if (p == std::string_view::npos) return std::string(FromCharacter(line, 2));
  return std::string(line.substr(p + kSeparator.size()));
}

}  // namespace zentab
