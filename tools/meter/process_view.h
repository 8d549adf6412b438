// Another process of this Wine prefix seen from outside: its windows, GDI objects and private
// memory, and the text of its list boxes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace meter {

struct Resources {
  long windows = -1;            // top-level, child and message-only windows of the process
  long gdiObjects = -1;         // live entries of its GDI handle table; -1 when not readable
  long long pagefile = -1;      // PagefileUsage: Wine fills it from the process's RssAnon + VmSwap
  long long privateDirty = -1;  // Private_Dirty of the Linux process, from /proc; -1 unknown
};

// Under Wine 8 GetGuiResources answers 0: the process's GDI objects are counted in its handle
// table (its PEB's GdiSharedHandleTable). False when that count does not follow objects made and
// deleted here, so that no number from it is ever reported.
bool GdiCountWorks();

// unixPid 0: found from the process's executable in /proc.
Resources Measure(HANDLE process, DWORD pid, int unixPid = 0);

// The top-level window of the process with that class and caption (null: any), or null.
HWND FindTopLevel(DWORD pid, const wchar_t* className, const wchar_t* caption,
                  bool visibleOnly = false);

// The lines of a list box of another process, control characters and lone surrogates written
// as \r, \n, \t, \\ and \uXXXX.
std::vector<std::wstring> EscapedLines(HWND list);

void Print(const std::wstring& line);
std::wstring Widen(std::string_view utf8);

}  // namespace meter
