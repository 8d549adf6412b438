// The shell windows a test sets up, and the calls the doubles record.
//
// scenario.txt, beside the DLL, UTF-8. It is read again only when its time or size has changed,
// so that a test can open and close windows between two scans without the doubles reading the
// file at every call of the program:
//
//   # a comment; empty lines are skipped
//   Title<TAB>address        one shell window per line, at positions 0, 1, 2... in file order;
//                            a line without a TAB is a window with that title and no address
//   !fail <call> [who] [#n]  the call answers E_FAIL; with a position, or "new" for the new
//                            browsers, only for that window; with #n only the n-th such call
//                            since the file was read. <call> is one of Count, Item,
//                            LocationURL, LocationName, Navigate2, Visible, Create (a new
//                            InternetExplorer object)
//   !escapes                 in the window lines after it \t, \r, \n and \\ stand for tab, CR,
//                            LF and backslash, \uXXXX for any UTF-16 unit (a lone surrogate
//                            too), and \{n} repeats the character before it to n in all:
//                            "x\{100000}" is 100,000 x
//
// calls.log, beside the DLL, UTF-8, one event per line, appended:
//
//   navigate <position> <url>   Navigate2 on a window of ShellWindows
//   visible <position> <value>  put_Visible on a window of ShellWindows
//   create                      a new InternetExplorer object
//   navigate new <url>          Navigate2 on it
//   visible new <value>         put_Visible on it (-1 for true)
//   quit <position>|new         Quit
//   fail <call> [who]           a failure of the scenario, as it happened
//
// A Navigate2 that is given more than the address gets " +args" after the url.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace doubles {

struct ShellWindow {
  std::wstring title;
  std::wstring address;
};

struct Failure {
  std::wstring call;
  std::wstring who;  // empty: any window
  long nth = 0;      // 0: every call
  LONG seen = 0;     // matching calls so far
};

struct Scenario {
  std::vector<ShellWindow> windows;
  std::vector<Failure> failures;

  // Counts the call against every failure it matches; true, and logged, when one of them fires.
  bool Fails(const wchar_t* call, const std::wstring& who = {});
};

// The scenario in force.
std::shared_ptr<Scenario> CurrentScenario();
void AppendLog(const std::wstring& line);

// The folder that holds this DLL, with a trailing backslash.
std::wstring ModuleFolder();
extern HINSTANCE g_module;

}  // namespace doubles
