// A profile (INI) file read and written as the system's profile functions do it, for builds that
// have no such functions. Texts are bytes in the file's ANSI code page (932): double-byte
// characters are kept whole, names match without regard to ASCII case. A file that starts with a
// UTF-8 mark is read as UTF-8, one with a UTF-16 mark for its ASCII text only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentab::profile {

// The value stored under section/key, or nothing when the section, the key or its "=" is missing.
// The first section of a name is the one that counts.
std::optional<std::string> GetString(std::string_view contents, std::string_view section,
                                     std::string_view key);

// The decimal (or 0x/0o/0b prefixed) number at the start of the stored text, wrapping modulo 2^32;
// 0 when it does not begin with one; `defaultValue` when the key is missing or its value empty.
std::int32_t GetInt(std::string_view contents, std::string_view section, std::string_view key,
                    std::int32_t defaultValue);

// The contents with section/key set to value, the section or key added at the end where missing.
// Nothing when the stored value is already the same (the file is then left as it is).
std::optional<std::string> WriteString(std::string_view contents, std::string_view section,
                                       std::string_view key, std::string_view value);

// The same on a file. A missing file reads as empty. A write goes to a temporary file that then
// replaces the old one, so that a failed write never leaves a truncated file; returns false then,
// and for a UTF-16 file, which it leaves alone.
std::int32_t ReadProfileInt(std::string_view section, std::string_view key,
                            std::int32_t defaultValue, const std::string& path);
bool WriteProfileText(std::string_view section, std::string_view key, std::string_view value,
                      const std::string& path);

}  // namespace zentab::profile
