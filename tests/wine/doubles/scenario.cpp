#include "scenario.h"

#include <cwchar>

namespace doubles {

HINSTANCE g_module = nullptr;

namespace {

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  return bytes;
}

std::vector<std::wstring> Words(const std::wstring& text) {
  std::vector<std::wstring> words;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find_first_of(L" \t", at);
    if (end == std::wstring::npos) end = text.size();
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

// "<call> [who] [#n]"
Failure FailureOf(const std::wstring& text) {
  Failure failure;
  for (const std::wstring& word : Words(text)) {
    if (failure.call.empty()) {
      failure.call = word;
    } else if (word[0] == L'#') {
      failure.nth = std::wcstol(word.c_str() + 1, nullptr, 10);
    } else {
      failure.who = word;
    }
  }
  return failure;
}

std::wstring Unescaped(const std::wstring& text) {
  std::wstring out;
  size_t last = 0;  // where the last character began in `out`, for \{n}
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c != L'\\' || i + 1 == text.size()) {
      last = out.size();
      out += c;
      if (IS_HIGH_SURROGATE(c) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) {
        out += text[++i];
      }
      continue;
    }
    const wchar_t escape = text[++i];
    if (escape == L'{') {
      const size_t close = text.find(L'}', i);
      const long n = std::wcstol(text.c_str() + i + 1, nullptr, 10);
      const std::wstring unit = out.substr(last);
      out.reserve(out.size() + unit.size() * static_cast<size_t>(n > 1 ? n - 1 : 0));
      for (long k = 1; k < n; ++k) out += unit;
      i = close == std::wstring::npos ? text.size() : close;
      continue;
    }
    last = out.size();
    switch (escape) {
      case L't':
        out += L'\t';
        break;
      case L'r':
        out += L'\r';
        break;
      case L'n':
        out += L'\n';
        break;
      case L'u':
        out += static_cast<wchar_t>(std::wcstoul(text.substr(i + 1, 4).c_str(), nullptr, 16));
        i += 4;
        break;
      default:
        out += escape;  // \\ and anything else: the character itself
    }
  }
  return out;
}

Scenario Parse(const std::string& bytes) {
  std::wstring text = FromUtf8(bytes);
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
  Scenario scenario;
  bool escapes = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (line.empty() || line[0] == L'#') continue;
    if (line.rfind(L"!fail ", 0) == 0) {
      scenario.failures.push_back(FailureOf(line.substr(6)));
      continue;
    }
    if (line == L"!escapes") {
      escapes = true;
      continue;
    }
    const size_t tab = line.find(L'\t');
    std::wstring title = line.substr(0, tab);
    std::wstring address = tab == std::wstring::npos ? L"" : line.substr(tab + 1);
    if (escapes) {
      title = Unescaped(title);
      address = Unescaped(address);
    }
    scenario.windows.push_back({std::move(title), std::move(address)});
  }
  return scenario;
}

// What tells a changed file: a rewrite changes its time or its size.
struct Stamp {
  bool exists = false;
  ULONGLONG written = 0;  // 100 ns units
  ULONGLONG size = 0;
  bool operator==(const Stamp&) const = default;
};

ULONGLONG Ticks(FILETIME time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

Stamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return {true, Ticks(data.ftLastWriteTime),
          (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

// Linux stamps files from a clock that moves in steps of a few milliseconds: a file written
// within one step of our read may change again without its time changing.
bool Settled(const Stamp& stamp) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  constexpr ULONGLONG kSettle = 50 * 10000;  // 50 ms
  return !stamp.exists || Ticks(now) > stamp.written + kSettle;
}

SRWLOCK g_lock = SRWLOCK_INIT;
std::shared_ptr<Scenario> g_scenario;
std::string g_bytes;
Stamp g_stamp;
bool g_settled = false;

}  // namespace

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool Scenario::Fails(const wchar_t* call, const std::wstring& who) {
  bool fails = false;
  for (Failure& failure : failures) {
    if (failure.call != call || (!failure.who.empty() && failure.who != who)) continue;
    const LONG seen = InterlockedIncrement(&failure.seen);
    if (failure.nth == 0 || failure.nth == seen) fails = true;
  }
  if (fails) AppendLog(L"fail " + std::wstring(call) + (who.empty() ? L"" : L" " + who));
  return fails;
}

std::shared_ptr<Scenario> CurrentScenario() {
  static const std::wstring path = ModuleFolder() + L"scenario.txt";
  const Stamp stamp = StampOf(path);
  AcquireSRWLockExclusive(&g_lock);
  if (!g_scenario || !g_settled || !(stamp == g_stamp)) {
    std::string bytes = stamp.exists ? ReadWholeFile(path) : std::string();
    // The same text read again keeps its scenario, and with it the counts of its calls.
    if (!g_scenario || bytes != g_bytes) {
      g_scenario = std::make_shared<Scenario>(Parse(bytes));
      g_bytes = std::move(bytes);
    }
    g_stamp = stamp;
    g_settled = Settled(stamp);
  }
  std::shared_ptr<Scenario> scenario = g_scenario;
  ReleaseSRWLockExclusive(&g_lock);
  return scenario;
}

void AppendLog(const std::wstring& line) {
  std::wstring path = ModuleFolder() + L"calls.log";
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = ToUtf8(line) + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace doubles
