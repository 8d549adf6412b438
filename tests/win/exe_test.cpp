// The real zentab.exe, from outside: its parts are wired. It starts hidden and lists the shell's
// windows, refuses a second instance, saves from a dialog opened by the tray menu, keeps its icon
// when the taskbar restarts, ends by its menu and at the session's end, and leaves no object of
// the shell behind. (Killed and started again, it is tried with real browsers' tabs.)
#include <algorithm>
#include <deque>

#include "app/main_window_design.h"
#include "options/options_design.h"
#include "options/options_dialog.h"
#include "platform/win32/utf.h"
#include "settings/settings.h"
#include "tray/tray_icon.h"
#include "win_test.h"

namespace zentab::test {
namespace {

using namespace main_window;

// The shell's tray asked about the icon: NIM_MODIFY succeeds only for an icon it holds.
bool Tray(DWORD message, HWND window) {
  NOTIFYICONDATAA icon{};
  icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  icon.hWnd = window;
  icon.uID = kTrayIconId;
  return Shell_NotifyIconA(message, &icon) != FALSE;
}

// Whether a balloon from a tray icon is shown.
bool BalloonShown() {
  for (HWND tip = FindWindowW(TOOLTIPS_CLASSW, nullptr); tip;
       tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
    if (IsWindowVisible(tip) && (GetWindowLongPtrW(tip, GWL_STYLE) & TTS_BALLOON)) return true;
  }
  return false;
}

class Exe : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* file : {L"\\Zentab2.ini", L"\\Zentab2.session"})
      DeleteFileW((app + file).c_str());
    SetScenario({"ニュース - トップ\thttp://news.example.jp/", "報告書\tfile:///C:/Work"});
  }
  void TearDown() override {
    for (PROCESS_INFORMATION& p : started) {
      TerminateProcess(p.hProcess, 1);
      CloseHandle(p.hProcess);
      CloseHandle(p.hThread);
    }
  }
  PROCESS_INFORMATION& Start(const std::wstring& folder = Environment(L"ZENTAB_APP")) {
    std::wstring line = L"\"" + folder + L"\\zentab.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION& p = started.emplace_back();
    EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &p));
    return p;
  }
  bool Ended(const PROCESS_INFORMATION& p) {
    return PumpUntil([&] { return WaitForSingleObject(p.hProcess, 0) == WAIT_OBJECT_0; });
  }
  // Gone, with its icon (`receiver` its notifications) and every object of the shell it had.
  void ExpectEndedCleanly(const PROCESS_INFORMATION& p, HWND receiver) {
    EXPECT_TRUE(Ended(p));
    EXPECT_FALSE(Tray(NIM_MODIFY, receiver));
    EXPECT_EQ(LiveObjects(p.dwProcessId), "0");
  }

  const std::wstring app = Environment(L"ZENTAB_APP");
  std::deque<PROCESS_INFORMATION> started;  // references to its items stay valid
};

TEST_F(Exe, StartsHiddenWithTheShellsWindowsRefusesASecondInstanceAndEndsByTheTrayMenu) {
  const PROCESS_INFORMATION& first = Start();
  HWND main = WindowOf(first.dwProcessId, L"Zentab Ver2.0 - Watcher");
  ASSERT_TRUE(main);
  const std::vector<std::string> listed{"ID 0 : ニュース- トップ - http://news.example.jp/",
                                        "ID 1 : 報告書 - file:///C:/Work"};
  EXPECT_TRUE(PumpUntil([&] { return Lines(main, WatchLst.id) == listed; }));
  EXPECT_FALSE(IsWindowVisible(main));

  // Its message (a window captioned Zentab) waits for an answer; then it ends.
  const PROCESS_INFORMATION& second = Start();
  HWND message = WindowOf(second.dwProcessId, L"Zentab");
  ASSERT_TRUE(message);
  EXPECT_EQ(WaitForSingleObject(second.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT));
  PostMessageW(message, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(Ended(second));
  EXPECT_EQ(WaitForSingleObject(first.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

  HWND receiver = GetDlgItem(main, SysTrayPic.id);
  PostMessageW(main, WM_COMMAND, TMCmdExit.id, 0);
  ExpectEndedCleanly(first, receiver);
}

TEST_F(Exe, SavesFromTheOptionsRegistersAtSignInKeepsItsIconAndEndsWithTheSessionKeptAsItWas) {
  const PROCESS_INFORMATION& p = Start();
  HWND main = WindowOf(p.dwProcessId, L"Zentab Ver2.0 - Watcher");
  ASSERT_TRUE(main);
  PostMessageW(main, WM_COMMAND, TMCmdOption.id, 0);
  HWND options = WindowOf(p.dwProcessId, L"Zentab Ver2.0 - Options");
  ASSERT_TRUE(options);
  Ask(GetDlgItem(options, options_dialog::IsUsePastLogOp1.id), BM_CLICK, 0, 0);
  Ask(GetDlgItem(options, options_dialog::IsRunAtStartup.id), BM_CLICK, 0, 0);
  Pump(0.5);  // painted before its picture is taken
  SaveScreenshot(options, "Options-as-shown");
  PostMessageW(GetDlgItem(options, options_dialog::cmdOK.id), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(options); }));
  EXPECT_EQ(RunValue(), L"\"" + app + L"\\zentab.exe\"");
  const std::wstring warning = Widen(kSettingsWarning);
  std::string cp932(warning.size() * 2, '\0');
  cp932.resize(static_cast<size_t>(
      WideCharToMultiByte(932, 0, warning.data(), static_cast<int>(warning.size()), cp932.data(),
                          static_cast<int>(cp932.size()), nullptr, nullptr)));
  EXPECT_EQ(ReadFile(app + L"\\Zentab2.ini"),
            "[User]\r\n\x8c\x78\x8d\x90=" + cp932 +
                "\r\n[Option]\r\nChkMode=2\r\nDisabledPastLog=1\r\nMaxWatch=10\r\nMaxLog=50\r\n"
                "Interval=5000\r\nThrough=0\r\nKeepSession=1\r\n");
  EXPECT_EQ(Lines(main, PastLst.id), std::vector<std::string>{kPastLogDisabledLine});
  PostMessageW(main, WM_COMMAND, CmdShowOption.id, 0);
  options = WindowOf(p.dwProcessId, L"Zentab Ver2.0 - Options");
  Ask(GetDlgItem(options, options_dialog::IsRunAtStartup.id), BM_CLICK, 0, 0);
  PostMessageW(GetDlgItem(options, options_dialog::cmdOK.id), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return RunValue() == L"-"; }));

  HWND receiver = GetDlgItem(main, SysTrayPic.id);
  EXPECT_TRUE(Tray(NIM_MODIFY, receiver));
  Tray(NIM_DELETE, receiver);
  Ask(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Tray(NIM_MODIFY, receiver));

  // Windows closed while the session ends are not the user's choice: the session keeps them.
  EXPECT_EQ(Ask(main, WM_QUERYENDSESSION, 0, 0), TRUE);
  SetScenario({"報告書\tfile:///C:/Work"});
  Ask(main, WM_TIMER, WatchTmr.id, 0);
  EXPECT_EQ(Lines(main, WatchLst.id).size(), 1u);
  PostMessageW(main, WM_ENDSESSION, TRUE, 0);
  ExpectEndedCleanly(p, receiver);
  EXPECT_NE(ReadFile(app + L"\\Zentab2.session").find("ニュース"), std::string::npos);
  // A folder that cannot be written is reported, and the program runs on.
  const PROCESS_INFORMATION& readOnly = Start(Environment(L"ZENTAB_READONLY"));
  EXPECT_TRUE(PumpUntil(BalloonShown, 10));
  EXPECT_EQ(WaitForSingleObject(readOnly.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

}  // namespace
}  // namespace zentab::test
