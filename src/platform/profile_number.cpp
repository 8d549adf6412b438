#include "platform/profile_number.h"

namespace zentab {

std::optional<std::int32_t> ParseProfileNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool minus = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
  std::uint64_t base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char prefix = text[i + 1];
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  const std::uint64_t limit = minus ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t total = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    std::uint64_t digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint64_t>(c - '0');
    if (c >= 'A' && c <= 'Z') digit = static_cast<std::uint64_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'z') digit = static_cast<std::uint64_t>(c - 'a' + 10);
    if (digit >= base) break;
    total = total * base + digit;
    if (total > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(minus ? -static_cast<std::int64_t>(total)
                                         : static_cast<std::int64_t>(total));
}

std::string_view ProfileValueText(std::string_view stored) {
  while (!stored.empty() && static_cast<unsigned char>(stored.front()) <= ' ') {
    stored.remove_prefix(1);
  }
  while (!stored.empty() && static_cast<unsigned char>(stored.back()) <= ' ')
    stored.remove_suffix(1);
  if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
      stored.back() == stored.front()) {
    stored = stored.substr(1, stored.size() - 2);
  }
  return stored;
}

std::int32_t ProfileNumber(std::string_view stored, std::int32_t defaultValue) {
  const std::string_view text = ProfileValueText(stored);
  if (text.empty()) return defaultValue;
  return ParseProfileNumber(text).value_or(defaultValue);
}

}  // namespace zentab
