#include "watch/lines.h"

#include "platform/text.h"

namespace zentab {

namespace {
constexpr std::string_view kSeparator = " - ";
}

std::string ListTitle(std::string_view title) {
  // Replacing once leaves a separator where spaces run up to "- " ("a  - b" gives "a - b"):
  // each replacement is checked again against what precedes it.
  std::string shown;
  shown.reserve(title.size());
  for (const char c : title) {
    shown += c;
    while (shown.ends_with(kSeparator)) shown.erase(shown.size() - kSeparator.size(), 1);
  }
  return shown;
}

std::string WatchLine(std::int16_t position, std::string_view title, std::string_view address) {
  return "ID " + std::to_string(position) + " : " + std::string(title) + std::string(kSeparator) +
         std::string(address);
}

std::string PastLogLine(std::int32_t group, std::string_view title, std::string_view address) {
  return "Gr " + std::to_string(group) + " : " + std::string(title) + std::string(kSeparator) +
         std::string(address);
}

std::string PreviousSessionLine(std::string_view title, std::string_view address) {
  return "前回 : " + std::string(title) + std::string(kSeparator) + std::string(address);
}

namespace {

// "http:", "file:", "ms-help:": a letter, then letters, digits, "+", "-" or ".", then ":".
bool StartsWithScheme(std::string_view text) {
  const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (text.empty() || !isAlpha(text[0])) return false;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') return true;
    if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

}  // namespace

std::string AddressOfLine(std::string_view line) {
  // Titles hold no " - " of their own, but addresses may: the address starts after the first
  // separator that is followed by a scheme. The search starts at the title, so that a title
  // beginning with "- " does not join the space of "ID 3 : " into a separator.
  const size_t head = line.find(" : ");
  const size_t title = head == std::string_view::npos ? 0 : head + 3;
  for (size_t p = line.find(kSeparator, title); p != std::string_view::npos;
       p = line.find(kSeparator, p + 1)) {
    const std::string_view rest = line.substr(p + kSeparator.size());
    if (StartsWithScheme(rest)) return std::string(rest);
  }
  const size_t p = line.rfind(kSeparator);
  if (p == std::string_view::npos) return std::string(FromCharacter(line, 2));
  return std::string(line.substr(p + kSeparator.size()));
}

std::pair<std::string, std::string> TitleAndAddressOfLine(std::string_view line) {
  std::string address = AddressOfLine(line);
  const size_t head = line.find(" : ");
  const size_t title = head == std::string_view::npos ? 0 : head + 3;
  const size_t separator = line.size() - address.size() - kSeparator.size();
  if (line.size() < address.size() + kSeparator.size() || separator < title) return {"", address};
  return {std::string(line.substr(title, separator - title)), std::move(address)};
}

}  // namespace zentab
