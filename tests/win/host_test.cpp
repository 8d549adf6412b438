// The real zentab_host.exe between a browser and Zentab's real link: the browser played here on
// the host's standard handles, Zentab by the link, whose handing over is kept.
#include "browsers/extension_ids.h"
#include "platform/win32/browser_relay.h"
#include "platform/win32/win32_browser_link.h"
#include "platform/win32/win32_shell.h"
#include "win_test.h"

namespace zentab::test {
namespace {

using Copy = std::pair<HWND, std::string>;  // the host, its browser's bytes ("gone" at its end)

// `size` bytes that a text mode would change, with Japanese.
std::string Payload(size_t size) {
  std::string bytes;
  while (bytes.size() < size) bytes += "\x1a\r\n{\"title\":\"日本語のページ\"}";
  return bytes.substr(0, size);
}

std::string Frame(const std::string& bytes) {
  const auto length = static_cast<std::uint32_t>(bytes.size());
  return std::string(reinterpret_cast<const char*>(&length), sizeof length) + bytes;
}

// zentab_host.exe as a browser starts it.
struct Host {
  PROCESS_INFORMATION p{};
  HANDLE input = nullptr, output = nullptr;  // our ends of its standard handles

  explicit Host(const std::string& arguments) {
    std::wstring line = L"\"" + Environment(L"ZENTAB_APP") + L"\\zentab_host.exe\" ";
    line.append(arguments.begin(), arguments.end());  // ASCII
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    STARTUPINFOW its{};
    its.cb = sizeof its;
    its.dwFlags = STARTF_USESTDHANDLES;
    // Room for all it writes: its output is read once it has ended.
    EXPECT_TRUE(CreatePipe(&its.hStdInput, &input, &inherited, 0) &&
                CreatePipe(&output, &its.hStdOutput, &inherited, 4 << 20) &&
                SetHandleInformation(input, HANDLE_FLAG_INHERIT, 0) &&
                SetHandleInformation(output, HANDLE_FLAG_INHERIT, 0) &&
                CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &its, &p));
    CloseHandle(its.hStdInput);
    CloseHandle(its.hStdOutput);
  }
  ~Host() {
    TerminateProcess(p.hProcess, 1);
    for (HANDLE h : {p.hProcess, p.hThread, input, output}) CloseHandle(h);
  }
  // In pieces, as a browser may write it: half the length, half the rest, the rest.
  void Send(const std::string& bytes) {
    const std::string framed = Frame(bytes);
    const size_t cut[] = {0, 2, 3 + framed.size() / 2, framed.size()};
    for (size_t i = 0; i < 3; ++i) {
      DWORD size = static_cast<DWORD>(cut[i + 1] - cut[i]), put = 0;
      EXPECT_TRUE(::WriteFile(input, &framed[cut[i]], size, &put, nullptr) && put == size);
      Pump(0.05);
    }
  }
  // Its exit code once it has ended by itself, -1 while it runs.
  int Ended() {
    DWORD code = STILL_ACTIVE;
    PumpUntil([&] { return GetExitCodeProcess(p.hProcess, &code) && code != STILL_ACTIVE; });
    return code == STILL_ACTIVE ? -1 : static_cast<int>(code);
  }
  std::string Wrote() {
    std::string all;
    char part[65536];
    for (DWORD n; ::ReadFile(output, part, sizeof part, &n, nullptr) && n;) all.append(part, n);
    return all;
  }
};

// A running host, as Zentab finds it.
HWND HostWindow() {
  HWND w = nullptr;
  PumpUntil([&] { return (w = FindWindowExW(HWND_MESSAGE, nullptr, kBrowserHostClass, nullptr)); });
  return w;
}

TEST(Host, RelaysForZentabsExtensionOnlyByteExactlyAndEndsWhenEitherSideLetsGo) {
  const std::string origin(kChromiumExtensionOrigin), id(kFirefoxExtensionId);
  Host chromium(origin + " --parent-window=0");
  HWND relay = HostWindow();
  ASSERT_TRUE(relay);
  chromium.Send(Payload(0x0D));  // lost: Zentab does not run yet
  Pump(1);
  std::vector<Copy> received;
  Win32BrowserLink link(
      GetModuleHandleW(nullptr),
      [&](std::uintptr_t host, std::string_view bytes) {
        received.emplace_back(reinterpret_cast<HWND>(host), bytes);
      },
      [&](std::uintptr_t host) { received.emplace_back(reinterpret_cast<HWND>(host), "gone"); });
  HWND zentab = FindWindowExW(HWND_MESSAGE, nullptr, kBrowserLinkClass, nullptr);
  ASSERT_TRUE(zentab);

  // Anyone else is refused before a byte is read: its input stays open and empty.
  std::string manifest = "C:\\Zentab\\zentab_host.json ", upper = origin;
  CharUpperA(upper.data());
  for (const std::string& refused :
       {std::string(), std::string("chrome-extension://aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/"), upper,
        id, origin.substr(0, origin.size() - 1), manifest + origin, manifest + id + "x"}) {
    EXPECT_GT(Host(refused).Ended(), 0) << refused;
  }

  // Zentab's own call hands the host what goes to the browser, up to the host's limit.
  Win32Shell shell([] {});
  const auto host = reinterpret_cast<std::uintptr_t>(relay);
  const auto give = [&](const std::string& bytes) { return shell.SendToBrowserHost(host, bytes); };
  std::string toBrowser;
  for (const std::string& bytes :
       {std::string(R"({"type":"refresh"})"), Payload(0x0A0D1A), Payload(kToBrowserLimit)}) {
    EXPECT_TRUE(give(bytes));
    toBrowser += Frame(bytes);
  }
  EXPECT_FALSE(give(Payload(kToBrowserLimit + 1)));
  SuspendThread(chromium.p.hThread);  // a host that hangs is given up on
  EXPECT_FALSE(give(Payload(kToBrowserLimit + 1)));
  ResumeThread(chromium.p.hThread);
  // Neither side takes what is not meant for it, nor the link what is too long; it is no host.
  const auto hand = [&](HWND to, ULONG_PTR kind, const std::string& bytes) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return SendMessageW(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  };
  EXPECT_EQ(hand(relay, kFromBrowser, "{}") || hand(zentab, kToBrowser, "{}") ||
                hand(zentab, kFromBrowser, Payload(kBrowserMessageLimit + 1)),
            FALSE);
  EXPECT_FALSE(shell.IsBrowserHostRunning(reinterpret_cast<std::uintptr_t>(zentab)));
  shell.CloseBrowserHost(reinterpret_cast<std::uintptr_t>(zentab));  // no host: left as it is
  // Each comes well within the 5 s the host waits on Zentab: one over the limit handed over
  // instead of read through would hold the next back that long (Wine loses WM_COPYDATA >= 2 MiB).
  std::vector<Copy> expected;
  for (const size_t size :
       {size_t{0x0A}, size_t{0x0D0A}, size_t{0x1A0D0A}, kBrowserMessageLimit + 1, size_t{0x1A}}) {
    chromium.Send(Payload(size));
    if (size > kBrowserMessageLimit) continue;
    expected.emplace_back(relay, Payload(size));
    EXPECT_TRUE(PumpUntil([&] { return received.size() == expected.size(); }, 3));
  }
  shell.CloseBrowserHost(host);
  ASSERT_EQ(chromium.Ended(), 0);
  EXPECT_TRUE(chromium.Wrote() == toBrowser);
  expected.emplace_back(relay, "gone");

  Host firefox(manifest + id);
  HWND second = HostWindow();
  firefox.Send(Payload(0x1A));
  CloseHandle(firefox.input);
  firefox.input = nullptr;
  EXPECT_EQ(firefox.Ended(), 0);
  expected.emplace_back(second, Payload(0x1A));
  expected.emplace_back(second, "gone");
  EXPECT_TRUE(received == expected) << received.size() << " messages reached Zentab";
}

}  // namespace
}  // namespace zentab::test
