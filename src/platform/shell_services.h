// What the program needs of the Windows shell and the system, in the program's terms. Texts are
// UTF-8; the platform converts them at its edge. Every failing call throws ShellFailure.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"

namespace zentab {

struct ShellFailure : Failure {
  using Failure::Failure;
};

// A browser or folder window of the shell (`IWebBrowser2`). Every read asks the window afresh.
class BrowserWindow {
 public:
  virtual ~BrowserWindow() = default;
  virtual std::string LocationURL() = 0;
  virtual std::string LocationName() = 0;
  // Returns at once; the window loads the address by itself.
  virtual void Navigate2(const std::string& address) = 0;
};

// The tray registration record, laid out as the shell's narrow NOTIFYICONDATA in its first
// version, so that its size is the platform's (88 bytes for 32-bit, 104 for 64-bit).
struct TrayIconData {
  std::uint32_t cbSize = 0;
  std::uintptr_t hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::array<char, 64> szTip{};
};
inline constexpr std::uint32_t kNotifyIconDataV1Size = sizeof(void*) == 4 ? 88 : 104;
static_assert(sizeof(TrayIconData) == kNotifyIconDataV1Size);

// Message box styles and answers, with the system's values.
enum MsgBoxStyle : unsigned {
  kOKOnly = 0,
  kOKCancel = 1,
  kCritical = 16,
  kQuestion = 32,
  kExclamation = 48,
  kInformation = 64,
  kDefaultButton2 = 256,
};
enum MsgBoxResult : int { kOK = 1, kCancel = 2 };

inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // The shell's collection of open browser and folder windows (`ShellWindows`).
  virtual int ShellWindowsCount() = 0;
  // The window at position; null past the end of the collection (the normal end of a scan).
  virtual std::shared_ptr<BrowserWindow> ShellWindowsItem(std::int16_t position) = 0;
  // A new, visible top-level browser window at address, not tracked afterwards.
  virtual void OpenNewBrowserWindow(const std::string& address) = 0;
  // A web page in the default browser, a folder in a new folder window; nothing else is opened,
  // so that no program or document behind an address is ever run.
  virtual void OpenWithShell(const std::string& address) = 0;

  // The hosts that browsers started for Zentab's extension, one per browser profile, running now.
  virtual std::vector<std::uintptr_t> BrowserHosts() = 0;
  virtual bool IsBrowserHostRunning(std::uintptr_t host) = 0;
  // Hands a message to the host for its browser; false when the host did not take it.
  virtual bool SendToBrowserHost(std::uintptr_t host, const std::string& message) = 0;
  // Asks the host to end: its browser is no longer watched.
  virtual void CloseBrowserHost(std::uintptr_t host) = 0;

  virtual void TrayAdd(const TrayIconData& data) = 0;
  virtual void TrayDelete(const TrayIconData& data) = 0;
  // A notice in a balloon from the icon of `data`; nothing when the shell shows none.
  virtual void TrayBalloon(const TrayIconData& data, const std::string& title,
                           const std::string& text) = 0;

  // The profile functions, with the system's reading and writing rules. The stored text of a key,
  // blanks and quotes as stored; empty when the key or the file is missing.
  virtual std::string ReadProfileText(const std::string& section, const std::string& key,
                                      const std::string& path) = 0;
  // False when the file could not be written (read-only file, folder without write access).
  virtual bool WriteProfileText(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path) = 0;

  // Files of the program's own, read and written whole. The file's bytes, more than `limit` of
  // them only when the file is larger; nothing when there is no file. Throws ShellFailure when it
  // is there but cannot be read.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) = 0;
  // Writes a temporary file in the same folder, flushes it and moves it over `path`: whenever the
  // program is stopped, the old file or the new one is there, whole. False when it could not.
  virtual bool WriteFileAtomically(const std::string& path, const std::string& bytes) = 0;
  // Renames `from` to `to`, replacing a file of that name; false when it could not.
  virtual bool MoveFileReplacing(const std::string& from, const std::string& to) = 0;
  // Removes the file; true also when there was none.
  virtual bool RemoveFile(const std::string& path) = 0;

  // `ShellExecute`: the shell opens `file` (an address: the default browser); the result is not
  // looked at. `owner` is a window handle, 0 for none.
  virtual void ShellOpen(std::uintptr_t owner, const std::string& operation,
                         const std::string& file, const std::string& parameters,
                         const std::string& directory, int showCommand) = 0;
  // Starts a program from a command line, its window shown normally; not waited for.
  virtual void StartProgram(const std::string& commandLine) = 0;
  // Fetches one web address in the background and reads nothing back; returns at once.
  virtual void FetchInBackground(const std::string& address) = 0;

  virtual void Sleep(int milliseconds) = 0;
  virtual int MsgBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  virtual bool IsAnotherInstanceRunning() = 0;
  // The executable's folder, without a trailing separator except at a drive root ("C:\").
  virtual std::string ExeFolder() = 0;
  // The executable's full path.
  virtual std::string ExePath() = 0;

  // Whether two paths name the same file as the file system compares names: letters of any
  // script in either case.
  virtual bool SamePath(const std::string& a, const std::string& b) = 0;
  // What Windows starts when the user signs in, as the value `Zentab` of the user's Run key: its
  // command line, environment variables expanded where the value asks for it; nothing when there
  // is none, and an empty text when the value is no string.
  virtual std::optional<std::string> StartupCommand() = 0;
  // False when the value could not be written or deleted; deleting none is no failure.
  virtual bool SetStartupCommand(const std::string& commandLine) = 0;
  virtual bool RemoveStartupCommand() = 0;
  // The default value of a key under HKEY_CURRENT_USER; nothing when the key or the value is
  // missing. Throws when it cannot be read.
  virtual std::optional<std::string> UserRegistryValue(const std::string& key) = 0;
  // Creates the key as needed. False when it could not be written or deleted; deleting none is no
  // failure.
  virtual bool SetUserRegistryValue(const std::string& key, const std::string& value) = 0;
  virtual bool RemoveUserRegistryKey(const std::string& key) = 0;
  virtual int VersionMajor() = 0;
  virtual int VersionMinor() = 0;
  // One pass of the pending window messages.
  virtual void DoEvents() = 0;
  // Ends the program at once; no event handler runs afterwards.
  virtual void EndProgram() = 0;
};

}  // namespace zentab
