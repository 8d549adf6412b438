// zentab_host.exe: the relay between Zentab's browser extension and the running Zentab. The browser
// starts one per profile and talks to it over its standard handles (native messaging); each of its
// messages goes to Zentab's window as it is, and Zentab's messages for the browser come in through
// the host's own window. It keeps nothing that the browser's next snapshot does not bring again.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "browsers/extension_ids.h"
#include "platform/win32/browser_relay.h"

namespace zentab {
namespace {

// A Zentab that takes longer over one message loses it rather than stall the browser's stream.
constexpr UINT kZentabTimeoutMs = 5000;

HWND window;
HANDLE input;
HANDLE output;

// The arguments the extension's browser passes are ASCII.
bool Is(const wchar_t* argument, std::string_view expected) {
  for (const char c : expected) {
    if (*argument++ != static_cast<wchar_t>(c)) return false;
  }
  return *argument == L'\0';
}

// Chrome and Edge pass the extension's origin first; Firefox the manifest's path, then its id.
bool CalledByZentabsExtension(int argc, wchar_t** argv) {
  return (argc > 1 && Is(argv[1], kChromiumExtensionOrigin)) ||
         (argc > 2 && Is(argv[2], kFirefoxExtensionId));
}

// A Zentab that is not running, or does not answer in time, misses the message: nothing waits for
// it, and the browser sends a whole snapshot again when Zentab asks.
void TellZentab(std::uintptr_t kind, void* bytes, DWORD size) {
  HWND zentab = FindWindowExW(HWND_MESSAGE, nullptr, kBrowserLinkClass, nullptr);
  COPYDATASTRUCT data{kind, size, bytes};
  DWORD_PTR answer = 0;
  if (zentab) {
    SendMessageTimeoutW(zentab, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kZentabTimeoutMs,
                        &answer);
  }
}

[[noreturn]] void Leave(UINT code) {
  TellZentab(kHostClosing, nullptr, 0);
  ExitProcess(code);
}

// `size` bytes of the browser's stream into `to`, or read through and away when `to` is null;
// false once the browser has closed it.
bool Read(char* to, DWORD size) {
  char scrap[4096];
  while (size > 0) {
    DWORD got = 0;
    const DWORD part = to || size < sizeof scrap ? size : DWORD{sizeof scrap};
    if (!ReadFile(input, to ? to : scrap, part, &got, nullptr) || got == 0) return false;
    if (to) to += got;
    size -= got;
  }
  return true;
}

bool Write(const void* from, DWORD size) {
  for (auto* at = static_cast<const char*>(from); size > 0;) {
    DWORD put = 0;
    if (!WriteFile(output, at, size, &put, nullptr) || put == 0) return false;
    at += put;
    size -= put;
  }
  return true;
}

// Blocks in ReadFile while the browser is silent; returns when the browser lets go (or memory
// cannot be given back), which ends the host.
DWORD WINAPI ReadFromBrowser(void*) {
  HANDLE heap = GetProcessHeap();
  for (std::uint32_t length = 0; heap && Read(reinterpret_cast<char*>(&length), sizeof length);) {
    // A message over the limit, or one there is no memory for, is passed over whole, so that the
    // next length is read where it is.
    void* message = length <= kBrowserMessageLimit ? HeapAlloc(heap, 0, length) : nullptr;
    const bool whole = Read(static_cast<char*>(message), length);
    if (message && whole) TellZentab(kFromBrowser, message, length);
    if (!whole || (message && !HeapFree(heap, 0, message))) break;
  }
  return 0;
}

LRESULT CALLBACK HostProcedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) Leave(0);
  if (message != WM_COPYDATA) return DefWindowProcW(w, message, wParam, lParam);
  // Only this thread writes, so that one message's bytes never interleave with another's.
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  return data->dwData == kToBrowser && data->cbData <= kToBrowserLimit &&
         Write(&data->cbData, sizeof data->cbData) && Write(data->lpData, data->cbData);
}

}  // namespace
}  // namespace zentab

int wmain(int argc, wchar_t** argv) {
  using namespace zentab;
  // Anyone else is refused before a byte is read or written.
  if (!CalledByZentabsExtension(argc, argv)) return 2;
  input = GetStdHandle(STD_INPUT_HANDLE);
  output = GetStdHandle(STD_OUTPUT_HANDLE);
  WNDCLASSW type{};
  type.lpfnWndProc = HostProcedure;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = kBrowserHostClass;
  if (!input || input == INVALID_HANDLE_VALUE || !output || output == INVALID_HANDLE_VALUE ||
      !RegisterClassW(&type)) {
    return 1;
  }
  window = CreateWindowExW(0, kBrowserHostClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           type.hInstance, nullptr);
  HANDLE reader = window ? CreateThread(nullptr, 0, ReadFromBrowser, nullptr, 0, nullptr) : nullptr;
  if (!reader) return 1;
  // Zentab's messages until the browser lets go (the reader ends) or Zentab closes the window; a
  // reader blocked in ReadFile is not waited for.
  for (;;) {
    const DWORD woke = MsgWaitForMultipleObjects(1, &reader, FALSE, INFINITE, QS_ALLINPUT);
    if (woke != WAIT_OBJECT_0 + 1) Leave(woke == WAIT_OBJECT_0 ? 0 : 1);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}
