// The system headers of the Win32 layer: every file includes them through this one.
#pragma once

// windows.h must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <exdisp.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <wininet.h>
// clang-format on
