#include "process_view.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cwchar>
#include <memory>

namespace meter {
namespace {

// Wine 8's GDI_HANDLE_ENTRY: 24 bytes; the byte at 14 (ExtType) is 0 once the handle is free.
constexpr size_t kEntrySize = 24;
constexpr size_t kLiveByte = 14;
constexpr size_t kEntries = 0x10000;
constexpr size_t kPebGdiTable = 0xF8;  // x64 PEB

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// GetProcAddress's answer as the function it is.
template <class Function>
Function Export(const wchar_t* module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(module), name)));
}

long CountGdi(HANDLE process) {
  static const auto query = Export<QueryProcess>(L"ntdll.dll", "NtQueryInformationProcess");
  PROCESS_BASIC_INFORMATION info{};
  ULONG got = 0;
  if (!query || query(process, ProcessBasicInformation, &info, sizeof info, &got) != 0) return -1;
  const char* table = nullptr;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const char*>(info.PebBaseAddress) + kPebGdiTable,
                         &table, sizeof table, &read) ||
      !table) {
    return -1;
  }
  constexpr size_t kChunkEntries = 4096;
  auto chunk = std::make_unique<unsigned char[]>(kChunkEntries * kEntrySize);
  long live = 0;
  for (size_t first = 0; first < kEntries; first += kChunkEntries) {
    if (!ReadProcessMemory(process, table + first * kEntrySize, chunk.get(),
                           kChunkEntries * kEntrySize, &read)) {
      return -1;
    }
    bool used = false;  // entries are handed out in order: past the last used one all is zero
    for (size_t i = 0; i < kChunkEntries * kEntrySize; ++i) used |= chunk[i] != 0;
    if (!used) break;
    for (size_t i = 0; i < kChunkEntries; ++i) live += chunk[i * kEntrySize + kLiveByte] != 0;
  }
  return live;
}

struct WindowCount {
  DWORD pid;
  long count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM data) {
  ++reinterpret_cast<WindowCount*>(data)->count;
  return TRUE;
}

void CountWindow(HWND window, WindowCount& count) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != count.pid) return;
  ++count.count;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
  CountWindow(window, *reinterpret_cast<WindowCount*>(data));
  return TRUE;
}

long CountWindows(DWORD pid) {
  WindowCount count{pid};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr;) {
    CountWindow(w, count);
  }
  return count.count;
}

std::string ReadSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

bool FileId(const std::wstring& path, ULONGLONG& id) {
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  id = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return ok;
}

// The Linux process whose first argument is the process's executable, as Wine starts a program.
// Compared as files: the paths may differ by the prefix's links.
int UnixPidOf(HANDLE process) {
  wchar_t image[MAX_PATH];
  DWORD size = MAX_PATH;
  ULONGLONG wanted = 0;
  if (!QueryFullProcessImageNameW(process, 0, image, &size) || !FileId(image, wanted)) return 0;
  // Other prefixes may run a program of the same path: only ours counts.
  char prefix[MAX_PATH] = "";
  GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
  const std::string ourPrefix = std::string("WINEPREFIX=") + prefix + '\0';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int pid = 0;
  do {
    const int candidate = static_cast<int>(std::wcstol(found.cFileName, nullptr, 10));
    if (candidate <= 0) continue;
    const std::wstring folder = L"Z:\\proc\\" + std::wstring(found.cFileName);
    const std::string first = ReadSmallFile(folder + L"\\cmdline").c_str();
    // A Unix path when started from Linux, the Windows one when started by a Wine process.
    if (first.size() < 5 || _stricmp(first.c_str() + first.size() - 4, ".exe") != 0) continue;
    if (('\0' + ReadSmallFile(folder + L"\\environ")).find('\0' + ourPrefix) == std::string::npos) {
      continue;
    }
    std::wstring path = first[0] == '/' ? L"Z:" : L"";
    for (wchar_t c : Widen(first)) path += c == L'/' ? L'\\' : c;
    ULONGLONG id = 0;
    if (FileId(path, id) && id == wanted) pid = candidate;
  } while (pid == 0 && FindNextFileW(search, &found));
  FindClose(search);
  return pid;
}

long long PrivateDirty(int unixPid) {
  const std::string text =
      ReadSmallFile(L"Z:\\proc\\" + std::to_wstring(unixPid) + L"\\smaps_rollup");
  const size_t at = text.find("Private_Dirty:");
  if (at == std::string::npos) return -1;
  return std::strtoll(text.c_str() + at + 14, nullptr, 10) * 1024;
}

}  // namespace

bool GdiCountWorks() {
  HANDLE self = GetCurrentProcess();
  const long before = CountGdi(self);
  HBRUSH brushes[10];
  for (HBRUSH& brush : brushes) brush = CreateSolidBrush(RGB(1, 2, 3));
  const long during = CountGdi(self);
  for (HBRUSH brush : brushes) DeleteObject(brush);
  const long after = CountGdi(self);
  return before >= 0 && during == before + 10 && after == before;
}

Resources Measure(HANDLE process, DWORD pid, int unixPid) {
  Resources r;
  r.windows = CountWindows(pid);
  static const bool gdiWorks = GdiCountWorks();
  if (gdiWorks) r.gdiObjects = CountGdi(process);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    r.pagefile = static_cast<long long>(counters.PagefileUsage);
  }
  if (unixPid == 0) unixPid = UnixPidOf(process);
  if (unixPid > 0) r.privateDirty = PrivateDirty(unixPid);
  return r;
}

namespace {

struct Search {
  DWORD pid;
  const wchar_t* className;
  const wchar_t* caption;
  bool visibleOnly;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || (search->visibleOnly && !IsWindowVisible(window))) return TRUE;
  wchar_t text[256];
  if (search->className &&
      (!GetClassNameW(window, text, 256) || wcscmp(text, search->className) != 0)) {
    return TRUE;
  }
  if (search->caption && (GetWindowTextW(window, text, 256), wcscmp(text, search->caption) != 0)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// A bounded send: a program that hangs must not hang the meter.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 20000, &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    const bool pair = IS_HIGH_SURROGATE(c) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
    if (c == L'\\') {
      out += L"\\\\";
    } else if (c == L'\r') {
      out += L"\\r";
    } else if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\t') {
      out += L"\\t";
    } else if (pair) {
      out += c;
      out += text[++i];
    } else if (c >= 0xD800 && c <= 0xDFFF) {  // alone
      wchar_t hex[8];
      swprintf(hex, 8, L"\\u%04X", static_cast<unsigned>(c));
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::wstring> ReadLines(HWND list) {
  std::vector<std::wstring> lines;
  const LRESULT count = Send(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) break;
    // Room to spare: a scan may have put a longer line in its place since.
    std::wstring line(static_cast<size_t>(length) + 4096, L'\0');
    const LRESULT got =
        Send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(got < 0 ? 0 : std::min(static_cast<size_t>(got), line.size()));
    lines.push_back(Escaped(line));
  }
  return lines;
}

}  // namespace

HWND FindTopLevel(DWORD pid, const wchar_t* className, const wchar_t* caption, bool visibleOnly) {
  Search search{pid, className, caption, visibleOnly};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A scan may rebuild the list between two reads: a read counts when the next one agrees.
std::vector<std::wstring> EscapedLines(HWND list) {
  for (auto lines = ReadLines(list);;) {
    auto again = ReadLines(list);
    if (again == lines) return lines;
    lines = std::move(again);
  }
}

void Print(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

std::wstring Widen(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(),
                                                      static_cast<int>(text.size()), wide.data(),
                                                      static_cast<int>(wide.size()))));
  return wide;
}

}  // namespace meter
