// A simulated Windows shell for tests: windows that a test opens, changes and closes between
// scans, calls that can be told to fail, and every call recorded in order in the journal.
// Pauses are recorded, not slept.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell_services.h"
#include "support/journal.h"

namespace zentab {

class SimulatedShell : public ShellServices {
 public:
  enum class Op {
    Count,
    Item,
    LocationURL,
    LocationName,
    Navigate2,
    NewBrowserWindow,
    WriteProfile,
    StartProgram,
    kCount
  };

  struct Window {
    std::string title;
    std::string url;
  };

  explicit SimulatedShell(Journal& journal) : journal_(journal) {}

  // The windows of the shell's collection, in position order.
  void OpenWindow(const std::string& title, const std::string& url);
  void SetWindow(int position, const std::string& title, const std::string& url);
  void CloseWindow(int position);
  const Window& WindowAt(int position) const { return *windows_.at(static_cast<size_t>(position)); }
  int WindowCount() const { return static_cast<int>(windows_.size()); }

  // The next call of `op` fails once: for a window's calls the one on the window at position
  // `at`; for the others the call when `at` more of them have succeeded.
  void Fail(Op op, int at = 0);

  void SetExeFolder(std::string folder) { exeFolder_ = std::move(folder); }
  void SetVersion(int major, int minor) { major_ = major, minor_ = minor; }
  // The buttons the user presses in the next message boxes, in order; OK when none is left.
  void AnswerMsgBox(int button) { answers_.push_back(button); }
  void SetAnotherInstanceRunning(bool running) { anotherInstance_ = running; }
  bool Ended() const { return ended_; }

  int ShellWindowsCount() override;
  std::shared_ptr<BrowserWindow> ShellWindowsItem(std::int16_t position) override;
  void OpenNewBrowserWindow(const std::string& address) override;
  void TrayAdd(const TrayIconData& data) override;
  void TrayDelete(const TrayIconData& data) override;
  std::int32_t ReadProfileInt(const std::string& section, const std::string& key,
                              std::int32_t defaultValue, const std::string& path) override;
  bool WriteProfileText(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) override;
  void ShellOpen(std::uintptr_t owner, const std::string& operation, const std::string& file,
                 const std::string& parameters, const std::string& directory,
                 int showCommand) override;
  void StartProgram(const std::string& commandLine) override;
  void FetchInBackground(const std::string& address) override;
  void Sleep(int milliseconds) override;
  int MsgBox(const std::string& text, const std::string& caption, unsigned style) override;
  bool IsAnotherInstanceRunning() override { return anotherInstance_; }
  std::string ExeFolder() override { return exeFolder_; }
  int VersionMajor() override { return major_; }
  int VersionMinor() override { return minor_; }
  void DoEvents() override;
  void EndProgram() override;

 private:
  class Browser;
  struct Failure {
    Op op;
    int at;
  };

  // Throws when a failure is armed for this call.
  void Check(Op op, int at);
  int NextOccurrence(Op op);
  static std::string Describe(const TrayIconData& data);

  Journal& journal_;
  std::vector<std::shared_ptr<Window>> windows_;
  std::vector<Failure> failures_;
  std::vector<int> occurrences_ = std::vector<int>(static_cast<size_t>(Op::kCount), 0);
  std::deque<int> answers_;
  std::string exeFolder_ = "C:\\Tools\\Zentab";
  int major_ = 2;
  int minor_ = 0;
  bool anotherInstance_ = false;
  bool ended_ = false;
};

// The path of a Windows-style settings path on this machine's file system.
std::string HostPath(const std::string& windowsPath);

// UTF-8 text in code page 932, as the system's narrow profile functions take it.
std::string ToCodePage932(const std::string& utf8);

}  // namespace zentab
