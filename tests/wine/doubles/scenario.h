// The shell windows a test sets up, and the calls the doubles record.
//
// scenario.txt, beside the DLL, UTF-8, read afresh at every call so that a test can open and
// close windows between two scans of the program:
//
//   # a comment; empty lines are skipped
//   Title<TAB>address        one shell window per line, at positions 0, 1, 2... in file order;
//                            a line without a TAB is a window with that title and no address
//   !fail <call> [who]       the call answers E_FAIL; with a position, or "new" for the new
//                            browsers, only for that window. <call> is one of Count, Item,
//                            LocationURL, LocationName, Navigate2, Visible, Create (a new
//                            InternetExplorer object)
//
// calls.log, beside the DLL, UTF-8, one event per line, appended:
//
//   navigate <position> <url>   Navigate2 on a window of ShellWindows
//   visible <position> <value>  put_Visible on a window of ShellWindows
//   create                      a new InternetExplorer object
//   navigate new <url>          Navigate2 on it
//   visible new <value>         put_Visible on it (-1 for true)
//   quit <position>|new         Quit
//
// A Navigate2 that is given more than the address gets " +args" after the url.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace doubles {

struct ShellWindow {
  std::wstring title;
  std::wstring address;
};

struct Scenario {
  std::vector<ShellWindow> windows;
  // `call` alone ("Count") or with the window it applies to ("LocationURL 2", "Navigate2 new").
  std::vector<std::wstring> failures;

  bool Fails(const wchar_t* call, const std::wstring& who = {}) const;
};

Scenario ReadScenario();
void AppendLog(const std::wstring& line);

// The folder that holds this DLL, with a trailing backslash.
std::wstring ModuleFolder();
extern HINSTANCE g_module;

}  // namespace doubles
