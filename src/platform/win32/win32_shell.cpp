#include "platform/win32/win32_shell.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/version.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/utf.h"

namespace zentab {
namespace {

static_assert(NOTIFYICONDATAA_V1_SIZE == kNotifyIconDataV1Size);

constexpr wchar_t kInstanceMutex[] = L"Local\\Zentab.Watcher.SingleInstance";

// The two classes we create, declared here: libuuid would bring its whole table of the SDK's ids.
constexpr CLSID kShellWindowsClass{
    0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
constexpr CLSID kInternetExplorerClass{
    0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// "0x80004005": the printf family would bring its whole formatter for this one number.
std::string HexCode(HRESULT result) {
  std::string text = "0x00000000";
  auto bits = static_cast<std::uint32_t>(result);
  for (auto digit = text.rbegin(); bits != 0; ++digit, bits >>= 4) {
    *digit = "0123456789ABCDEF"[bits & 0xF];
  }
  return text;
}

void Check(HRESULT result, const char* call) {
  if (FAILED(result)) throw ShellFailure(call, " failed: " + HexCode(result));
}

class Bstr {
 public:
  Bstr() = default;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }
  BSTR* Put() { return &text_; }
  std::string Utf8() const { return Narrow(std::wstring_view(text_, SysStringLen(text_))); }

 private:
  BSTR text_ = nullptr;
};

// The address is the only argument; the four optional ones go as real empty variants, which a
// browser in another process needs.
void Navigate(IWebBrowser2& browser, const std::string& address) {
  const std::wstring wide = Widen(address);
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!url.bstrVal) throw ShellFailure("SysAllocStringLen failed");
  VARIANT absent[4];
  for (VARIANT& each : absent) VariantInit(&each);
  const HRESULT result = browser.Navigate2(&url, &absent[0], &absent[1], &absent[2], &absent[3]);
  VariantClear(&url);
  Check(result, "IWebBrowser2::Navigate2");
}

class ComBrowserWindow final : public BrowserWindow {
 public:
  explicit ComBrowserWindow(ComPtr<IWebBrowser2> browser) : browser_(std::move(browser)) {}
  std::string LocationURL() override {
    Bstr url;
    Check(browser_->get_LocationURL(url.Put()), "IWebBrowser2::get_LocationURL");
    return url.Utf8();
  }
  std::string LocationName() override {
    Bstr name;
    Check(browser_->get_LocationName(name.Put()), "IWebBrowser2::get_LocationName");
    return name.Utf8();
  }
  void Navigate2(const std::string& address) override { Navigate(*browser_, address); }

 private:
  ComPtr<IWebBrowser2> browser_;
};

bool HasScheme(const std::string& address, const char* scheme) {
  return StrCmpNIA(address.c_str(), scheme, lstrlenA(scheme)) == 0;
}

void ShellRun(const wchar_t* verb, const std::wstring& target) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, verb, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) throw ShellFailure("ShellExecuteW failed: " + std::to_string(result));
}

}  // namespace

// A web page goes to the default browser, a folder to a new Explorer window. Nothing else is
// opened, so that no program or document behind a file address is ever run.
void Win32Shell::OpenWithShell(const std::string& address) {
  if (HasScheme(address, "http://") || HasScheme(address, "https://")) {
    ShellRun(L"open", Widen(address));
    return;
  }
  if (!HasScheme(address, "file://")) throw ShellFailure("no browser to open ", address);
  std::wstring path(32768, L'\0');
  auto size = static_cast<DWORD>(path.size());
  Check(PathCreateFromUrlW(Widen(address).c_str(), path.data(), &size, 0), "PathCreateFromUrlW");
  path.resize(size);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw ShellFailure("not a folder: ", address);
  }
  ShellRun(L"explore", path);
}

namespace {

NOTIFYICONDATAA ToNotifyIconData(const TrayIconData& data) {
  NOTIFYICONDATAA native{};
  native.cbSize = data.cbSize;
  native.hWnd = reinterpret_cast<HWND>(data.hWnd);
  native.uID = data.uID;
  native.uFlags = data.uFlags;
  native.uCallbackMessage = data.uCallbackMessage;
  native.hIcon = reinterpret_cast<HICON>(data.hIcon);
  std::copy(data.szTip.begin(), data.szTip.end(), native.szTip);
  return native;
}

}  // namespace

Win32Shell::Win32Shell(std::function<void()> closeWindows)
    : closeWindows_(std::move(closeWindows)) {}

Win32Shell::~Win32Shell() {
  if (instanceMutex_) CloseHandle(instanceMutex_);
}

// Created on first use and kept.
IShellWindows& Win32Shell::ShellWindows() {
  if (!shellWindows_) {
    Check(CoCreateInstance(kShellWindowsClass, nullptr, CLSCTX_ALL,
                           IID_PPV_ARGS(shellWindows_.Put())),
          "CoCreateInstance(ShellWindows)");
  }
  return *shellWindows_;
}

int Win32Shell::ShellWindowsCount() {
  long count = 0;
  Check(ShellWindows().get_Count(&count), "IShellWindows::get_Count");
  return static_cast<int>(count);
}

std::shared_ptr<BrowserWindow> Win32Shell::ShellWindowsItem(std::int16_t position) {
  VARIANT index;
  VariantInit(&index);
  index.vt = VT_I2;
  index.iVal = position;
  ComPtr<IDispatch> window;
  const HRESULT result = ShellWindows().Item(index, window.Put());
  Check(result, "IShellWindows::Item");
  if (result == S_FALSE || !window) return nullptr;  // past the end
  ComPtr<IWebBrowser2> browser;
  Check(window->QueryInterface(IID_PPV_ARGS(browser.Put())), "QueryInterface(IWebBrowser2)");
  return std::make_shared<ComBrowserWindow>(std::move(browser));
}

void Win32Shell::OpenNewBrowserWindow(const std::string& address) {
  ComPtr<IWebBrowser2> browser;
  if (FAILED(CoCreateInstance(kInternetExplorerClass, nullptr, CLSCTX_ALL,
                              IID_PPV_ARGS(browser.Put())))) {
    OpenWithShell(address);
    return;
  }
  Navigate(*browser, address);
  Check(browser->put_Visible(VARIANT_TRUE), "IWebBrowser2::put_Visible");
}

// A refused icon is no failure: the program runs on without one (and tries again when the
// taskbar comes back).
void Win32Shell::TrayAdd(const TrayIconData& data) {
  NOTIFYICONDATAA native = ToNotifyIconData(data);
  Shell_NotifyIconA(NIM_ADD, &native);
}

// A shell that shows no balloons shows none: the notice is not worth more than that.
void Win32Shell::TrayBalloon(const TrayIconData& data, const std::string& title,
                             const std::string& text) {
  NOTIFYICONDATAW balloon{};
  balloon.cbSize = sizeof balloon;
  balloon.hWnd = reinterpret_cast<HWND>(data.hWnd);
  balloon.uID = data.uID;
  balloon.uFlags = NIF_INFO;
  balloon.dwInfoFlags = NIIF_WARNING;
  lstrcpynW(balloon.szInfo, Widen(text).c_str(), static_cast<int>(std::size(balloon.szInfo)));
  lstrcpynW(balloon.szInfoTitle, Widen(title).c_str(),
            static_cast<int>(std::size(balloon.szInfoTitle)));
  Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

// The program ends all the same when the removal fails.
void Win32Shell::TrayDelete(const TrayIconData& data) {
  NOTIFYICONDATAA native = ToNotifyIconData(data);
  Shell_NotifyIconA(NIM_DELETE, &native);
}

void Win32Shell::ShellOpen(std::uintptr_t owner, const std::string& operation,
                           const std::string& file, const std::string& parameters,
                           const std::string& directory, int showCommand) {
  // The shell reports its own failures to the user; its result is not looked at.
  ShellExecuteW(reinterpret_cast<HWND>(owner), Widen(operation).c_str(), Widen(file).c_str(),
                parameters.empty() ? nullptr : Widen(parameters).c_str(),
                directory.empty() ? nullptr : Widen(directory).c_str(), showCommand);
}

void Win32Shell::StartProgram(const std::string& commandLine) {
  std::wstring line = Widen(commandLine);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    throw ShellFailure("CreateProcessW failed");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

namespace {

// wininet, which only the vote's request needs: loaded with the first request and kept, so that
// no start of the program pays for it and for the socket library it brings.
struct WinInet {
  template <class Function>
  static Function Get(HMODULE module, const char* name) {
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
  }
  bool Loaded() const { return open && setOption && openUrl && readFile && closeHandle; }

  HMODULE module = LoadLibraryW(L"wininet.dll");
  decltype(&InternetOpenW) open = Get<decltype(open)>(module, "InternetOpenW");
  decltype(&InternetSetOptionW) setOption = Get<decltype(setOption)>(module, "InternetSetOptionW");
  decltype(&InternetOpenUrlW) openUrl = Get<decltype(openUrl)>(module, "InternetOpenUrlW");
  decltype(&InternetReadFile) readFile = Get<decltype(readFile)>(module, "InternetReadFile");
  decltype(&InternetCloseHandle) closeHandle =
      Get<decltype(closeHandle)>(module, "InternetCloseHandle");
};

// Reads the answer and throws it away; the worker never touches a window.
DWORD WINAPI Fetch(void* parameter) {
  const std::unique_ptr<std::wstring> address(static_cast<std::wstring*>(parameter));
  static const WinInet net;
  if (!net.Loaded()) return 1;
  HINTERNET session = net.open(L"Zentab", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) return 1;
  DWORD timeout = 30000;
  net.setOption(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  net.setOption(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
  HINTERNET request = net.openUrl(session, address->c_str(), nullptr, 0,
                                  INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                      INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES,
                                  0);
  if (request) {
    char buffer[4096];
    DWORD got = 0;
    // At most a megabyte: nothing of it is used.
    for (int chunks = 0;
         chunks < 256 && net.readFile(request, buffer, sizeof buffer, &got) && got > 0; ++chunks) {
    }
    net.closeHandle(request);
  }
  net.closeHandle(session);
  return 0;
}

}  // namespace

void Win32Shell::FetchInBackground(const std::string& address) {
  auto parameter = std::make_unique<std::wstring>(Widen(address));
  HANDLE worker = CreateThread(nullptr, 0, Fetch, parameter.get(), 0, nullptr);
  if (!worker) throw ShellFailure("CreateThread failed");
  parameter.release();  // the worker owns it now
  CloseHandle(worker);
}

void Win32Shell::Sleep(int milliseconds) {
  ::Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
}

// Modal to the program's active window (a dialog asking before it acts), or to all of its windows
// when none is active, so that nothing else of the program takes input behind the box.
int Win32Shell::MsgBox(const std::string& text, const std::string& caption, unsigned style) {
  HWND owner = GetActiveWindow();
  if (!owner) style |= MB_TASKMODAL;
  const int answer = MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), style);
  if (!answer) throw ShellFailure("MessageBoxW failed");
  return answer;
}

// The mutex stays open for the life of the process; it is what a second start finds.
bool Win32Shell::IsAnotherInstanceRunning() {
  if (!instanceMutex_) {
    instanceMutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutex);
    if (!instanceMutex_) throw ShellFailure("CreateMutexW failed");
    anotherInstance_ = GetLastError() == ERROR_ALREADY_EXISTS;
  }
  return anotherInstance_;
}

std::string Win32Shell::ExePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) throw ShellFailure("GetModuleFileNameW failed");
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);  // cut short: a long path
  }
}

std::string Win32Shell::ExeFolder() {
  std::string path = ExePath();
  const size_t slash = path.rfind('\\');
  if (slash == std::string::npos) throw ShellFailure("no folder in the program's path");
  path.resize(slash);
  if (!path.empty() && path.back() == ':') path += '\\';  // a drive root keeps its separator
  return path;
}

int Win32Shell::VersionMajor() {
  return ZENTAB_VERSION_MAJOR;
}

int Win32Shell::VersionMinor() {
  return ZENTAB_VERSION_MINOR;
}

void Win32Shell::DoEvents() {
  DispatchPendingMessages();
}

void Win32Shell::EndProgram() {
  closeWindows_();
  PostQuitMessage(0);
}

}  // namespace zentab
