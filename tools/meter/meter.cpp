// Measures zentab.exe from outside under Wine, for tests/wine/soak.sh. Answers on stdout, UTF-8.
//   lines <WatchLst|PastLst>              the main window's list, control characters escaped
//   resources                             the running program's windows, GDI objects, memory
//   soak <doubles folder> <scans> <warm-up scans>
//       a long run: windows open and close, pages are reopened and the options confirmed
//       between scans; resources after the warm-up and at the end
//   ready <runs> <floor.exe> <zentab.exe>
//       start-up until each answers, and private memory after it, the two programs in turn
// Exit codes: 0 done, 1 the program misbehaved or is gone, 64 wrong usage.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_design.h"
#include "options/options_design.h"
#include "platform/version.h"
#include "process_view.h"

namespace {

using meter::Print;
using meter::Widen;

constexpr wchar_t kFormClass[] = L"Zentab.Form";

std::wstring Caption(const zentab::FormDesign& design) {
  return Widen(
      zentab::WithVersion(std::string(design.caption), ZENTAB_VERSION_MAJOR, ZENTAB_VERSION_MINOR));
}

int CommandId(std::string_view name) {
  for (const zentab::MenuDesign& item : zentab::MainWindowDesign().menus) {
    if (item.name == name) return item.id;
  }
  return 0;
}

// The program's main window, whichever process shows it.
HWND FindWatcher(double seconds) {
  const std::wstring caption = Caption(zentab::MainWindowDesign());
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (HWND window = FindWindowW(kFormClass, caption.c_str())) return window;
    if (GetTickCount64() >= until) return nullptr;
    Sleep(20);
  }
}

struct Program {
  HWND watcher = nullptr;
  DWORD pid = 0;
  HANDLE process = nullptr;
};

bool OpenProgram(Program& program) {
  program.watcher = FindWatcher(10);
  if (!program.watcher) return false;
  GetWindowThreadProcessId(program.watcher, &program.pid);
  program.process =
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, program.pid);
  return program.process != nullptr;
}

std::wstring Number(long long n) {
  return std::to_wstring(n);
}

std::wstring Describe(const meter::Resources& r) {
  return L"windows " + Number(r.windows) + L" gdi " + Number(r.gdiObjects) + L" pagefile " +
         Number(r.pagefile) + L" private_dirty " + Number(r.privateDirty);
}

// --- The doubles' tally of one process (see tests/wine/doubles/tally.h). ----------------------

class Tally {
 public:
  Tally(const std::wstring& folder, DWORD pid) {
    const std::wstring path = folder + L"\\objects-" + std::to_wstring(pid) + L".txt";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);
    if (!mapping) return;
    view_ = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    CloseHandle(mapping);
  }
  ~Tally() {
    if (view_) UnmapViewOfFile(view_);
  }
  Tally(const Tally&) = delete;
  Tally& operator=(const Tally&) = delete;

  explicit operator bool() const { return view_ != nullptr; }
  long Objects() const { return Line(0); }
  long References() const { return Line(1); }
  long Counts() const { return Line(3); }

 private:
  // Lines of 24 bytes, the number behind an 11-character label.
  long Line(int n) const { return std::strtol(view_ + n * 24 + 11, nullptr, 10); }

  const char* view_ = nullptr;
};

// --- soak --------------------------------------------------------------------------------------

// Shell windows in turn: the same ten, two more opened, some closed, none, ten with new pages.
std::string SoakScenario(int n) {
  static const int kCounts[] = {10, 12, 7, 0, 10};
  std::string text;
  for (int i = 0; i < kCounts[n]; ++i) {
    const int page = n == 2 ? i * 2 : i;
    text += (n == 4 ? "新しいページ " : "ページ ") + std::to_string(page) +
            " - 長期試験\thttp://soak.example/" + std::to_string(page) + "\n";
  }
  return text;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  CloseHandle(file);
  return ok;
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
  return static_cast<LRESULT>(result);
}

class Soak {
 public:
  Soak(Program& program, Tally& tally, std::wstring folder)
      : program_(program), tally_(tally), folder_(std::move(folder)) {}

  int Run(long scans, long warmUp) {
    const ULONGLONG started = GetTickCount64();
    WriteWholeFile(folder_ + L"\\scenario.txt", SoakScenario(0));
    const long first = tally_.Counts();
    meter::Resources warm;
    long warmObjects = 0;
    long warmReferences = 0;
    for (long scan = 1; scan <= scans; ++scan) {
      if (!AwaitScan(first + scan)) return 1;
      const long inCycle = scan % kCycle;
      if (scan % 5 == 0) {
        WriteWholeFile(folder_ + L"\\scenario.txt", SoakScenario(static_cast<int>(scan / 5 % 5)));
      }
      if (inCycle == kCycle / 5) {
        PostMessageW(program_.watcher, WM_COMMAND, CommandId("TMAllZentab"), 0);
        ++reopens_;
      }
      if ((inCycle == 2 * kCycle / 5 || inCycle == 4 * kCycle / 5) && !ConfirmOptions(inCycle)) {
        return 1;
      }
      if (scan == warmUp || scan == scans) {
        // Both points see the same windows, options and a full past log.
        long objects = 0;
        long references = 0;
        const meter::Resources now = Settled(objects, references);
        Print((scan == warmUp ? L"warm-up after " : L"end after ") + Number(scan) + L" scans: " +
              Describe(now) + L" objects " + Number(objects) + L" references " +
              Number(references));
        if (scan == warmUp) {
          warm = now;
          warmObjects = objects;
          warmReferences = references;
        } else {
          Report(warm, now, warmObjects, warmReferences, objects, references);
        }
      }
    }
    Print(L"scans " + Number(tally_.Counts() - first) + L" in " +
          Number(static_cast<long long>((GetTickCount64() - started) / 1000)) + L" s; reopen-all " +
          Number(reopens_) + L" times, options confirmed " + Number(confirmed_) +
          L" times; ticks posted by the soak " + Number(posted_));
    return 0;
  }

 private:
  static constexpr long kCycle = 500;

  // The options dialog writes the interval in whole seconds: once it has, a tick of the
  // program's own timer is posted whenever 20 ms pass without a scan.
  bool AwaitScan(long count) {
    ULONGLONG last = GetTickCount64();
    const ULONGLONG deadline = last + 20000;
    while (tally_.Counts() < count) {
      const ULONGLONG now = GetTickCount64();
      if (!IsWindow(program_.watcher) || now > deadline) {
        Print(L"FAIL the program stopped scanning at scan " + Number(tally_.Counts()));
        return false;
      }
      if (confirmed_ > 0 && now - last >= 20) {
        PostMessageW(program_.watcher, WM_TIMER, zentab::main_window::WatchTmr.id, 0);
        ++posted_;
        last = now;
      }
      Sleep(1);
    }
    return true;
  }

  // Opens the options dialog, changes the check mode and the past log's use (one way in the
  // first half of a cycle, back in the second) and presses OK.
  bool ConfirmOptions(long inCycle) {
    const bool there = inCycle < kCycle / 2;
    PostMessageW(program_.watcher, WM_COMMAND, CommandId("CmdShowOption"), 0);
    const std::wstring caption = Caption(zentab::OptionsDesign());
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && !dialog; ++i) {
      dialog = meter::FindTopLevel(program_.pid, kFormClass, caption.c_str(), true);
      if (!dialog) Sleep(10);
    }
    if (!dialog) {
      Print(L"FAIL the options dialog did not open");
      return false;
    }
    // Shown as a user sees it: painted, so that what its first painting creates is there
    // before the warm-up ends, not at some later confirmation.
    Sleep(150);
    using namespace zentab;
    SendBounded(GetDlgItem(dialog, there ? zentab::options_dialog::IsChkModeOp0.id
                                         : zentab::options_dialog::IsChkModeOp2.id),
                BM_CLICK, 0, 0);
    SendBounded(GetDlgItem(dialog, there ? zentab::options_dialog::IsUsePastLogOp1.id
                                         : zentab::options_dialog::IsUsePastLogOp0.id),
                BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(dialog, zentab::options_dialog::cmdOK.id), BM_CLICK, 0, 0);
    for (int i = 0; i < 500 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(10);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
      Print(L"FAIL the options dialog did not close on OK");
      return false;
    }
    ++confirmed_;
    return true;
  }

  // The least of a few samples while scans go on: a scan in progress holds memory and a browser
  // object for a moment.
  meter::Resources Settled(long& objects, long& references) {
    meter::Resources best;
    for (int i = 0; i < 5; ++i) {
      Sleep(100);
      const meter::Resources r = meter::Measure(program_.process, program_.pid);
      if (i == 0 || r.privateDirty < best.privateDirty) best.privateDirty = r.privateDirty;
      if (i == 0 || r.pagefile < best.pagefile) best.pagefile = r.pagefile;
      best.windows = r.windows;
      best.gdiObjects = r.gdiObjects;
      if (i == 0 || tally_.Objects() < objects) objects = tally_.Objects();
      if (i == 0 || tally_.References() < references) references = tally_.References();
    }
    return best;
  }

  static std::wstring Growth(const wchar_t* name, long long before, long long after) {
    const double percent =
        before > 0 ? 100.0 * static_cast<double>(after - before) / static_cast<double>(before)
                   : 0.0;
    wchar_t text[160];
    swprintf(text, 160, L"%ls %lld -> %lld (%+.2f %%)", name, before, after, percent);
    return text;
  }

  void Report(const meter::Resources& a, const meter::Resources& b, long objectsBefore,
              long referencesBefore, long objects, long references) {
    Print(L"growth " + Growth(L"windows", a.windows, b.windows));
    Print(L"growth " + Growth(L"gdi", a.gdiObjects, b.gdiObjects));
    Print(L"growth " + Growth(L"pagefile", a.pagefile, b.pagefile));
    Print(L"growth " + Growth(L"private_dirty", a.privateDirty, b.privateDirty));
    Print(L"growth " + Growth(L"objects", objectsBefore, objects));
    Print(L"growth " + Growth(L"references", referencesBefore, references));
  }

  Program& program_;
  Tally& tally_;
  std::wstring folder_;
  long reopens_ = 0;
  long confirmed_ = 0;
  long posted_ = 0;
};

// --- ready -------------------------------------------------------------------------------------

struct Start {
  double readyMs = -1;
  meter::Resources resources;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Starts the program and asks it, every millisecond, a question it answers only once its
// start-up is done: the floor its ready query, zentab.exe the length of its watch list (10, the
// first scan's windows). Then its memory a second later, and it is ended as a user ends it.
Start StartOnce(const std::wstring& exe, bool floor) {
  Start result;
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER started;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return result;
  }
  const std::wstring caption = floor ? L"Zentab floor" : Caption(zentab::MainWindowDesign());
  const wchar_t* className = floor ? L"Zentab.Floor" : kFormClass;
  HWND window = nullptr;
  for (;;) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    if (!window) window = meter::FindTopLevel(process.dwProcessId, className, caption.c_str());
    if (window) {
      DWORD_PTR answer = 0;
      const bool answered =
          floor ? SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 10000, &answer) &&
                      answer == 1
                : SendMessageTimeoutW(GetDlgItem(window, zentab::main_window::WatchLst.id),
                                      LB_GETCOUNT, 0, 0, SMTO_NORMAL, 10000, &answer) &&
                      answer == 10;
      if (answered) {
        LARGE_INTEGER ready;
        QueryPerformanceCounter(&ready);
        result.readyMs = Milliseconds(started, ready);
        break;
      }
    }
    Sleep(1);
  }
  if (result.readyMs >= 0) {
    Sleep(1000);
    result.resources = meter::Measure(process.hProcess, process.dwProcessId);
    if (floor) {
      PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
      PostMessageW(window, WM_COMMAND, CommandId("CmdExit"), 0);
    }
  }
  if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    result.readyMs = -1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

int Ready(int runs, const std::wstring& floorExe, const std::wstring& zentabExe) {
  std::vector<double> ready[2];
  std::vector<double> dirty[2];
  std::vector<double> pagefile[2];
  const wchar_t* names[2] = {L"floor", L"zentab"};
  for (int run = 0; run < runs; ++run) {
    for (int turn = 0; turn < 2; ++turn) {
      const int which = (run + turn) % 2;  // each goes first every other run
      const Start start = StartOnce(which == 0 ? floorExe : zentabExe, which == 0);
      if (start.readyMs < 0) {
        Print(L"FAIL " + std::wstring(names[which]) + L" did not start and end");
        return 1;
      }
      wchar_t line[200];
      swprintf(line, 200, L"run %d %ls ready %.1f ms ", run + 1, names[which], start.readyMs);
      Print(line + Describe(start.resources));
      ready[which].push_back(start.readyMs);
      dirty[which].push_back(static_cast<double>(start.resources.privateDirty));
      pagefile[which].push_back(static_cast<double>(start.resources.pagefile));
    }
  }
  auto least = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
  wchar_t line[300];
  for (int which = 0; which < 2; ++which) {
    swprintf(line, 300,
             L"%ls: ready min %.1f ms median %.1f ms; private_dirty min %.0f median %.0f;"
             L" pagefile min %.0f median %.0f",
             names[which], least(ready[which]), Median(ready[which]), least(dirty[which]),
             Median(dirty[which]), least(pagefile[which]), Median(pagefile[which]));
    Print(line);
  }
  swprintf(line, 300, L"ratio ready %.3f private_dirty %.3f pagefile %.3f",
           least(ready[1]) / least(ready[0]), least(dirty[1]) / least(dirty[0]),
           least(pagefile[1]) / least(pagefile[0]));
  Print(line);
  return 0;
}

int Usage() {
  Print(
      L"zentab_meter lines <WatchLst|PastLst> | resources | soak <folder> <scans> <warm-up> |"
      L" ready <runs> <floor.exe> <zentab.exe>");
  return 64;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"ready" && argc == 5) return Ready(_wtoi(argv[2]), argv[3], argv[4]);
  Program program;
  if (!OpenProgram(program)) {
    Print(L"no Watcher window");
    return 1;
  }
  if (command == L"lines" && argc == 3) {
    const int id = std::wstring(argv[2]) == L"PastLst" ? zentab::main_window::PastLst.id
                                                       : zentab::main_window::WatchLst.id;
    for (const std::wstring& line : meter::EscapedLines(GetDlgItem(program.watcher, id))) {
      Print(line);
    }
    return 0;
  }
  if (command == L"resources") {
    Print(Describe(meter::Measure(program.process, program.pid)));
    return 0;
  }
  if (command == L"soak" && argc == 5) {
    Tally tally(argv[2], program.pid);
    if (!tally) {
      Print(L"FAIL no tally of the doubles for process " + Number(program.pid));
      return 1;
    }
    Soak soak(program, tally, argv[2]);
    return soak.Run(_wtol(argv[3]), _wtol(argv[4]));
  }
  return Usage();
}
