#include "session/session_file.h"

#include "watch/lines.h"

namespace zentab {
namespace {

constexpr std::string_view kHeader = "Zentab2 session 1\r\n";
constexpr std::string_view kEnd = "end\r\n";

void Escape(std::string_view text, std::string& out) {
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        out += c;
    }
  }
}

std::optional<std::string> Unescape(std::string_view field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    switch (field[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case '0':
        out += '\0';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::string SessionFilePath(const std::string& exeFolder) {
  return exeFolder + "\\Zentab2.session";
}

std::string EncodeSession(const std::vector<SessionWindow>& windows) {
  std::string out(kHeader);
  for (const SessionWindow& window : windows) {
    std::string line;
    Escape(window.title, line);
    line += '\t';
    Escape(window.address, line);
    line += "\r\n";
    if (out.size() + line.size() + kEnd.size() > kSessionFileLimit) break;
    out += line;
  }
  return out += kEnd;
}

std::optional<std::vector<SessionWindow>> DecodeSession(std::string_view bytes) {
  if (bytes.size() > kSessionFileLimit || !bytes.starts_with(kHeader) || !bytes.ends_with(kEnd)) {
    return std::nullopt;
  }
  std::vector<SessionWindow> windows;
  bytes = bytes.substr(kHeader.size(), bytes.size() - kHeader.size() - kEnd.size());
  while (!bytes.empty()) {
    // More windows than the watch list holds: no file the program wrote.
    if (windows.size() == static_cast<size_t>(kWatchListCapacity)) return std::nullopt;
    const size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 2);
    // Exactly one tab, and no line end of its own.
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos ||
        line.find_first_of("\r\n") != std::string_view::npos) {
      return std::nullopt;
    }
    auto title = Unescape(line.substr(0, tab));
    auto address = Unescape(line.substr(tab + 1));
    if (!title || !address || address->empty()) return std::nullopt;
    windows.push_back({std::move(*title), std::move(*address)});
  }
  return windows;
}

}  // namespace zentab
