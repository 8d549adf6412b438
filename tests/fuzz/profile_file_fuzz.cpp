// The profile file on arbitrary contents: reads never fail, and a write changes nothing but the
// entry written.
//
// Input: three bytes giving the lengths of a section, a key and a value (each modulo 32), those
// three texts, then the file's contents.

#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "support/profile_file.h"

namespace {

using zentab::fuzz::Check;

namespace profile = zentab::profile;

bool IsBlank(char c) {
  return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' ';
}

// Whole characters of code page 932, by the C library's converter.
bool WellFormed(std::string_view text) {
  static const iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string in(text);
  std::string out(text.size() * 3 + 1, '\0');
  char* from = in.data();
  char* to = out.data();
  size_t fromLeft = in.size();
  size_t toLeft = out.size();
  return iconv(cd, &from, &fromLeft, &to, &toLeft) != static_cast<size_t>(-1) && fromLeft == 0;
}

// A text that a profile line holds as it is: whole characters, no line end or NUL inside, no
// blank around it.
bool Representable(std::string_view text) {
  if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
  return WellFormed(text) && (text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back())));
}

bool RepresentableValue(std::string_view value) {
  return Representable(value) && !value.empty() && value.front() != '"' && value.front() != '\'';
}

// Names a key is not spelled with in a file: it would become a header or split at its "=".
bool RepresentableKey(std::string_view key) {
  return Representable(key) && key.find('=') == std::string_view::npos &&
         (key.empty() || key.front() != '[');
}

// Candidate section and key names, roughly as a person reads the file. A wrong guess only asks
// for a name the file does not hold, which the checks below skip.
void GuessNames(std::string_view contents, std::vector<std::string>& sections,
                std::vector<std::string>& keys) {
  sections.push_back("");
  size_t pos = 0;
  while (pos <= contents.size() && sections.size() < 48 && keys.size() < 48) {
    size_t end = contents.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view line = contents.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (!line.empty() && line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close != std::string_view::npos) sections.emplace_back(line.substr(1, close - 1));
    } else if (!line.empty()) {
      keys.emplace_back(line.substr(0, line.find('=')));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t pos = 3;
  auto take = [&](std::uint8_t length) {
    const std::string_view part = input.substr(pos, length % 32u);
    pos += part.size();
    return std::string(part);
  };
  const std::string section = take(data[0]);
  const std::string key = take(data[1]);
  const std::string value = take(data[2]);
  const std::string contents(input.substr(pos));

  const auto stored = profile::GetString(contents, section, key);
  const std::int32_t number = profile::GetInt(contents, section, key, -12345);
  if (!stored || stored->empty()) Check(number == -12345, "a missing value reads as the default");

  const auto written = profile::WriteString(contents, section, key, value);
  if (!Representable(section) || section.find(']') != std::string::npos || !RepresentableKey(key) ||
      !Representable(value)) {
    return 0;  // such names and values change the file's lines, as they do for the system
  }
  const std::string after = written.value_or(contents);
  const auto utf16 = [](std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
  };
  // Bytes FE FF behind blank lines come first once the blank lines are gone, and the file reads
  // as UTF-16 from then on: so it goes with the system's functions too.
  if (utf16(after) && !utf16(contents)) return 0;
  if (RepresentableValue(value)) {
    Check(profile::GetString(after, section, key) == value, "the written value reads back");
  }

  // Which names address the entry written: those that read a marker written in its place.
  const std::string marker = "zentab-fuzz-marker";
  const std::string marked =
      profile::WriteString(contents, section, key, marker).value_or(contents);

  std::vector<std::string> sections;
  std::vector<std::string> keys;
  GuessNames(contents, sections, keys);
  keys.push_back(key);
  for (const std::string& s : sections) {
    for (const std::string& k : keys) {
      const auto before = profile::GetString(contents, s, k);
      if (!before || profile::GetString(marked, s, k) == marker) continue;
      Check(profile::GetString(after, s, k) == before, "every other entry is kept");
    }
  }
  return 0;
}
