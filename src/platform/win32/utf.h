// The one place where the program's UTF-8 texts meet the system's UTF-16 and ANSI texts.
#pragma once

#include <string>
#include <string_view>

namespace zentab {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// For the narrow profile functions: the system's ANSI code page (932 on Japanese Windows).
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace zentab
