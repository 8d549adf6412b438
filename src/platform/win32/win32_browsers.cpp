// The browsers' side of the shell services: the hosts browsers start for Zentab's extension, the
// link they hand their messages to, and the registry keys that name the hosts to the browsers.
#include "platform/scope_guard.h"
#include "platform/win32/browser_relay.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_browser_link.h"
#include "platform/win32/win32_shell.h"

namespace zentab {
namespace {

// The longest a message to a host may wait: a host that hangs must not hang the program.
constexpr UINT kHostTimeoutMs = 2000;

}  // namespace

std::vector<std::uintptr_t> Win32Shell::BrowserHosts() {
  std::vector<std::uintptr_t> hosts;
  for (HWND host = nullptr;
       (host = FindWindowExW(HWND_MESSAGE, host, kBrowserHostClass, nullptr));) {
    hosts.push_back(reinterpret_cast<std::uintptr_t>(host));
  }
  return hosts;
}

// A window of another class may have taken the handle of a host that has ended.
bool Win32Shell::IsBrowserHostRunning(std::uintptr_t host) {
  wchar_t name[64] = L"";
  return GetClassNameW(reinterpret_cast<HWND>(host), name, 64) > 0 &&
         lstrcmpW(name, kBrowserHostClass) == 0;
}

bool Win32Shell::SendToBrowserHost(std::uintptr_t host, const std::string& message) {
  if (!IsBrowserHostRunning(host) || message.size() > MAXDWORD) return false;
  COPYDATASTRUCT data{kToBrowser, static_cast<DWORD>(message.size()),
                      const_cast<char*>(message.data())};
  DWORD_PTR taken = FALSE;
  return SendMessageTimeoutW(reinterpret_cast<HWND>(host), WM_COPYDATA, 0,
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kHostTimeoutMs,
                             &taken) != 0 &&
         taken == TRUE;
}

void Win32Shell::CloseBrowserHost(std::uintptr_t host) {
  if (IsBrowserHostRunning(host)) PostMessageW(reinterpret_cast<HWND>(host), WM_CLOSE, 0, 0);
}

std::optional<std::string> Win32Shell::UserRegistryValue(const std::string& key) {
  const std::wstring path = Widen(key);
  DWORD size = 0;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                                nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  for (int tries = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++tries) {
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                          value.data(), &size);
    if (status == ERROR_SUCCESS) return Narrow(value.c_str());
    if (tries == 3) break;  // it keeps growing under our hands
  }
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  throw ShellFailure("RegGetValueW failed for ", key);
}

bool Win32Shell::SetUserRegistryValue(const std::string& key, const std::string& value) {
  const std::wstring text = Widen(value);
  return RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key).c_str(), nullptr, REG_SZ, text.c_str(),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32Shell::RemoveUserRegistryKey(const std::string& key) {
  const LSTATUS status = RegDeleteKeyW(HKEY_CURRENT_USER, Widen(key).c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

Win32BrowserLink::Win32BrowserLink(HINSTANCE instance, Message message, Closing closing)
    : message_(std::move(message)), closing_(std::move(closing)) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kBrowserLinkClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw ShellFailure("RegisterClassExW failed for the browsers' link");
  }
  window_ = CreateWindowExW(0, kBrowserLinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            instance, this);
  if (!window_) throw ShellFailure("CreateWindowExW failed for the browsers' link");
}

Win32BrowserLink::~Win32BrowserLink() {
  DestroyWindow(window_);
}

LRESULT CALLBACK Win32BrowserLink::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* link = reinterpret_cast<Win32BrowserLink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && link && lParam) {
    try {
      return link->OnCopyData(reinterpret_cast<HWND>(wParam),
                              *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    } catch (...) {
      return FALSE;  // a host's message never takes the program down
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32BrowserLink::OnCopyData(HWND host, const COPYDATASTRUCT& data) {
  const auto from = reinterpret_cast<std::uintptr_t>(host);
  if (data.dwData == kHostClosing) {
    closing_(from);
    return TRUE;
  }
  if (data.dwData != kFromBrowser || data.cbData > kBrowserMessageLimit ||
      (data.cbData > 0 && !data.lpData)) {
    return FALSE;
  }
  message_(from, std::string_view(static_cast<const char*>(data.lpData), data.cbData));
  return TRUE;
}

}  // namespace zentab
