// Whole numbers in a profile (INI) file, read as the system's profile functions read them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentab {

// The number at the start of a stored value (blanks and one pair of matching quotes around it
// already taken off): a sign, then decimal digits, or "0x", "0o" or "0b" and digits of that base;
// 0 when it begins with none. Where the system wraps a longer number modulo 2^32, digits beyond
// the 32-bit signed range give nothing, so that the caller takes its default.
std::optional<std::int32_t> ParseProfileNumber(std::string_view text);

// The stored value as the system's string read returns it: blanks and matching quotes gone.
std::string_view ProfileValueText(std::string_view stored);

// The number a stored value holds, as the program reads its settings; `defaultValue` for a value
// that is empty or beyond 32 bits.
std::int32_t ProfileNumber(std::string_view stored, std::int32_t defaultValue);

}  // namespace zentab
