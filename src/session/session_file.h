// The file that keeps the last session: the windows of the watch list, a title and an address
// each, in plain text that Notepad shows (UTF-8, CRLF line ends):
//
//   Zentab2 session 2
//   <title><TAB><address>
//   <title><TAB><address><TAB><browser><TAB><window>
//   ...
//   end
//
// A browser's page names its browser (chrome, edge, firefox) and a number that its window's pages
// share. A session without browsers' pages is written as version 1, whose lines have two fields,
// so that an older Zentab still reads it. In a title or an address a backslash is written \\, a
// tab \t, CR \r, LF \n and NUL \0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentab {

struct SessionWindow {
  std::string title, address;
  std::string browser{};  // empty for a window of the shell
  std::int64_t window = 0;
  bool operator==(const SessionWindow&) const = default;
};

// Larger files are not sessions: a watch list of 100 windows with titles of 100,000 characters
// stays well below it.
inline constexpr std::size_t kSessionFileLimit = std::size_t{64} << 20;

// "<folder>\Zentab2.session", beside the settings file.
std::string SessionFilePath(const std::string& exeFolder);

// As many of the windows, in order, as the limit holds.
std::string EncodeSession(const std::vector<SessionWindow>& windows);
// Nothing when the bytes are not a whole session of this format, or hold more windows than the
// watch list.
std::optional<std::vector<SessionWindow>> DecodeSession(std::string_view bytes);

}  // namespace zentab
