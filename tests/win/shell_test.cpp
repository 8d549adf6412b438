// The shell services on the real system: the profile functions, the program's own files and its
// start at sign-in, and the shell's windows through its stand-in.
#include "app/main_window_design.h"
#include "platform/profile_number.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_shell.h"
#include "tray/tray_icon.h"
#include "win_test.h"

namespace zentab::test {
namespace {

std::string Temp(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return folder + name;
}

std::string FileAddress(std::string path) {
  for (char& c : path) c = c == '\\' ? '/' : c;
  return "file:///" + path;
}

// What is written, code page 932 and all, is seen in the real exe's checks.
TEST(Profile, AMissingFileReadsAsEmptyAndOneThatCannotBeWrittenIsSaidToBeSoAndLeftAsItWas) {
  Win32Shell shell([] {});
  const auto read = [&](const std::string& file) {
    return ProfileNumber(shell.ReadProfileText("Option", "MaxLog", file), 50);
  };
  EXPECT_EQ(read(Temp("zentab-no-such.ini")), 50);
  const std::wstring readOnly = Environment(L"ZENTAB_READONLY") + L"\\Zentab2.ini";
  const std::string before = ReadFile(readOnly);
  EXPECT_FALSE(shell.WriteProfileText("Option", "MaxLog", "7", Narrow(readOnly)));
  EXPECT_EQ(ReadFile(readOnly), before);
  EXPECT_EQ(read(Narrow(readOnly)), 5);
}

TEST(Files, AFileIsReplacedWholeOrNotAtAllReadBackMovedAsideAndRemoved) {
  Win32Shell shell([] {});
  const std::string path = Temp("zentab-file.txt");
  shell.RemoveFile(path + ".bad");
  EXPECT_TRUE(shell.RemoveFile(path));
  EXPECT_EQ(shell.ReadWholeFile(path, 100), std::nullopt);
  ASSERT_TRUE(shell.WriteFileAtomically(path, "old"));
  ASSERT_TRUE(shell.WriteFileAtomically(path, "new\r\n"));
  EXPECT_EQ(shell.ReadWholeFile(path, 100), "new\r\n");
  EXPECT_GT(shell.ReadWholeFile(path, 2)->size(), 2u);
  EXPECT_EQ(GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(shell.WriteFileAtomically(path + ".bad", "older"));
  ASSERT_TRUE(shell.MoveFileReplacing(path, path + ".bad"));
  EXPECT_EQ(shell.ReadWholeFile(path + ".bad", 100), "new\r\n");
  EXPECT_TRUE(shell.RemoveFile(path + ".bad"));
  // A folder that cannot be written keeps what it has.
  const std::string readOnly = Narrow(Environment(L"ZENTAB_READONLY")) + "\\Zentab2.ini";
  EXPECT_FALSE(shell.WriteFileAtomically(readOnly, "x"));
  EXPECT_FALSE(shell.MoveFileReplacing(readOnly, readOnly + ".bad"));
  EXPECT_FALSE(shell.RemoveFile(readOnly));
  EXPECT_EQ(shell.ReadWholeFile(readOnly, 100), "[Option]\r\nMaxLog=5\r\n");
}

TEST(Registry, TheRunValueAndABrowsersKeyAreWrittenReadAndDeletedQuotedWithSpacesAndJapanese) {
  Win32Shell shell([] {});
  const std::string command = "\"C:\\Program Files\\ゼンタブ ツール\\zentab.exe\"";
  ASSERT_TRUE(shell.SetStartupCommand(command));
  EXPECT_EQ(RunValue(), Widen(command));
  EXPECT_EQ(shell.StartupCommand(), command);
  ASSERT_TRUE(shell.RemoveStartupCommand());
  EXPECT_EQ(shell.StartupCommand(), std::nullopt);
  EXPECT_TRUE(shell.RemoveStartupCommand());
  // Names compare as the file system compares them, and a value may ask for variables expanded.
  EXPECT_TRUE(shell.SamePath("C:\\Äpfel\\Ｚentab.exe", "c:\\äPFEL\\ｚENTAB.EXE"));
  EXPECT_FALSE(shell.SamePath("C:\\Tools\\zentab.exe", "C:\\Tools\\zentab.ex"));
  const std::wstring expandable = L"\"%TEMP%\\zentab.exe\"";
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Zentab", REG_EXPAND_SZ, expandable.c_str(),
                  static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(shell.StartupCommand(), "\"" + Narrow(Environment(L"TEMP")) + "\\zentab.exe\"");
  // A value of another type names no program.
  const DWORD number = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Zentab", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(shell.StartupCommand(), "");
  EXPECT_TRUE(shell.RemoveStartupCommand());
  // A browsers' key: its default value a plain string, as the browsers read it; removed whole.
  const std::string key = "Software\\Zentab\\zentab_host", manifest = "C:\\ゼンタブ\\a.json";
  ASSERT_TRUE(shell.SetUserRegistryValue(key, manifest));
  EXPECT_EQ(shell.UserRegistryValue(key), manifest);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, Widen(key).c_str(), nullptr,
                         RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_TRUE(shell.RemoveUserRegistryKey(key));
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, Widen(key).c_str()), ERROR_FILE_NOT_FOUND);
}

// The second instance and the tray icon are seen in the real exe's checks.
TEST(Program, ItsFolderEndsWithoutSeparatorAndAProgramThatCannotStartIsAFailure) {
  Win32Shell shell([] {});
  EXPECT_NE(shell.ExeFolder().back(), '\\');  // files beside it are folder + "\\name"
  EXPECT_THROW(shell.StartProgram("zentab-no-such-program.exe"), ShellFailure);
}

TEST(ShellWindows, WindowsAreReadAndSentOnAndNewOnesOpenShownAndEveryObjectIsReleased) {
  SetScenario({"ニュース - トップ\thttp://news.example.jp/", "😀\tfile:///C:/Work"});
  TakeCalls();
  {
    Win32Shell shell([] {});
    ASSERT_EQ(shell.ShellWindowsCount(), 2);
    auto news = shell.ShellWindowsItem(0);
    EXPECT_EQ(news->LocationName(), "ニュース - トップ");
    EXPECT_EQ(news->LocationURL(), "http://news.example.jp/");
    EXPECT_EQ(shell.ShellWindowsItem(1)->LocationName(), "😀");
    EXPECT_EQ(shell.ShellWindowsItem(2), nullptr);
    news->Navigate2("http://dest.example/");
    shell.OpenNewBrowserWindow("file:///C:/Work");
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"navigate 0 http://dest.example/", "create",
                                        "navigate new file:///C:/Work", "visible new -1"}));
    SetScenario({"A\thttp://a.example/", "!fail url 0", "!fail visible"});
    EXPECT_THROW(news->LocationURL(), ShellFailure);
    EXPECT_THROW(shell.OpenNewBrowserWindow("http://b.example/"), ShellFailure);
    SetScenario({"!fail count"});
    EXPECT_THROW(shell.ShellWindowsCount(), ShellFailure);
  }
  EXPECT_EQ(LiveObjects(GetCurrentProcessId()), "0");
}

TEST(ShellWindows, WithoutABrowserObjectOnlyWebPagesAndFoldersOpenAndNoFileRuns) {
  SetScenario({"!fail create"});
  Win32Shell shell([] {});
  const std::string program = Temp("zentab-evil.exe");
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  CopyFileA(self, program.c_str(), FALSE);
  for (const std::string& address : std::vector<std::string>{
           FileAddress(program), "javascript:alert(1)", "\\\\localhost\\C$\\zentab-evil.exe"}) {
    EXPECT_THROW(shell.OpenNewBrowserWindow(address), ShellFailure) << address;
  }
  EXPECT_NO_THROW(shell.OpenNewBrowserWindow(FileAddress(Temp(""))));
  DeleteFileA(program.c_str());
}

}  // namespace
}  // namespace zentab::test
