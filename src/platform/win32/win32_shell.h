// The shell services on Windows: COM shell windows and browsers, the tray, profile files.
#pragma once

#include <functional>

#include "platform/shell_services.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/windows_api.h"

namespace zentab {

class Win32Shell final : public ShellServices {
 public:
  // `closeWindows` takes the program's windows down when it ends.
  explicit Win32Shell(std::function<void()> closeWindows);
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  int ShellWindowsCount() override;
  std::shared_ptr<BrowserWindow> ShellWindowsItem(std::int16_t position) override;
  void OpenNewBrowserWindow(const std::string& address) override;
  void OpenWithShell(const std::string& address) override;
  std::vector<std::uintptr_t> BrowserHosts() override;
  bool IsBrowserHostRunning(std::uintptr_t host) override;
  bool SendToBrowserHost(std::uintptr_t host, const std::string& message) override;
  void CloseBrowserHost(std::uintptr_t host) override;
  std::optional<std::string> UserRegistryValue(const std::string& key) override;
  bool SetUserRegistryValue(const std::string& key, const std::string& value) override;
  bool RemoveUserRegistryKey(const std::string& key) override;
  void TrayAdd(const TrayIconData& data) override;
  void TrayDelete(const TrayIconData& data) override;
  void TrayBalloon(const TrayIconData& data, const std::string& title,
                   const std::string& text) override;
  std::string ReadProfileText(const std::string& section, const std::string& key,
                              const std::string& path) override;
  bool WriteProfileText(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) override;
  std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) override;
  bool WriteFileAtomically(const std::string& path, const std::string& bytes) override;
  bool MoveFileReplacing(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  void ShellOpen(std::uintptr_t owner, const std::string& operation, const std::string& file,
                 const std::string& parameters, const std::string& directory,
                 int showCommand) override;
  void StartProgram(const std::string& commandLine) override;
  void FetchInBackground(const std::string& address) override;
  void Sleep(int milliseconds) override;
  int MsgBox(const std::string& text, const std::string& caption, unsigned style) override;
  bool IsAnotherInstanceRunning() override;
  std::string ExeFolder() override;
  std::string ExePath() override;
  bool SamePath(const std::string& a, const std::string& b) override;
  std::optional<std::string> StartupCommand() override;
  bool SetStartupCommand(const std::string& commandLine) override;
  bool RemoveStartupCommand() override;
  int VersionMajor() override;
  int VersionMinor() override;
  void DoEvents() override;
  void EndProgram() override;

 private:
  IShellWindows& ShellWindows();

  std::function<void()> closeWindows_;
  ComPtr<IShellWindows> shellWindows_;
  HANDLE instanceMutex_ = nullptr;
  bool anotherInstance_ = false;
};

}  // namespace zentab
