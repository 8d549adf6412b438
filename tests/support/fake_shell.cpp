#include "support/fake_shell.h"

#include <algorithm>

#include "platform/profile_number.h"

namespace zentab::test {

// A window as it was found: reads fail once it has closed.
class FakeShell::Browser : public BrowserWindow {
 public:
  Browser(FakeShell& shell, std::weak_ptr<Window> window, int position)
      : shell_(shell), window_(std::move(window)), position_(position), live_(shell.live_) {
    ++*live_;
  }
  ~Browser() override { --*live_; }
  std::string LocationURL() override { return Read(Op::LocationURL, "LocationURL").url; }
  std::string LocationName() override { return Read(Op::LocationName, "LocationName").title; }
  void Navigate2(const std::string& address) override {
    Read(Op::Navigate2, "Navigate2", " " + address).url = address;
  }

 private:
  Window& Read(Op op, const char* call, const std::string& detail = "") {
    shell_.Call(op, position_, call + (" " + std::to_string(position_)) + detail);
    const auto window = window_.lock();
    if (!window) throw ShellFailure("the window has closed");
    return *window;
  }
  FakeShell& shell_;
  std::weak_ptr<Window> window_;
  int position_;
  std::shared_ptr<long> live_;
};

void FakeShell::OpenWindow(const std::string& title, const std::string& url) {
  windows_.push_back(std::make_shared<Window>(Window{title, url}));
}

void FakeShell::SetWindow(int position, const std::string& title, const std::string& url) {
  *windows_.at(static_cast<size_t>(position)) = Window{title, url};
}

void FakeShell::Call(Op op, int at, const std::string& entry) {
  journal_.Add(entry);
  const bool perWindow = op >= Op::Item && op <= Op::Navigate2;
  const int index = perWindow ? at : calls_[op]++;
  const auto armed = std::find(failures_.begin(), failures_.end(), std::pair{op, index});
  if (armed == failures_.end()) return;
  failures_.erase(armed);
  journal_.entries.back() += " FAILED";
  throw ShellFailure("simulated failure");
}

int FakeShell::ShellWindowsCount() {
  Call(Op::Count, 0, "ShellWindows.Count");
  return static_cast<int>(windows_.size());
}

std::shared_ptr<BrowserWindow> FakeShell::ShellWindowsItem(std::int16_t position) {
  Call(Op::Item, position, "ShellWindows.Item " + std::to_string(position));
  if (position < 0 || position >= static_cast<int>(windows_.size())) return nullptr;
  return std::make_shared<Browser>(*this, windows_[static_cast<size_t>(position)], position);
}

void FakeShell::OpenNewBrowserWindow(const std::string& address) {
  Call(Op::NewBrowserWindow, 0, "NewBrowserWindow " + address);
}

void FakeShell::OpenWithShell(const std::string& address) {
  Call(Op::OpenWithShell, 0, "OpenWithShell " + address);
}

bool FakeShell::SendToBrowserHost(std::uintptr_t host, const std::string& message) {
  const bool taken = hosts.contains(host) && !refusing.contains(host);
  journal_.Add("Host " + std::to_string(host) + " " + message + (taken ? "" : " FAILED"));
  return taken;
}

void FakeShell::CloseBrowserHost(std::uintptr_t host) {
  journal_.Add("CloseHost " + std::to_string(host));
  hosts.erase(host);
}

std::optional<std::string> FakeShell::UserRegistryValue(const std::string& key) {
  if (registryUnreadable) throw ShellFailure("simulated failure");
  const auto value = registry.find(key);
  return value == registry.end() ? std::nullopt : std::optional(value->second);
}

bool FakeShell::SetUserRegistryValue(const std::string& key, const std::string& value) {
  const bool refused = registryReadOnly || locked.contains(key);
  journal_.Add("SetRegistry " + key + " " + value + (refused ? " FAILED" : ""));
  if (!refused) registry[key] = value;
  return !refused;
}

bool FakeShell::RemoveUserRegistryKey(const std::string& key) {
  const bool refused = registryReadOnly || locked.contains(key);
  journal_.Add("RemoveRegistry " + key + (refused ? " FAILED" : ""));
  if (!refused) registry.erase(key);
  return !refused;
}

std::string FakeShell::Describe(const TrayIconData& data) {
  return std::to_string(data.cbSize) + " " + std::to_string(data.hWnd) + " " +
         std::to_string(data.uID) + " " + std::to_string(data.uFlags) + " " +
         std::to_string(data.uCallbackMessage) + " " + std::to_string(data.hIcon) + " " +
         data.szTip.data();
}

std::string FakeShell::ReadProfileText(const std::string& section, const std::string& key,
                                       const std::string& path) {
  journal_.Add("Read " + section + " " + key + " " + path);
  const auto file = files.find(path);
  if (file == files.end() || !file->second.contains(section)) return "";
  const auto& keys = file->second.at(section);
  const auto value = keys.find(key);
  return value == keys.end() ? "" : value->second;
}

bool FakeShell::WriteProfileText(const std::string& section, const std::string& key,
                                 const std::string& value, const std::string& path) {
  try {
    Call(Op::Write, 0, "Write " + section + " " + key + " " + value + " " + path);
  } catch (const ShellFailure&) {
    return false;
  }
  if (readOnly) return false;
  files[path][section][key] = value;
  return true;
}

std::optional<std::string> FakeShell::ReadWholeFile(const std::string& path, std::size_t limit) {
  Call(Op::Read, 0, "ReadWholeFile " + path);
  const auto file = bytes.find(path);
  if (file == bytes.end()) return std::nullopt;
  return file->second.substr(0, limit + 1);
}

bool FakeShell::WriteFileAtomically(const std::string& path, const std::string& content) {
  const bool refused = readOnly || locked.contains(path);
  journal_.Add("WriteFileAtomically " + path + (refused ? " FAILED" : ""));
  if (refused) return false;
  bytes[path] = content;
  return true;
}

bool FakeShell::MoveFileReplacing(const std::string& from, const std::string& to) {
  journal_.Add("Move " + from + " " + to);
  if (readOnly || locked.contains(from) || locked.contains(to) || !bytes.contains(from))
    return false;
  bytes[to] = bytes[from];
  bytes.erase(from);
  return true;
}

bool FakeShell::RemoveFile(const std::string& path) {
  journal_.Add("Remove " + path);
  if (readOnly || locked.contains(path)) return false;
  bytes.erase(path);
  return true;
}

bool FakeShell::SamePath(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<std::string> FakeShell::StartupCommand() {
  if (registryUnreadable) throw ShellFailure("simulated failure");
  return startup;
}

bool FakeShell::SetStartupCommand(const std::string& commandLine) {
  journal_.Add("SetStartupCommand " + commandLine);
  if (!registryReadOnly) startup = commandLine;
  return !registryReadOnly;
}

bool FakeShell::RemoveStartupCommand() {
  journal_.Add("RemoveStartupCommand");
  if (!registryReadOnly) startup.reset();
  return !registryReadOnly;
}

void FakeShell::ShellOpen(std::uintptr_t owner, const std::string& operation,
                          const std::string& file, const std::string& parameters,
                          const std::string& directory, int showCommand) {
  journal_.Add("ShellOpen " + std::to_string(owner) + " " + operation + " " + file + " [" +
               parameters + "] [" + directory + "] " + std::to_string(showCommand));
}

void FakeShell::StartProgram(const std::string& commandLine) {
  Call(Op::Start, 0, "StartProgram " + commandLine);
}

void FakeShell::FetchInBackground(const std::string& address) {
  Call(Op::Fetch, 0, "Fetch " + address);
}

int FakeShell::MsgBox(const std::string& text, const std::string& caption, unsigned style) {
  journal_.Add("MsgBox " + text + " | " + caption + " | " + std::to_string(style));
  if (answers.empty()) return kOK;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace zentab::test
