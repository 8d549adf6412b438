// The browsers' side of the shell services on the real system: the hosts found by their class and
// handed messages, the link that takes what hosts hand over, and the keys that name the host.
#include "platform/win32/browser_relay.h"
#include "platform/win32/win32_browser_link.h"
#include "platform/win32/win32_shell.h"
#include "win_test.h"

namespace zentab::test {
namespace {

// A host as the shell services see one: a message-only window of the hosts' class that records
// what it is handed.
struct FakeHost {
  static inline std::vector<std::string> received;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(window, message, wParam, lParam);
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    received.emplace_back(static_cast<const char*>(data.lpData), data.cbData);
    return data.dwData == kToBrowser;
  }
  FakeHost() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = kBrowserHostClass;
    RegisterClassW(&windowClass);
    window = CreateWindowW(kBrowserHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
  }
  ~FakeHost() { DestroyWindow(window); }
  HWND window;
};

TEST(Browsers, HostsAreFoundAndHandedMessagesAndWhatTheyHandOverReachesTheProgram) {
  Win32Shell shell([] {});
  {
    FakeHost host;
    const auto id = reinterpret_cast<std::uintptr_t>(host.window);
    EXPECT_EQ(shell.BrowserHosts(), std::vector<std::uintptr_t>{id});
    EXPECT_TRUE(shell.SendToBrowserHost(id, R"({"type":"refresh"})"));
    EXPECT_EQ(FakeHost::received, std::vector<std::string>{R"({"type":"refresh"})"});
    // A window of another class is no host, whatever handle it has.
    EXPECT_FALSE(shell.IsBrowserHostRunning(reinterpret_cast<std::uintptr_t>(GetDesktopWindow())));
    shell.CloseBrowserHost(id);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(host.window); }));
    EXPECT_FALSE(shell.SendToBrowserHost(id, "x"));
  }

  std::vector<std::string> handed;
  Win32BrowserLink link(
      GetModuleHandleW(nullptr),
      [&](std::uintptr_t, std::string_view message) { handed.emplace_back(message); },
      [&](std::uintptr_t host) { handed.push_back("gone " + std::to_string(host)); });
  HWND found = FindWindowExW(HWND_MESSAGE, nullptr, kBrowserLinkClass, nullptr);
  ASSERT_TRUE(found);
  const auto hand = [&](std::uintptr_t tag, const std::string& bytes) {
    COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return SendMessageW(found, WM_COPYDATA, 5, reinterpret_cast<LPARAM>(&data));
  };
  const std::string japanese = "{\"title\":\"ニュース\"}\r\n\x1A";
  EXPECT_EQ(hand(kFromBrowser, japanese), TRUE);
  EXPECT_EQ(hand(kToBrowser, "not for the program"), FALSE);
  EXPECT_EQ(hand(kFromBrowser, std::string(kBrowserMessageLimit + 1, ' ')), FALSE);
  EXPECT_EQ(hand(kHostClosing, ""), TRUE);
  EXPECT_EQ(handed, (std::vector<std::string>{japanese, "gone 5"}));
}

TEST(Browsers, TheKeysThatNameTheHostAreWrittenReadAndRemoved) {
  Win32Shell shell([] {});
  const std::string key = "Software\\Zentab Tests\\NativeMessagingHosts\\zentab_host";
  const std::string manifest = "C:\\ゼンタブ ツール\\zentab_host-chromium.json";
  EXPECT_EQ(shell.UserRegistryValue(key), std::nullopt);
  ASSERT_TRUE(shell.SetUserRegistryValue(key, manifest));
  EXPECT_EQ(shell.UserRegistryValue(key), manifest);
  ASSERT_TRUE(shell.RemoveUserRegistryKey(key));
  EXPECT_EQ(shell.UserRegistryValue(key), std::nullopt);
  EXPECT_TRUE(shell.RemoveUserRegistryKey(key));
}

}  // namespace
}  // namespace zentab::test
