#include "tally.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "scenario.h"

namespace doubles {
namespace {

LONG g_objects = 0;
LONG g_references = 0;
LONG g_made = 0;
LONG g_counts = 0;
bool g_loaded = true;

// Five lines of 24 bytes: the file never changes its size, so a reader never sees it half
// written.
constexpr size_t kLine = 24;
constexpr size_t kSize = 5 * kLine;
char* g_view = nullptr;

char* View() {
  static bool tried = false;
  if (g_view || tried) return g_view;
  tried = true;
  // A fresh file for each process: Wine reuses process ids.
  const std::wstring path =
      ModuleFolder() + L"objects-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READWRITE, 0, kSize, nullptr);
  CloseHandle(file);
  if (!mapping) return nullptr;
  g_view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kSize));
  CloseHandle(mapping);  // the view keeps it
  return g_view;
}

void Write() {
  char* view = View();
  if (!view) return;
  char text[kSize + 1];
  std::snprintf(text, sizeof text,
                "objects    %12ld\nreferences %12ld\nmade       %12ld\n"
                "counts     %12ld\nloaded     %12d\n",
                g_objects, g_references, g_made, g_counts, g_loaded ? 1 : 0);
  std::memcpy(view, text, kSize);
}

}  // namespace

void TallyMade() {
  InterlockedIncrement(&g_objects);
  InterlockedIncrement(&g_made);
  InterlockedIncrement(&g_references);  // the one a new object is born with
  Write();
}

void TallyGone() {
  InterlockedDecrement(&g_objects);
  Write();
}

void TallyAddRef() {
  InterlockedIncrement(&g_references);
  Write();
}

void TallyRelease() {
  InterlockedDecrement(&g_references);
  Write();
}

void TallyCount() {
  InterlockedIncrement(&g_counts);
  Write();
}

void TallyUnloaded() {
  if (!g_view) return;  // nothing handed out here (regsvr32, say)
  g_loaded = false;
  Write();
  if (g_view) UnmapViewOfFile(g_view);
  g_view = nullptr;
}

}  // namespace doubles
