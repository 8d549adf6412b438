#include "session/session_file.h"

#include <algorithm>

#include "browsers/messages.h"
#include "watch/lines.h"

namespace zentab {
namespace {

constexpr std::string_view kHeader1 = "Zentab2 session 1\r\n";
constexpr std::string_view kHeader2 = "Zentab2 session 2\r\n";
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
  const bool browsers =
      std::any_of(windows.begin(), windows.end(),
                  [](const SessionWindow& window) { return !window.browser.empty(); });
  std::string out(browsers ? kHeader2 : kHeader1);
  for (const SessionWindow& window : windows) {
    std::string line;
    Escape(window.title, line);
    line += '\t';
    Escape(window.address, line);
    if (!window.browser.empty()) {
      line += '\t' + window.browser + '\t' + std::to_string(window.window);
    }
    line += "\r\n";
    if (out.size() + line.size() + kEnd.size() > kSessionFileLimit) break;
    out += line;
  }
  return out += kEnd;
}

std::optional<std::vector<SessionWindow>> DecodeSession(std::string_view bytes) {
  const bool version2 = bytes.starts_with(kHeader2);
  if (bytes.size() > kSessionFileLimit || !(version2 || bytes.starts_with(kHeader1)) ||
      !bytes.ends_with(kEnd) || bytes.size() < kHeader1.size() + kEnd.size()) {
    return std::nullopt;
  }
  std::vector<SessionWindow> windows;
  bytes = bytes.substr(kHeader1.size(), bytes.size() - kHeader1.size() - kEnd.size());
  while (!bytes.empty()) {
    // More windows than the watch list holds: no file the program wrote.
    if (windows.size() == static_cast<size_t>(kWatchListCapacity)) return std::nullopt;
    const size_t end = bytes.find("\r\n");
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 2);
    // Two fields, or four of a browser's page; no line end of its own.
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    if (!(fields.size() == 2 || (version2 && fields.size() == 4)) ||
        line.find_first_of("\r\n") != std::string_view::npos) {
      return std::nullopt;
    }
    auto title = Unescape(fields[0]);
    auto address = Unescape(fields[1]);
    if (!title || !address || address->empty()) return std::nullopt;
    SessionWindow window{std::move(*title), std::move(*address), "", 0};
    if (fields.size() == 4) {
      const std::string_view number = fields[3];
      if (!BrowserKindOf(fields[2]) || number.empty() || number.size() > 9 ||
          number.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
      }
      window.browser = fields[2];
      for (const char digit : number) window.window = window.window * 10 + (digit - '0');
    }
    windows.push_back(std::move(window));
  }
  return windows;
}

}  // namespace zentab
