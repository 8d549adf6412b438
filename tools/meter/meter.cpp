// Measures zentab.exe from outside under Wine, for scripts/bench.
//   ready <runs> <floor.exe> <zentab.exe>
//       start-up until each answers and private memory a second later, the two in turn; the
//       second may be another floor (a program not named zentab.exe is taken for one)
//   tabs <zentab.exe> <zentab_host.exe> <tabs>
//       a browser's snapshot of so many tabs handed to zentab.exe through the real host, which
//       the meter starts as a browser does; the private memory of both once the program lists
//       them; then "idle" and ten quiet seconds, in which nothing should wake the host
//   soak <zentab.exe> <stand-in folder> <scans> <warm-up scans>
//       a long run: the shell's windows open and close between scans, now and then every page
//       is reopened and the main window shown and closed; resources after the warm-up and at
//       the end, and the stand-in's objects still alive once the program has ended
// Exit codes: 0 measured, 1 something could not be measured, 64 wrong usage.
// windows.h must come first.
// clang-format off
#include <windows.h>
#include <psapi.h>
#include <winternl.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_design.h"
#include "browsers/extension_ids.h"
#include "platform/version.h"

namespace {

using namespace zentab::main_window;

struct Resources {
  long windows = -1;        // top-level, child and message-only windows of the process
  long gdi = -1;            // live entries of its GDI handle table; -1 when not readable
  long long pagefile = -1;  // PagefileUsage: Wine fills it from the process's RssAnon + VmSwap
  long live = -1;           // the stand-in's objects alive in the process (soak only)
};

// Under Wine 8 GetGuiResources answers 0: a process's GDI objects are counted in its handle table
// (the x64 PEB's GdiSharedHandleTable at 0xF8), 0x10000 entries of 24 bytes whose byte 14 is 0
// once the handle is free.
long CountGdi(HANDLE process) {
  using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  static const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info{};
  const unsigned char* table = nullptr;
  if (!query || query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0 ||
      !ReadProcessMemory(process, reinterpret_cast<char*>(info.PebBaseAddress) + 0xF8, &table,
                         sizeof table, nullptr) ||
      !table) {
    return -1;
  }
  constexpr size_t kChunk = 4096 * 24;
  auto chunk = std::make_unique<unsigned char[]>(kChunk);
  long live = 0;
  for (size_t at = 0; at < 0x10000 * 24; at += kChunk) {
    if (!ReadProcessMemory(process, table + at, chunk.get(), kChunk, nullptr)) return -1;
    // Entries are handed out in order: past the last used one all is zero.
    if (std::all_of(&chunk[0], &chunk[kChunk], [](unsigned char b) { return b == 0; })) break;
    for (size_t i = 14; i < kChunk; i += 24) live += chunk[i] != 0;
  }
  return live;
}

// The count must follow brushes made and deleted here, or no number from it is reported.
bool GdiCountWorks() {
  const long before = CountGdi(GetCurrentProcess());
  HBRUSH brushes[10];
  for (HBRUSH& brush : brushes) brush = CreateSolidBrush(RGB(1, 2, 3));
  const long during = CountGdi(GetCurrentProcess());
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return before >= 0 && during == before + 10 && CountGdi(GetCurrentProcess()) == before;
}

std::vector<HWND> g_windows;

long CountWindows(DWORD pid) {
  auto add = [](HWND w, LPARAM) { return g_windows.push_back(w), TRUE; };
  g_windows.clear();
  EnumWindows(add, 0);
  for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr));) add(w, 0);
  for (size_t i = 0, tops = g_windows.size(); i < tops; ++i) EnumChildWindows(g_windows[i], add, 0);
  return static_cast<long>(std::count_if(g_windows.begin(), g_windows.end(), [pid](HWND w) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    return owner == pid;
  }));
}

Resources Measure(const PROCESS_INFORMATION& p) {
  static const bool gdiWorks = GdiCountWorks();
  Resources r;
  r.windows = CountWindows(p.dwProcessId);
  if (gdiWorks) r.gdi = CountGdi(p.hProcess);
  PROCESS_MEMORY_COUNTERS counters{};
  if (GetProcessMemoryInfo(p.hProcess, &counters, sizeof counters)) {
    r.pagefile = static_cast<long long>(counters.PagefileUsage);
  }
  return r;
}

// A message that must not hang the meter should the program hang.
bool Ask(HWND window, UINT message, WPARAM wParam, DWORD_PTR* answer = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, wParam, 0, SMTO_NORMAL, 10000,
                             answer ? answer : &ignored) != 0;
}

// A program started from its own folder, and its top-level window of a caption (ASCII).
struct Program {
  PROCESS_INFORMATION p{};
  HWND window = nullptr;

  bool Start(const std::string& exe) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          exe.substr(0, exe.find_last_of("\\/")).c_str(), &startup, &p) != 0;
  }
  bool Running() const { return WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT; }
  HWND Find(const std::string& caption) {
    for (HWND w = nullptr; !window && (w = FindWindowExA(nullptr, w, nullptr, caption.c_str()));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == p.dwProcessId) window = w;
    }
    return window;
  }
  // Ended as a user ends it; false when it had to be killed.
  bool End(UINT message, WPARAM wParam) {
    PostMessageA(window, message, wParam, 0);
    const bool ended = WaitForSingleObject(p.hProcess, 15000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(p.hProcess, 1);
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
    return ended;
  }
};

const std::string kWatcher = zentab::WithVersion(std::string(zentab::MainWindowDesign().caption),
                                                 ZENTAB_VERSION_MAJOR, ZENTAB_VERSION_MINOR);

void PrintResources(const char* what, const Resources& r) {
  printf("%s windows %ld gdi %ld pagefile %lld live %ld\n", what, r.windows, r.gdi, r.pagefile,
         r.live);
}

// --- ready -------------------------------------------------------------------------------------

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the program and asks it, every millisecond, a question it answers only once its
// start-up is done: the floor its ready query, zentab.exe the length of its watch list (10, the
// first scan's windows). Its memory a second later; then it is ended as a user ends it.
double StartOnce(const std::string& exe, bool floor, Resources& r) {
  Program program;
  const double started = Now();
  if (!program.Start(exe)) return -1;
  double ready = -1;
  for (DWORD_PTR answer = 0; ready < 0 && program.Running(); Sleep(1)) {
    if (program.Find(floor ? "Zentab floor" : kWatcher) &&
        (floor ? Ask(program.window, WM_APP, 0, &answer) && answer == 1
               : Ask(GetDlgItem(program.window, WatchLst.id), LB_GETCOUNT, 0, &answer) &&
                     answer == 10)) {
      ready = Now() - started;
    }
  }
  if (ready >= 0) {
    Sleep(1000);
    r = Measure(program.p);
  }
  return program.End(floor ? WM_CLOSE : WM_COMMAND, floor ? 0 : CmdExit.id) ? ready : -1;
}

int Ready(int runs, const std::string& floorExe, const std::string& zentabExe) {
  const char* names[2] = {"floor", "zentab"};
  std::vector<double> figures[2][2];  // ready, pagefile
  for (int run = 0; run < runs * 2; ++run) {
    const int which = (run + run / 2) % 2;  // each goes first every other pair
    Resources r;
    const std::string& exe = which == 0 ? floorExe : zentabExe;
    const bool floor = !exe.ends_with("\\zentab.exe");
    const double ready = StartOnce(exe, floor, r);
    if (ready < 0) return printf("FAIL %s did not start and end\n", names[which]), 1;
    printf("run %d %s ready %.1f ms", run / 2 + 1, names[which], ready);
    PrintResources("", r);
    figures[which][0].push_back(ready);
    figures[which][1].push_back(static_cast<double>(r.pagefile));
  }
  for (int which = 0; which < 2; ++which) {
    auto& f = figures[which];
    for (auto& figure : f) std::sort(figure.begin(), figure.end());
    printf("%s: ready min %.1f ms median %.1f ms; pagefile min %.0f median %.0f\n", names[which],
           f[0][0], f[0][runs / 2], f[1][0], f[1][runs / 2]);
  }
  return 0;
}

// --- tabs --------------------------------------------------------------------------------------

std::string TabsSnapshot(int tabs) {
  std::string json = R"({"type":"tabs","browser":"chrome","windows":[{"id":1,"tabs":[)";
  for (int t = 0; t < tabs; ++t) {
    const std::string n = std::to_string(t);
    json += (t ? "," : "") + std::string(R"({"id":)") + n + R"(,"title":"タブ )" + n +
            R"( - 今日の話題","url":"https://news.example.jp/articles/)" + n + R"(/index.html"})";
  }
  return json + "]}]}";
}

int Tabs(const std::string& zentabExe, const std::string& hostExe, int tabs) {
  Program zentab;
  if (!zentab.Start(zentabExe)) return printf("FAIL zentab.exe did not start\n"), 1;
  for (int i = 0; i < 1000 && !zentab.Find(kWatcher) && zentab.Running(); ++i) Sleep(10);
  if (!zentab.window) return zentab.End(0, 0), printf("FAIL no main window\n"), 1;
  // The host on pipes, as a browser starts it; the meter keeps its input open.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE input = nullptr, toHost = nullptr, fromHost = nullptr, output = nullptr;
  CreatePipe(&input, &toHost, &inherit, 0);
  CreatePipe(&fromHost, &output, &inherit, 0);
  SetHandleInformation(toHost, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(fromHost, HANDLE_FLAG_INHERIT, 0);
  std::string line = "\"" + hostExe + "\" " + std::string(zentab::kChromiumExtensionOrigin);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION host{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &host)) {
    zentab.End(WM_COMMAND, CmdExit.id);
    return printf("FAIL zentab_host.exe did not start\n"), 1;
  }
  CloseHandle(input);
  CloseHandle(output);
  Sleep(1000);  // its window up
  const std::string snapshot = TabsSnapshot(tabs);
  const auto length = static_cast<std::uint32_t>(snapshot.size());
  DWORD written = 0;
  WriteFile(toHost, &length, sizeof length, &written, nullptr);
  WriteFile(toHost, snapshot.data(), length, &written, nullptr);
  // Listed once the next scan has run; as many as the watch list takes.
  HWND watch = GetDlgItem(zentab.window, WatchLst.id);
  DWORD_PTR lines = 0;
  for (int i = 0; i < 100 && (!Ask(watch, LB_GETCOUNT, 0, &lines) || lines < 100); ++i) Sleep(100);
  Sleep(1000);
  const Resources program = Measure(zentab.p), relay = Measure(host);
  printf("tabs %d: %lu lines; zentab pagefile %lld; host pagefile %lld\n", tabs,
         static_cast<unsigned long>(lines), program.pagefile, relay.pagefile);
  printf("idle\n");
  Sleep(10000);
  printf("done\n");
  CloseHandle(toHost);  // the browser lets go: the host ends
  const bool hostEnded = WaitForSingleObject(host.hProcess, 5000) == WAIT_OBJECT_0;
  CloseHandle(fromHost);
  CloseHandle(host.hThread);
  CloseHandle(host.hProcess);
  if (!zentab.End(WM_COMMAND, CmdExit.id) || !hostEnded) return printf("FAIL not ended\n"), 1;
  return lines < 100 ? (printf("FAIL the tabs were not listed\n"), 1) : 0;
}

// --- soak --------------------------------------------------------------------------------------

// The shell's windows in turn: ten, two more opened, some closed, none, ten with new pages.
void WriteScenario(const std::string& path, long n) {
  static const int kCounts[] = {10, 12, 7, 0, 10};
  FILE* file = fopen(path.c_str(), "wb");
  for (int i = 0; file && i < kCounts[n]; ++i) {
    const int page = n == 2 ? i * 2 : i;
    fprintf(file, "%s %d - 長期試験\thttp://soak.example/%d\n", n == 4 ? "新しいページ" : "ページ",
            page, page);
  }
  if (file) fclose(file);
}

void Growth(const char* name, long long before, long long after) {
  printf(
      "growth %s %lld -> %lld (%+.2f %%)\n", name, before, after,
      before > 0 ? 100.0 * static_cast<double>(after - before) / static_cast<double>(before) : 0.0);
}

int Soak(const std::string& exe, const std::string& folder, long scans, long warmUp) {
  const std::string scenario = folder + "\\scenario.txt";
  Program program;
  WriteScenario(scenario, 0);
  if (!program.Start(exe)) return printf("FAIL zentab.exe did not start\n"), 1;
  for (int i = 0; i < 1000 && !program.Find(kWatcher) && program.Running(); ++i) Sleep(10);
  if (!program.window) return program.End(0, 0), printf("FAIL no main window\n"), 1;
  const std::string liveFile = folder + "\\live-" + std::to_string(program.p.dwProcessId) + ".txt";
  auto live = [&] {
    long count = -1;
    if (FILE* file = fopen(liveFile.c_str(), "r")) {
      if (fscanf(file, "%ld", &count) != 1) count = -1;
      fclose(file);
    }
    return count;
  };
  // A tick of the program's own scan timer, sent: it returns once the whole scan is done.
  auto scan = [&] { return Ask(program.window, WM_TIMER, WatchTmr.id); };
  // Both points see the same windows, the main window hidden and a full past log; memory is the
  // least of a few samples, the rest as last seen.
  auto settled = [&] {
    Resources s;
    WriteScenario(scenario, 0);
    if (IsWindowVisible(program.window)) Ask(program.window, WM_CLOSE, 0);
    for (int i = 0; i < 5; ++i) {
      scan();
      Sleep(200);
      const Resources r = Measure(program.p);
      s.pagefile = i == 0 ? r.pagefile : std::min(s.pagefile, r.pagefile);
      s.windows = r.windows;
      s.gdi = r.gdi;
      s.live = live();
    }
    return s;
  };
  const ULONGLONG started = GetTickCount64();
  Resources warm, end;
  long reopened = 0, shown = 0;
  for (long n = 1; n <= scans; ++n) {
    if (!scan()) {
      program.End(WM_COMMAND, CmdExit.id);
      return printf("FAIL the program stopped answering at scan %ld\n", n), 1;
    }
    if (n % 5 == 0) WriteScenario(scenario, n / 5 % 5);
    if (n % 100 == 50) reopened += Ask(program.window, WM_COMMAND, TMAllZentab.id);
    // The main window is shown from the tray menu for ten scans, then closed: it hides.
    if (n % 100 == 70 && !IsWindowVisible(program.window)) {
      shown += Ask(program.window, WM_COMMAND, TMCmdVisible.id);
    }
    if (n % 100 == 80) Ask(program.window, WM_CLOSE, 0);
    if (n == warmUp || n == scans) {
      (n == warmUp ? warm : end) = settled();
      const std::string what =
          (n == warmUp ? "warm-up after " : "end after ") + std::to_string(n) + " scans:";
      PrintResources(what.c_str(), n == warmUp ? warm : end);
    }
  }
  printf("scans %ld in %.1f s; every page reopened %ld times; main window shown %ld times\n", scans,
         static_cast<double>(GetTickCount64() - started) / 1000, reopened, shown);
  Growth("windows", warm.windows, end.windows);
  Growth("gdi", warm.gdi, end.gdi);
  Growth("pagefile", warm.pagefile, end.pagefile);
  Growth("live", warm.live, end.live);
  if (!program.End(WM_COMMAND, CmdExit.id)) return printf("FAIL zentab.exe did not end\n"), 1;
  printf("live objects after exit %ld\n", live());
  if (warm.gdi < 0 || end.gdi < 0 || warm.live < 0) return printf("FAIL a figure unread\n"), 1;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);  // every line out at once, should the meter be stopped
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "ready" && argc == 5 && atoi(argv[2]) > 0) {
    return Ready(atoi(argv[2]), argv[3], argv[4]);
  }
  if (command == "tabs" && argc == 5 && atoi(argv[4]) > 0) {
    return Tabs(argv[2], argv[3], atoi(argv[4]));
  }
  if (command == "soak" && argc == 6 && atol(argv[5]) > 0 && atol(argv[4]) > atol(argv[5])) {
    return Soak(argv[2], argv[3], atol(argv[4]), atol(argv[5]));
  }
  printf(
      "zentab_meter ready <runs> <floor.exe> <zentab.exe> |"
      " tabs <zentab.exe> <zentab_host.exe> <tabs> |"
      " soak <zentab.exe> <stand-in folder> <scans> <warm-up scans>\n");
  return 64;
}
