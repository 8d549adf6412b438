// Compares a shown window of the program, read from outside, with the design it was built from.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/form_design.h"

namespace driver {

// What the window's logic has changed since the design, by control name.
struct DesignChanges {
  std::map<std::wstring, std::wstring> text;  // a drop-down list's selected item
  std::set<std::wstring> hidden;
  std::set<std::wstring> disabled;
  std::wstring defaultButton;  // empty: the design's

  // "Name=text", "hidden:Name", "disabled:Name", "default:Name"; false for anything else.
  bool Take(const std::wstring& argument);
};

// One line per difference; none when the window is as designed.
std::vector<std::wstring> CompareWithDesign(HWND form, const zentab::FormDesign& design,
                                            const DesignChanges& changes);

// One line of UTF-8 to stdout.
void Print(const std::wstring& text);
std::wstring Widen(std::string_view utf8);
// The caption of a window of `design` once its load step has put in the version.
std::wstring CaptionOf(const zentab::FormDesign& design);
// Sends with a bound: a handler that opens a modal window would hold a plain send. A send that
// times out ends the driver with "timeout".
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::wstring WindowText(HWND window);
// Control characters made visible, so that a line shows where the CRs are.
std::wstring Escaped(const std::wstring& text);

}  // namespace driver
