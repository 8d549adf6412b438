#include "win_test.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/win32/message_loop.h"
#include "platform/win32/utf.h"

namespace zentab::test {
bool PumpUntil(const std::function<bool()>& done, double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  // A timer of the thread wakes the loop to look at the clock.
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
  bool met = false;
  RunMessagesUntil([&] { return (met = done()) || GetTickCount64() >= end; });
  KillTimer(nullptr, timer);
  return met;
}

std::string ReadFile(const std::wstring& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
  return bytes.str();
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = L"";
  GetEnvironmentVariableW(name, value, MAX_PATH);
  return value;
}

HWND WindowOf(DWORD process, const wchar_t* caption) {
  HWND found = nullptr;
  PumpUntil([&] {
    for (HWND w = FindWindowW(nullptr, caption); w;
         w = FindWindowExW(nullptr, w, nullptr, caption)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (process == 0 || owner == process) return (found = w) != nullptr;
    }
    return false;
  });
  return found;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
  return static_cast<LRESULT>(answer);
}

std::vector<std::string> Lines(HWND window, int list) {
  HWND control = GetDlgItem(window, list);
  std::vector<std::string> lines;
  for (LRESULT i = 0, n = Ask(control, LB_GETCOUNT, 0, 0); i < n; ++i) {
    std::wstring line(static_cast<size_t>(Ask(control, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    line.resize(
        static_cast<size_t>(Ask(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    lines.push_back(Narrow(line));
  }
  return lines;
}

std::wstring RunValue() {
  wchar_t value[MAX_PATH] = L"-";
  DWORD size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Zentab", RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

void SaveScreenshot(HWND window, const std::string& name) {
  if (Environment(L"ZENTAB_SHOTS").empty()) return;
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string pixels(static_cast<size_t>((width * 3 + 3) / 4 * 4 * height), '\0');
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(dc, old);
  GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + pixels.size()), 0, 0,
                        sizeof file + sizeof info};
  WriteFile(Environment(L"ZENTAB_SHOTS") + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp",
            std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                std::string(reinterpret_cast<const char*>(&info), sizeof info) + pixels);
}

void SetScenario(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  WriteFile(Environment(L"ZENTAB_DOUBLE") + L"\\scenario.txt", text);
  // The stand-in reads the file again when its time or size changed; the time is only as fine as
  // the file system keeps it.
  Sleep(20);
}

std::vector<std::string> TakeCalls() {
  const std::wstring path = Environment(L"ZENTAB_DOUBLE") + L"\\calls.txt";
  std::istringstream text(ReadFile(path));
  DeleteFileW(path.c_str());
  std::vector<std::string> calls;
  for (std::string line; std::getline(text, line);) calls.push_back(line);
  return calls;
}

std::string LiveObjects(DWORD process) {
  return ReadFile(Environment(L"ZENTAB_DOUBLE") + L"\\live-" + std::to_wstring(process) + L".txt");
}

void Recorder::MouseDown(std::string_view c, int button, int x) {
  events.push_back("MouseDown " + std::string(c) + " " + std::to_string(button) + " " +
                   std::to_string(x));
}

bool Recorder::Saw(const std::string& event) const {
  return std::find(events.begin(), events.end(), event) != events.end();
}

}  // namespace zentab::test
