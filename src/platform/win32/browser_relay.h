// How zentab.exe and zentab_host.exe, the relay a browser starts for Zentab's extension, find each
// other and what their WM_COPYDATA messages carry.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zentab {

// Message-only windows: nothing shows on screen, and each side finds the other by its class.
inline constexpr wchar_t kBrowserLinkClass[] = L"Zentab.BrowserLink";  // zentab.exe's, one
inline constexpr wchar_t kBrowserHostClass[] = L"Zentab.BrowserHost";  // one per running host

// COPYDATASTRUCT::dwData of each kind of message; wParam is the sender's window.
inline constexpr std::uintptr_t kFromBrowser = 0x5A540001;  // host to Zentab: a browser's JSON
inline constexpr std::uintptr_t kHostClosing = 0x5A540002;  // host to Zentab: the browser let go
inline constexpr std::uintptr_t kToBrowser = 0x5A540003;    // Zentab to host: JSON for the browser

// The most a browser's message may hold; the host drops longer ones, Zentab ignores them.
inline constexpr std::size_t kBrowserMessageLimit = std::size_t{8} << 20;
// The most a message for the browser may hold: Chrome refuses a host's message over 1 MB.
inline constexpr std::size_t kToBrowserLimit = std::size_t{1} << 20;

}  // namespace zentab
