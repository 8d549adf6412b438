#include "support/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace zentab::profile {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// The number is read from at most this many characters of the value.
constexpr size_t kIntBufferChars = 29;

bool IsSpace(char c) {
  return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20;
}

bool IsLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}

// The trail bytes that make a character with `lead` in code page 932. Rows not listed hold
// 40-7E and 80-FC; rows 85, 86, EB, EC and EF hold none.
struct TrailRange {
  unsigned char lead, low, high;
};
constexpr TrailRange kPartialRows[] = {
    {0x81, 0x40, 0x7e}, {0x81, 0x80, 0xac}, {0x81, 0xb8, 0xbf}, {0x81, 0xc8, 0xce},
    {0x81, 0xda, 0xe8}, {0x81, 0xf0, 0xf7}, {0x81, 0xfc, 0xfc}, {0x82, 0x4f, 0x58},
    {0x82, 0x60, 0x79}, {0x82, 0x81, 0x9a}, {0x82, 0x9f, 0xf1}, {0x83, 0x40, 0x7e},
    {0x83, 0x80, 0x96}, {0x83, 0x9f, 0xb6}, {0x83, 0xbf, 0xd6}, {0x84, 0x40, 0x60},
    {0x84, 0x70, 0x7e}, {0x84, 0x80, 0x91}, {0x84, 0x9f, 0xbe}, {0x87, 0x40, 0x5d},
    {0x87, 0x5f, 0x75}, {0x87, 0x7e, 0x7e}, {0x87, 0x80, 0x9c}, {0x88, 0x9f, 0xfc},
    {0x98, 0x40, 0x72}, {0x98, 0x9f, 0xfc}, {0xea, 0x40, 0x7e}, {0xea, 0x80, 0xa4},
    {0xee, 0x40, 0x7e}, {0xee, 0x80, 0xec}, {0xee, 0xef, 0xfc}, {0xfc, 0x40, 0x4b},
};

bool IsCharacter(unsigned char lead, unsigned char trail) {
  if (lead == 0x85 || lead == 0x86 || lead == 0xeb || lead == 0xec || lead == 0xef) return false;
  bool listed = false;
  for (const TrailRange& range : kPartialRows) {
    if (range.lead != lead) continue;
    listed = true;
    if (trail >= range.low && trail <= range.high) return true;
  }
  return !listed && trail >= 0x40 && trail <= 0xfc && trail != 0x7f;
}

// What the system's conversion makes of the text: a lead byte takes the next byte with it,
// whatever it is, and a pair that is no character becomes the unknown character "・". So "\x81"
// before a line end or a "]" hides it, as it does for the system.
constexpr std::string_view kUnknownCharacter = "\x81\x45";
enum class LoneLeadByte { Unknown, Dropped };

std::string Converted(std::string_view text, LoneLeadByte atEnd) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsLeadByte(text[i])) {
      const size_t end = std::find_if(text.begin() + i, text.end(), IsLeadByte) - text.begin();
      out.append(text.substr(i, end - i));
      i = end - 1;
    } else if (i + 1 == text.size()) {
      if (atEnd == LoneLeadByte::Unknown) out += kUnknownCharacter;
    } else if (IsCharacter(static_cast<unsigned char>(text[i]),
                           static_cast<unsigned char>(text[i + 1]))) {
      out.append(text.substr(i++, 2));
    } else {
      out += kUnknownCharacter;
      ++i;
    }
  }
  return out;
}

// Names and values handed to the functions; a lead byte at their end is lost.
std::string Argument(std::string_view text) {
  return Converted(text, LoneLeadByte::Dropped);
}

// Byte length of the character that starts at text[i]: in code page 932 (`dbcs`), or in UTF-8,
// whose bytes above 7F never stand for an ASCII character. In converted text every lead byte has
// its trail byte, which is never a blank, a line end or "=", but may be "]" or "[".
size_t CharLength(std::string_view text, size_t i, bool dbcs = true) {
  return dbcs && IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

std::string_view TrimFront(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimFront(s);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b, bool dbcs) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    const size_t n = CharLength(a, i, dbcs);
    if (n == 2) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

struct Entry {
  std::string name;
  std::optional<std::string> value;  // a line without "=" has none
};

struct Section {
  std::string name;  // empty for the lines before the first header
  std::vector<Entry> entries;
};

struct Profile {
  bool utf8Bom = false;
  std::vector<Section> sections;
  bool Dbcs() const { return !utf8Bom; }
};

// A header: "[" then the name up to the last "]" of the line.
std::optional<std::string_view> HeaderName(std::string_view line, bool dbcs) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::optional<size_t> close;
  for (size_t i = 0; i < line.size(); i += CharLength(line, i, dbcs)) {
    if (line[i] == ']') close = i;
  }
  if (!close) return std::nullopt;
  return Trim(line.substr(1, *close - 1));
}

bool IsUtf16(std::string_view file) {
  return file.substr(0, 2) == "\xFF\xFE" || file.substr(0, 2) == "\xFE\xFF";
}

// A UTF-16 file's text as far as code page 932 bytes can tell it without a table: ASCII as it
// is, every other character as "・".
std::string Utf16Text(std::string_view file) {
  const bool bigEndian = file[0] == '\xFE';
  std::string out;
  for (size_t i = 2; i + 1 < file.size(); i += 2) {
    const auto first = static_cast<unsigned char>(file[i]);
    const auto second = static_cast<unsigned char>(file[i + 1]);
    const unsigned unit = bigEndian ? first << 8 | second : second << 8 | first;
    if (unit < 0x80) {
      out += static_cast<char>(unit);
    } else {
      out += kUnknownCharacter;
    }
  }
  return out;
}

Profile Parse(std::string_view file) {
  Profile profile;
  if (file.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    profile.utf8Bom = true;
    file.remove_prefix(kUtf8Bom.size());
  }
  // Only the mark's own bytes make a UTF-8 file: a mark behind a blank line is text.
  const std::string converted = profile.utf8Bom ? std::string(file)
                                : IsUtf16(file) ? Utf16Text(file)
                                                : Converted(file, LoneLeadByte::Unknown);
  const std::string_view contents = converted;
  profile.sections.push_back(Section{});
  size_t pos = 0;
  while (pos < contents.size()) {
    size_t end = pos;
    while (end < contents.size() && contents[end] != '\n' && contents[end] != '\r') ++end;
    const std::string_view line = Trim(contents.substr(pos, end - pos));
    pos = end;
    while (pos < contents.size() && (contents[pos] == '\n' || contents[pos] == '\r')) ++pos;
    if (line.empty()) continue;  // blank lines are not kept

    if (auto name = HeaderName(line, profile.Dbcs())) {
      profile.sections.push_back(Section{std::string(*name), {}});
      continue;
    }
    Entry entry;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      entry.name = std::string(line);
    } else {
      entry.name = std::string(Trim(line.substr(0, eq)));
      entry.value = std::string(Trim(line.substr(eq + 1)));
    }
    // Of several lines without a name in a row, only the first is kept.
    auto& entries = profile.sections.back().entries;
    if (!entry.name.empty() || entries.empty() || !entries.back().name.empty()) {
      entries.push_back(std::move(entry));
    }
  }
  return profile;
}

std::string Serialize(const Profile& profile) {
  std::string out = profile.utf8Bom ? std::string(kUtf8Bom) : std::string();
  for (const Section& section : profile.sections) {
    if (!section.name.empty()) out += "[" + section.name + "]\r\n";
    for (const Entry& entry : section.entries) {
      out += entry.name;
      if (entry.value) out += "=" + *entry.value;
      out += "\r\n";
    }
  }
  return out;
}

Section* FindSection(Profile& profile, std::string_view name) {
  for (Section& section : profile.sections) {
    if (SameName(section.name, name, profile.Dbcs())) return &section;
  }
  return nullptr;
}

Entry* FindEntry(const Profile& profile, Section& section, std::string_view name) {
  for (Entry& entry : section.entries) {
    if (SameName(entry.name, name, profile.Dbcs())) return &entry;
  }
  return nullptr;
}

// What the system's integer read does with the value text.
std::int32_t ParseInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool minus = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
  std::uint32_t base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char prefix = text[i + 1];
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  std::uint32_t total = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    std::uint32_t digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
    if (c >= 'A' && c <= 'Z') digit = static_cast<std::uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'z') digit = static_cast<std::uint32_t>(c - 'a' + 10);
    if (digit >= base) break;
    total = total * base + digit;
  }
  return static_cast<std::int32_t>(minus ? 0u - total : total);
}

// The first `n` characters of text.
std::string_view FirstChars(std::string_view text, size_t n) {
  size_t i = 0;
  for (size_t seen = 0; i < text.size() && seen < n; ++seen) i += CharLength(text, i);
  return text.substr(0, i);
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) ++count;
  return count;
}

// The text the system's integer read looks at: the value copied into a small buffer, with its
// quotes taken off only where the value fits (the last character copied goes in their place).
std::string_view IntText(std::string_view value) {
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::string_view text = FirstChars(value, kIntBufferChars);
  if (quoted && CharCount(value) <= kIntBufferChars + 1) {
    text = FirstChars(text, CharCount(text) - 1);
  }
  return text;
}

enum class FileState { Missing, Unreadable, Read };

FileState ReadFile(const std::string& path, std::string& contents) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return FileState::Missing;
  if (error || status.type() != std::filesystem::file_type::regular) return FileState::Unreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileState::Unreadable;
  try {
    contents.resize(static_cast<size_t>(std::filesystem::file_size(path)));
  } catch (const std::exception&) {
    return FileState::Unreadable;
  }
  in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  contents.resize(static_cast<size_t>(in.gcount()));
  return in.bad() ? FileState::Unreadable : FileState::Read;
}

}  // namespace

std::optional<std::string> GetString(std::string_view contents, std::string_view section,
                                     std::string_view key) {
  Profile profile = Parse(contents);
  Section* found = FindSection(profile, Trim(Argument(section)));
  if (!found) return std::nullopt;
  Entry* entry = FindEntry(profile, *found, Trim(Argument(key)));
  if (!entry) return std::nullopt;
  return entry->value;
}

std::int32_t GetInt(std::string_view contents, std::string_view section, std::string_view key,
                    std::int32_t defaultValue) {
  const auto value = GetString(contents, section, key);
  if (!value) return defaultValue;
  const std::string_view text = IntText(*value);
  if (text.empty()) return defaultValue;
  return ParseInt(text);
}

std::optional<std::string> WriteString(std::string_view contents, std::string_view section,
                                       std::string_view key, std::string_view value) {
  Profile profile = Parse(contents);
  const std::string sectionName = Argument(section);
  const std::string keyName = Argument(key);
  const std::string text = Argument(value);
  // Names are looked up trimmed, but a new one keeps its trailing spaces.
  Section* target = FindSection(profile, Trim(sectionName));
  if (!target) {
    profile.sections.push_back(Section{std::string(TrimFront(sectionName)), {}});
    target = &profile.sections.back();
  }
  Entry* entry = FindEntry(profile, *target, Trim(keyName));
  if (!entry) {
    target->entries.push_back(Entry{std::string(TrimFront(keyName)), std::nullopt});
    entry = &target->entries.back();
  } else if (entry->value && *entry->value == TrimFront(text)) {
    return std::nullopt;
  }
  entry->value = std::string(TrimFront(text));
  return Serialize(profile);
}

std::int32_t ReadProfileInt(std::string_view section, std::string_view key,
                            std::int32_t defaultValue, const std::string& path) {
  std::string contents;
  ReadFile(path, contents);
  return GetInt(contents, section, key, defaultValue);
}

bool WriteProfileText(std::string_view section, std::string_view key, std::string_view value,
                      const std::string& path) {
  std::string contents;
  // A file that is there but cannot be read must not be replaced by one holding a single key.
  if (ReadFile(path, contents) == FileState::Unreadable) return false;
  // Its other text could not be written back.
  if (IsUtf16(contents)) return false;
  const auto updated = WriteString(contents, section, key, value);
  if (!updated) return true;
  const std::string temporary = path + ".tmp";
  std::error_code error;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(updated->data(), static_cast<std::streamsize>(updated->size()));
    out.flush();
    if (!out) error = std::make_error_code(std::errc::io_error);
  }
  if (!error) std::filesystem::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
  return !error;
}

}  // namespace zentab::profile
