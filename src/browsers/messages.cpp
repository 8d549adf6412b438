#include "browsers/messages.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "browsers/extension_ids.h"

namespace zentab {
namespace {

constexpr std::array<std::pair<BrowserKind, std::pair<std::string_view, std::string_view>>, 3>
    kBrowsers{{{BrowserKind::Chrome, {"chrome", "Chrome"}},
               {BrowserKind::Edge, {"edge", "Edge"}},
               {BrowserKind::Firefox, {"firefox", "Firefox"}}}};

// The length of the UTF-8 sequence at the start of `text`; 0 when it is none (a stray byte, a
// sequence cut short, too long a form, a surrogate, beyond U+10FFFF).
size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;
  const size_t length = lead >= 0xF8   ? 0
                        : lead >= 0xF0 ? 4
                        : lead >= 0xE0 ? 3
                        : lead >= 0xC0 ? 2
                                       : 0;
  if (length == 0 || text.size() < length) return 0;
  std::uint32_t code = lead & (0x7F >> length);
  for (size_t n = 1; n < length; ++n) {
    const auto next = static_cast<unsigned char>(text[n]);
    if ((next & 0xC0) != 0x80) return 0;
    code = code << 6 | (next & 0x3F);
  }
  constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool valid = code >= kLeast[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  return valid ? length : 0;
}

bool IsUtf8(std::string_view text) {
  for (size_t n; !text.empty(); text.remove_prefix(n)) {
    if ((n = Utf8Length(text)) == 0) return false;
  }
  return true;
}

// Reads a snapshot as the parser walks it, without building a tree: what does not fit the
// snapshot's shape stops the walk at once, and the tab count is bounded while it is read.
class SnapshotReader {
 public:
  explicit SnapshotReader(TabSnapshot& snapshot) : snapshot_(snapshot) {}

  bool Done() const { return done_; }

  bool Null() { return Scalar(); }
  bool Bool(bool) { return Scalar(); }
  bool Int(int value) { return Integer(value); }
  bool Uint(unsigned value) { return Integer(value); }
  bool Int64(std::int64_t value) { return Integer(value); }
  bool Uint64(std::uint64_t value) {
    return value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
               ? Integer(static_cast<std::int64_t>(value))
               : Scalar();
  }
  bool Double(double) { return Scalar(); }
  bool RawNumber(const char*, rapidjson::SizeType, bool) { return false; }
  bool String(const char* text, rapidjson::SizeType length, bool) {
    if (skipping_ > 0) return true;
    const std::string_view value(text, length);
    // The parser lets a lone low surrogate through as three bytes that are no UTF-8.
    if (!IsUtf8(value)) return false;
    switch (Expected()) {
      case Field::Type:
        return value == "tabs";
      case Field::Browser: {
        const auto kind = BrowserKindOf(value);
        if (kind) snapshot_.browser = *kind;
        return kind.has_value();
      }
      case Field::Title:
        snapshot_.windows.back().tabs.back().title = value;
        return true;
      case Field::Url:
        snapshot_.windows.back().tabs.back().url = value;
        return true;
      default:
        return Scalar();
    }
  }
  bool StartObject() {
    if (skipping_ > 0 || Expected() == Field::Unknown) return ++skipping_, true;
    if (frames_.empty() && !done_) return Push(Frame::Root);
    if (frames_.empty()) return false;
    if (Top() == Frame::Windows) {
      snapshot_.windows.emplace_back();
      return Push(Frame::Window);
    }
    if (Top() == Frame::Tabs && ++tabs_ <= kMaxSnapshotTabs) {
      snapshot_.windows.back().tabs.emplace_back();
      return Push(Frame::Tab);
    }
    return false;
  }
  bool Key(const char* text, rapidjson::SizeType length, bool) {
    if (skipping_ > 0) return true;
    field_ = FieldNamed(std::string_view(text, length));
    if (field_ == Field::Unknown) return true;
    const unsigned bit = Bits(field_);
    if (seen_.back() & bit) return false;  // twice: which one would count?
    seen_.back() |= bit;
    return true;
  }
  bool EndObject(rapidjson::SizeType) {
    if (skipping_ > 0) return --skipping_, true;
    const unsigned required = Top() == Frame::Root
                                  ? Bits(Field::Type, Field::Browser, Field::Windows)
                              : Top() == Frame::Window ? Bits(Field::Id, Field::Tabs)
                                                       : Bits(Field::Id, Field::Title, Field::Url);
    if ((seen_.back() & required) != required) return false;
    Pop();
    done_ = frames_.empty();
    return true;
  }
  bool StartArray() {
    if (skipping_ > 0 || Expected() == Field::Unknown) return ++skipping_, true;
    if (Expected() == Field::Windows) return Push(Frame::Windows);
    if (Expected() == Field::Tabs) return Push(Frame::Tabs);
    return false;
  }
  bool EndArray(rapidjson::SizeType) {
    if (skipping_ > 0) return --skipping_, true;
    Pop();
    return true;
  }

 private:
  enum class Frame { Root, Windows, Window, Tabs, Tab };
  enum class Field { Unknown, Type, Browser, Windows, Id, Tabs, Title, Url, None };

  template <class... Fields>
  static unsigned Bits(Fields... fields) {
    return ((1u << static_cast<unsigned>(fields)) | ...);
  }
  Frame Top() const { return frames_.back(); }
  // What the next value is: the value of the last key inside an object, an element otherwise.
  Field Expected() const {
    if (frames_.empty()) return Field::None;
    const Frame top = Top();
    return top == Frame::Windows || top == Frame::Tabs ? Field::None : field_;
  }
  Field FieldNamed(std::string_view name) const {
    static constexpr std::pair<std::string_view, Field> kRoot[] = {
        {"type", Field::Type}, {"browser", Field::Browser}, {"windows", Field::Windows}};
    static constexpr std::pair<std::string_view, Field> kWindow[] = {{"id", Field::Id},
                                                                     {"tabs", Field::Tabs}};
    static constexpr std::pair<std::string_view, Field> kTab[] = {
        {"id", Field::Id}, {"title", Field::Title}, {"url", Field::Url}};
    const auto find = [name](const auto& fields) {
      for (const auto& [known, field] : fields) {
        if (known == name) return field;
      }
      return Field::Unknown;
    };
    return Top() == Frame::Root ? find(kRoot) : Top() == Frame::Window ? find(kWindow) : find(kTab);
  }
  bool Push(Frame frame) {
    frames_.push_back(frame);
    seen_.push_back(0);
    field_ = Field::None;
    return true;
  }
  void Pop() {
    frames_.pop_back();
    seen_.pop_back();
    field_ = Field::None;
  }
  // A value that is not of its field's kind, or an element that is no object, ends the walk;
  // the value of an unknown key is passed over.
  bool Scalar() const { return skipping_ > 0 || Expected() == Field::Unknown; }
  bool Integer(std::int64_t value) {
    if (skipping_ > 0 || Expected() != Field::Id) return Scalar();
    (Top() == Frame::Window ? snapshot_.windows.back().id
                            : snapshot_.windows.back().tabs.back().id) = value;
    return true;
  }

  TabSnapshot& snapshot_;
  std::vector<Frame> frames_;
  std::vector<unsigned> seen_;
  Field field_ = Field::None;
  int skipping_ = 0;
  std::size_t tabs_ = 0;
  bool done_ = false;
};

// A JSON string. Text that is not UTF-8 (a hand-edited session file) goes out with U+FFFD in its
// place: the browser would refuse the whole message.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (size_t n; !text.empty(); text.remove_prefix(std::max<size_t>(n, 1))) {
    const auto byte = static_cast<unsigned char>(text[0]);
    if (byte == '"' || byte == '\\') {
      out += {'\\', text[0]};
    } else if (byte < 0x20) {
      out += {'\\', 'u', '0', '0', "0123456789abcdef"[byte >> 4], "0123456789abcdef"[byte & 15]};
    } else {
      n = Utf8Length(text);
      out += n > 0 ? text.substr(0, n) : "\xEF\xBF\xBD";
      continue;
    }
    n = 1;
  }
  return out += '"';
}

std::string QuotedList(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (const std::string& text : texts) out += (out.size() > 1 ? "," : "") + Quoted(text);
  return out + "]";
}

}  // namespace

std::string_view BrowserName(BrowserKind kind) {
  for (const auto& [known, names] : kBrowsers) {
    if (known == kind) return names.second;
  }
  return "";
}

std::string_view BrowserId(BrowserKind kind) {
  for (const auto& [known, names] : kBrowsers) {
    if (known == kind) return names.first;
  }
  return "";
}

std::optional<BrowserKind> BrowserKindOf(std::string_view id) {
  for (const auto& [kind, names] : kBrowsers) {
    if (names.first == id) return kind;
  }
  return std::nullopt;
}

std::optional<TabSnapshot> DecodeTabSnapshot(std::string_view bytes) {
  TabSnapshot snapshot;
  SnapshotReader reader(snapshot);
  rapidjson::MemoryStream stream(bytes.data(), bytes.size());
  // Iterative: no nesting, however deep, runs the stack out. The stream ends early at a NUL byte,
  // which must then be the last.
  constexpr unsigned kStrict =
      rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag;
  if (!rapidjson::Reader().Parse<kStrict>(stream, reader) || !reader.Done() ||
      stream.Tell() != bytes.size()) {
    return std::nullopt;
  }
  return snapshot;
}

std::string RefreshRequest() {
  return R"({"type":"refresh"})";
}

std::string OpenRequest(const std::vector<std::string>& urls) {
  return R"({"type":"open","urls":)" + QuotedList(urls) + "}";
}

std::string NavigateRequest(std::int64_t tab, const std::string& url) {
  return R"({"type":"navigate","tab":)" + std::to_string(tab) + R"(,"url":)" + Quoted(url) + "}";
}

namespace {

std::string HostManifest(const std::string& hostPath, std::string_view allowed,
                         std::string_view caller) {
  return "{\n  \"name\": " + Quoted(kBrowserHostName) +
         ",\n  \"description\": \"Zentab\",\n  \"path\": " + Quoted(hostPath) +
         ",\n  \"type\": \"stdio\",\n  " + Quoted(allowed) + ": [" + Quoted(caller) + "]\n}\n";
}

}  // namespace

std::string ChromiumHostManifest(const std::string& hostPath) {
  return HostManifest(hostPath, "allowed_origins", kChromiumExtensionOrigin);
}

std::string FirefoxHostManifest(const std::string& hostPath) {
  return HostManifest(hostPath, "allowed_extensions", kFirefoxExtensionId);
}

}  // namespace zentab
