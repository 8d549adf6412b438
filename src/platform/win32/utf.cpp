#include "platform/win32/utf.h"

#include "platform/shell_services.h"
#include "platform/win32/windows_api.h"

namespace zentab {
namespace {

int Length(size_t size) {
  if (size > INT_MAX) throw ShellFailure("text too long");
  return static_cast<int>(size);
}

std::wstring ToUtf16(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), Length(text.size()), nullptr, 0);
  if (n == 0) throw ShellFailure("MultiByteToWideChar failed");
  std::wstring out(static_cast<size_t>(n), L'\0');
  if (MultiByteToWideChar(codePage, 0, text.data(), Length(text.size()), out.data(), n) != n) {
    throw ShellFailure("MultiByteToWideChar failed");
  }
  return out;
}

std::string FromUtf16(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = Length(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n == 0) throw ShellFailure("WideCharToMultiByte failed");
  std::string out(static_cast<size_t>(n), '\0');
  if (WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr) != n) {
    throw ShellFailure("WideCharToMultiByte failed");
  }
  return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  return ToUtf16(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view utf16) {
  return FromUtf16(CP_UTF8, utf16);
}

std::string ToAnsi(std::string_view utf8) {
  return FromUtf16(CP_ACP, Widen(utf8));
}

std::string FromAnsi(std::string_view ansi) {
  return Narrow(ToUtf16(CP_ACP, ansi));
}

}  // namespace zentab
