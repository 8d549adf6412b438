// Text helpers shared by the logic. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zentab {

// Every occurrence of `from` replaced by `to`, scanning left to right without overlaps.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

bool Contains(std::string_view text, std::string_view part);

bool StartsWith(std::string_view text, std::string_view prefix);

// `text` from its character `n` on (counting characters from 0, not bytes).
std::string_view FromCharacter(std::string_view text, int n);

}  // namespace zentab
