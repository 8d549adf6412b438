// The text lines of the watch list and the past log, and the address a line holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace zentab {

// The most lines the watch list holds, and so the most windows a saved session can hold.
inline constexpr int kWatchListCapacity = 100;

// The title as the lists show it: every " - " turned into "- ", until none is left, so that a
// line's separator is never part of its title.
std::string ListTitle(std::string_view title);

std::string WatchLine(std::int16_t position, std::string_view title, std::string_view address);
std::string PastLogLine(std::int32_t group, std::string_view title, std::string_view address);
// A past-log line of a window of the previous session.
std::string PreviousSessionLine(std::string_view title, std::string_view address);

// Everything behind the first " - " after the line's "ID n : " that is followed by a scheme
// ("http:"); else behind the last " - "; from the third character on when the line has none.
std::string AddressOfLine(std::string_view line);

// The title and the address of a line, as the line was made of them.
std::pair<std::string, std::string> TitleAndAddressOfLine(std::string_view line);

}  // namespace zentab
