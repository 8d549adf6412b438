// What the Win32 layer's tests share: a message pump, files, the shell's stand-in, and a record
// of the events a window raised.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/form_design.h"
#include "platform/win32/windows_api.h"

namespace zentab::test {

// Runs the thread's messages through the program's own loop (dialog keys, tooltips) until `done`
// holds or `seconds` have passed; false on time-out.
bool PumpUntil(const std::function<bool()>& done, double seconds = 5);
inline void Pump(double seconds) {
  PumpUntil([] { return false; }, seconds);
}

std::string ReadFile(const std::wstring& path);
void WriteFile(const std::wstring& path, const std::string& bytes);
std::wstring Environment(const wchar_t* name);

// A top-level window with the caption, of the process (any when 0), waited for a few seconds.
HWND WindowOf(DWORD process, const wchar_t* caption);
// A message to another process, which must not hang the tests should that one hang.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The lines of a list of the window.
std::vector<std::string> Lines(HWND window, int list);
// Reads and drives a running zentab.exe for the browsers' tests: zentab_win_tests.exe probe ...
int Probe(int argc, wchar_t** argv);

// The user's Run key, and the value `Zentab` in it ("-" for none).
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
std::wstring RunValue();

// A picture of the window as it is on the screen, to the folder in ZENTAB_SHOTS as NAME.bmp.
void SaveScreenshot(HWND window, const std::string& name);

// The shell's stand-in, in the folder ZENTAB_DOUBLE names: its windows, one "title\taddress"
// each, and failures ("!fail count").
void SetScenario(const std::vector<std::string>& lines);
// What it was asked to do since the last call.
std::vector<std::string> TakeCalls();
// Its objects alive in a process ("0" once all are released).
std::string LiveObjects(DWORD process);

// Every event a window raised, one line each: "Click cmdOK", "MouseDown SysTrayPic 1 515".
struct Recorder : FormEvents {
  std::vector<std::string> events;
  bool QueryUnload() override { return false; }  // a close is never refused
  void Click(std::string_view c) override { events.push_back("Click " + std::string(c)); }
  void DblClick(std::string_view c) override { events.push_back("DblClick " + std::string(c)); }
  void TimerTick(std::string_view t) override { events.push_back("Tick " + std::string(t)); }
  void MouseDown(std::string_view c, int button, int x) override;
  void Change(std::string_view c) override { events.push_back("Change " + std::string(c)); }
  bool Saw(const std::string& event) const;
};

}  // namespace zentab::test
