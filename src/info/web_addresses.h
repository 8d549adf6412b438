// The maker's addresses on the web, in one place.
#pragma once

#include <array>
#include <string_view>

namespace zentab {

// Opened by the home-page commands and shown and opened by the about window.
inline constexpr std::string_view HomePageURL = "http://www.zentab.example/";

// The vote endpoint, without a query: the vote window puts it together from these pieces each
// time it loads, so the address never stands whole in the program file.
inline constexpr std::array<std::string_view, 6> kVoteBaseURLPieces{
    "http://", "vote.", "zentab", ".example", "/votrix/", "vote.cgi",
};

}  // namespace zentab
