// The shell services that keep the program's own things: the settings file, the other files
// beside the program, and its start at sign-in.
#include "platform/scope_guard.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_shell.h"

namespace zentab {

std::string Win32Shell::ReadProfileText(const std::string& section, const std::string& key,
                                        const std::string& path) {
  char value[64];
  GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "", value, sizeof value,
                           ToAnsi(path).c_str());
  return FromAnsi(value);
}

bool Win32Shell::WriteProfileText(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) {
  return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                    ToAnsi(value).c_str(), ToAnsi(path).c_str()) != FALSE;
}

std::optional<std::string> Win32Shell::ReadWholeFile(const std::string& path, std::size_t limit) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw ShellFailure("CreateFileW failed for ", path);
  }
  ScopeGuard close([file] { CloseHandle(file); });
  std::string bytes;
  char buffer[65536];
  for (DWORD got = 1; got > 0 && bytes.size() <= limit; bytes.append(buffer, got)) {
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr))
      throw ShellFailure("ReadFile failed");
  }
  return bytes;
}

// The temporary file is whole and on the disk before it takes the old one's place.
bool Win32Shell::WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temporary = target + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole =
      bytes.size() <= MAXDWORD &&
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (whole && MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporary.c_str());
  return false;
}

bool Win32Shell::MoveFileReplacing(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

// A deletion can be refused only when the file is closed at last (Wine on a read-only drive):
// the file must be gone, or at least no longer be opened (a deletion pending).
bool Win32Shell::RemoveFile(const std::string& path) {
  const std::wstring wide = Widen(path);
  if (!DeleteFileW(wide.c_str())) return GetLastError() == ERROR_FILE_NOT_FOUND;
  return GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES;
}

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Zentab";

}  // namespace

std::optional<std::string> Win32Shell::StartupCommand() {
  HKEY run = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &run);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) throw ShellFailure("RegOpenKeyExW failed");
  ScopeGuard close([run] { RegCloseKey(run); });
  DWORD type = 0, size = 0;
  status = RegQueryValueExW(run, kRunValue, nullptr, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) throw ShellFailure("RegQueryValueExW failed");
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(run, kRunValue, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()),
                       &size) != ERROR_SUCCESS) {
    throw ShellFailure("RegQueryValueExW failed");
  }
  value.resize(wcsnlen(value.c_str(), value.size()));  // stored with or without its NUL
  if (type == REG_EXPAND_SZ) {
    const DWORD needed = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
    std::wstring expanded(needed, L'\0');
    if (needed == 0 || ExpandEnvironmentStringsW(value.c_str(), expanded.data(), needed) == 0) {
      throw ShellFailure("ExpandEnvironmentStringsW failed");
    }
    value.assign(expanded.c_str());
  }
  return Narrow(value);
}

bool Win32Shell::SamePath(const std::string& a, const std::string& b) {
  const std::wstring wideA = Widen(a), wideB = Widen(b);
  return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

bool Win32Shell::SetStartupCommand(const std::string& commandLine) {
  const std::wstring value = Widen(commandLine);
  return RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32Shell::RemoveStartupCommand() {
  const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace zentab
