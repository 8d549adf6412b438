// Zentab's end of the link to the browsers: a message-only window that the hosts find by its
// class and hand their browsers' messages to.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace zentab {

class Win32BrowserLink {
 public:
  using Message = std::function<void(std::uintptr_t host, std::string_view message)>;
  using Closing = std::function<void(std::uintptr_t host)>;
  // Hosts find the link from now on; what they hand over arrives at `message`, their going at
  // `closing`.
  Win32BrowserLink(HINSTANCE instance, Message message, Closing closing);
  ~Win32BrowserLink();
  Win32BrowserLink(const Win32BrowserLink&) = delete;
  Win32BrowserLink& operator=(const Win32BrowserLink&) = delete;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCopyData(HWND host, const COPYDATASTRUCT& data);

  Message message_;
  Closing closing_;
  HWND window_ = nullptr;
};

}  // namespace zentab
