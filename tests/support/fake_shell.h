// A simulated Windows shell for the logic's tests: windows a test opens, changes and closes between
// scans, settings files as plain section/key maps, calls that can be made to fail, message boxes a
// test answers, and every call in order in the journal. Pauses are recorded, not slept.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/shell_services.h"
#include "support/fake_form.h"

namespace zentab::test {

class FakeShell : public ShellServices {
 public:
  // clang-format off
  enum class Op { Count, Item, LocationURL, LocationName, Navigate2, NewBrowserWindow, Write, Start,
                  Fetch, Read, OpenWithShell };
  // clang-format on
  struct Window {
    std::string title, url;
  };
  // A file's sections, each a map of its keys' stored texts.
  using Profile = std::map<std::string, std::map<std::string, std::string>>;

  explicit FakeShell(Journal& journal) : journal_(journal) {}

  void OpenWindow(const std::string& title, const std::string& url);
  void SetWindow(int position, const std::string& title, const std::string& url);
  void CloseWindow(int position) { windows_.erase(windows_.begin() + position); }
  // The next call of `op` fails: for a window's calls the one on the window at position `at`, for
  // the others the call after `at` more have succeeded.
  void Fail(Op op, int at = 0) { failures_.push_back({op, at}); }
  // Browser objects the program still holds.
  long LiveBrowsers() const { return *live_; }

  std::map<std::string, Profile> files;      // settings files by path
  std::map<std::string, std::string> bytes;  // other files by path
  bool readOnly = false;                     // every write is refused
  std::set<std::string> locked;  // files and keys that cannot be replaced, moved or removed
  std::deque<int> answers;  // the buttons pressed in the next message boxes; OK after
  std::string exeFolder = "C:\\Tools\\Zentab";
  std::optional<std::string> startup;           // the program Windows starts at sign-in
  std::map<std::string, std::string> registry;  // other keys' values, by path
  bool registryReadOnly = false;
  bool registryUnreadable = false;
  std::set<std::uintptr_t> hosts;     // the browsers' hosts running
  std::set<std::uintptr_t> refusing;  // hosts that take no message
  int major = 2, minor = 0;
  bool anotherInstance = false, ended = false;

  int ShellWindowsCount() override;
  std::shared_ptr<BrowserWindow> ShellWindowsItem(std::int16_t position) override;
  void OpenNewBrowserWindow(const std::string& address) override;
  void OpenWithShell(const std::string& address) override;
  std::vector<std::uintptr_t> BrowserHosts() override { return {hosts.begin(), hosts.end()}; }
  bool IsBrowserHostRunning(std::uintptr_t host) override { return hosts.contains(host); }
  bool SendToBrowserHost(std::uintptr_t host, const std::string& message) override;
  void CloseBrowserHost(std::uintptr_t host) override;
  std::optional<std::string> UserRegistryValue(const std::string& key) override;
  bool SetUserRegistryValue(const std::string& key, const std::string& value) override;
  bool RemoveUserRegistryKey(const std::string& key) override;
  void TrayAdd(const TrayIconData& data) override { journal_.Add("TrayAdd " + Describe(data)); }
  void TrayDelete(const TrayIconData& data) override {
    journal_.Add("TrayDelete " + Describe(data));
  }
  void TrayBalloon(const TrayIconData&, const std::string& title,
                   const std::string& text) override {
    journal_.Add("Balloon " + title + " | " + text);
  }
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
  void Sleep(int ms) override { journal_.Add("Sleep " + std::to_string(ms)); }
  int MsgBox(const std::string& text, const std::string& caption, unsigned style) override;
  bool IsAnotherInstanceRunning() override { return anotherInstance; }
  std::string ExeFolder() override { return exeFolder; }
  std::string ExePath() override { return exeFolder + "\\zentab.exe"; }
  // Letters in either case, as far as ASCII goes.
  bool SamePath(const std::string& a, const std::string& b) override;
  std::optional<std::string> StartupCommand() override;
  bool SetStartupCommand(const std::string& commandLine) override;
  bool RemoveStartupCommand() override;
  int VersionMajor() override { return major; }
  int VersionMinor() override { return minor; }
  void DoEvents() override { journal_.Add("DoEvents"); }
  void EndProgram() override { ended = true, journal_.Add("EndProgram"); }

 private:
  class Browser;
  // Journals the call; throws when a failure is armed for it.
  void Call(Op op, int at, const std::string& entry);
  static std::string Describe(const TrayIconData& data);

  Journal& journal_;
  std::vector<std::shared_ptr<Window>> windows_;
  std::vector<std::pair<Op, int>> failures_;
  std::map<Op, int> calls_;
  std::shared_ptr<long> live_ = std::make_shared<long>(0);
};

}  // namespace zentab::test
