// The browsers' side of the shell services on the real system, where the browsers' end-to-end
// tests cannot look: what the link refuses, and a window that is no host.
#include "platform/win32/browser_relay.h"
#include "platform/win32/win32_browser_link.h"
#include "platform/win32/win32_shell.h"
#include "win_test.h"

namespace zentab::test {
namespace {

TEST(Browsers, TheLinkTakesWhatAHostHandsOverWithinItsTagAndLimitAndNoOtherWindowIsAHost) {
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
  // A window of another class, say one that took the handle of a host that ended.
  Win32Shell shell([] {});
  const auto other = reinterpret_cast<std::uintptr_t>(found);
  EXPECT_FALSE(shell.IsBrowserHostRunning(other));
  EXPECT_FALSE(shell.SendToBrowserHost(other, R"({"type":"refresh"})"));
}

}  // namespace
}  // namespace zentab::test
