// The redirect pages that the scan can skip. The hosts live here and nowhere else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentab {

inline constexpr std::string_view kRedirectBHost = "jump.redirect-b.example";
inline constexpr std::string_view kRedirectAHost = "ime.redirect-a.example";
inline constexpr std::string_view kBoardLinkHost = "board.example";

// The services' addresses as the options dialog shows them.
inline constexpr std::string_view kRedirectBAddress = "http://jump.redirect-b.example/";
inline constexpr std::string_view kRedirectAAddress = "http://ime.redirect-a.example/";
inline constexpr std::string_view kBoardLinkAddress = "http://board.example/bbs/link.cgi";
static_assert(kRedirectBAddress.substr(7, kRedirectBHost.size()) == kRedirectBHost);
static_assert(kRedirectAAddress.substr(7, kRedirectAHost.size()) == kRedirectAHost);
static_assert(kBoardLinkAddress.substr(7, kBoardLinkHost.size()) == kBoardLinkHost);

// `Through` bits.
inline constexpr int kThroughRedirectB = 1;
inline constexpr int kThroughRedirectA = 2;
inline constexpr int kThroughBoardLink = 4;

// The first active service (in the order B, A, board link) whose marker occurs in `address`, as
// the address with that service's marker removed; nothing when none matches or `through` is
// outside 1..7.
std::optional<std::string> RedirectTarget(std::string_view address, int through);

// Whether the scan sends the window on: only to a web address, and only somewhere else.
bool ShouldNavigate(std::string_view address, std::string_view target);

}  // namespace zentab
