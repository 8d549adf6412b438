#include "support/memory_shell.h"

#include <iconv.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/profile_number.h"
#include "support/profile_file.h"

namespace zentab {

// A handle on a window as it was at the time of `Item`: reads fail once the window is closed.
class SimulatedShell::Browser : public BrowserWindow {
 public:
  Browser(SimulatedShell& shell, std::weak_ptr<Window> window, int position)
      : shell_(shell), window_(std::move(window)), position_(position) {}

  std::string LocationURL() override { return Read(Op::LocationURL, "LocationURL").url; }
  std::string LocationName() override { return Read(Op::LocationName, "LocationName").title; }
  void Navigate2(const std::string& address) override {
    Window& window = Read(Op::Navigate2, "Navigate2");
    shell_.journal_.entries.back() += " " + address;
    window.url = address;
  }

 private:
  Window& Read(Op op, const char* what) {
    shell_.journal_.Add(std::string(what) + " " + std::to_string(position_));
    shell_.Check(op, position_);
    auto window = window_.lock();
    if (!window) throw ShellFailure("the window has been closed");
    return *window;
  }

  SimulatedShell& shell_;
  std::weak_ptr<Window> window_;
  int position_;
};

void SimulatedShell::OpenWindow(const std::string& title, const std::string& url) {
  windows_.push_back(std::make_shared<Window>(Window{title, url}));
}

void SimulatedShell::SetWindow(int position, const std::string& title, const std::string& url) {
  *windows_.at(static_cast<size_t>(position)) = Window{title, url};
}

void SimulatedShell::CloseWindow(int position) {
  windows_.erase(windows_.begin() + position);
}

void SimulatedShell::Fail(Op op, int at) {
  failures_.push_back(Failure{op, at});
}

int SimulatedShell::NextOccurrence(Op op) {
  return occurrences_[static_cast<size_t>(op)]++;
}

void SimulatedShell::Check(Op op, int at) {
  const auto it = std::find_if(failures_.begin(), failures_.end(),
                               [&](const Failure& f) { return f.op == op && f.at == at; });
  if (it == failures_.end()) return;
  failures_.erase(it);
  journal_.entries.back() += " FAILED";
  throw ShellFailure("simulated failure");
}

int SimulatedShell::ShellWindowsCount() {
  journal_.Add("ShellWindows.Count");
  Check(Op::Count, NextOccurrence(Op::Count));
  return WindowCount();
}

std::shared_ptr<BrowserWindow> SimulatedShell::ShellWindowsItem(std::int16_t position) {
  journal_.Add("ShellWindows.Item " + std::to_string(position));
  Check(Op::Item, position);
  if (position < 0 || position >= WindowCount()) return nullptr;
  return std::make_shared<Browser>(*this, windows_[static_cast<size_t>(position)], position);
}

void SimulatedShell::OpenNewBrowserWindow(const std::string& address) {
  journal_.Add("NewBrowserWindow " + address);
  Check(Op::NewBrowserWindow, NextOccurrence(Op::NewBrowserWindow));
}

std::string SimulatedShell::Describe(const TrayIconData& data) {
  std::string tip(data.szTip.data(), data.szTip.size());
  const size_t nul = tip.find('\0');
  return "cbSize=" + std::to_string(data.cbSize) + " hWnd=" + std::to_string(data.hWnd) +
         " uID=" + std::to_string(data.uID) + " uFlags=" + std::to_string(data.uFlags) +
         " uCallbackMessage=" + std::to_string(data.uCallbackMessage) +
         " hIcon=" + std::to_string(data.hIcon) + " szTip=" + tip.substr(0, nul);
}

void SimulatedShell::TrayAdd(const TrayIconData& data) {
  journal_.Add("TrayAdd " + Describe(data));
}

void SimulatedShell::TrayDelete(const TrayIconData& data) {
  journal_.Add("TrayDelete " + Describe(data));
}

std::int32_t SimulatedShell::ReadProfileInt(const std::string& section, const std::string& key,
                                            std::int32_t defaultValue, const std::string& path) {
  journal_.Add("ReadProfileInt " + section + " " + key + " " + std::to_string(defaultValue) + " " +
               path);
  std::ifstream in(HostPath(path), std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();  // in one go: a settings file may be megabytes of garbage
  const auto stored =
      profile::GetString(contents.str(), ToCodePage932(section), ToCodePage932(key));
  if (!stored) return defaultValue;
  const std::string_view text = ProfileValueText(*stored);
  if (text.empty()) return defaultValue;
  return ParseProfileNumber(text).value_or(defaultValue);
}

bool SimulatedShell::WriteProfileText(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& path) {
  journal_.Add("WriteProfileText " + section + " " + key + " " + value + " " + path);
  try {
    Check(Op::WriteProfile, NextOccurrence(Op::WriteProfile));
  } catch (const ShellFailure&) {
    return false;  // the system's call reports a failed write by its result
  }
  return profile::WriteProfileText(ToCodePage932(section), ToCodePage932(key), ToCodePage932(value),
                                   HostPath(path));
}

void SimulatedShell::ShellOpen(std::uintptr_t owner, const std::string& operation,
                               const std::string& file, const std::string& parameters,
                               const std::string& directory, int showCommand) {
  journal_.Add("ShellOpen owner=" + std::to_string(owner) + " " + operation + " " + file +
               " params=" + parameters + " dir=" + directory +
               " show=" + std::to_string(showCommand));
}

void SimulatedShell::StartProgram(const std::string& commandLine) {
  journal_.Add("StartProgram " + commandLine);
  Check(Op::StartProgram, NextOccurrence(Op::StartProgram));
}

void SimulatedShell::FetchInBackground(const std::string& address) {
  journal_.Add("Fetch " + address);
}

void SimulatedShell::Sleep(int milliseconds) {
  journal_.Add("Sleep " + std::to_string(milliseconds));
}

int SimulatedShell::MsgBox(const std::string& text, const std::string& caption, unsigned style) {
  journal_.Add("MsgBox " + text + " | " + caption + " | " + std::to_string(style));
  if (answers_.empty()) return kOK;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void SimulatedShell::DoEvents() {
  journal_.Add("DoEvents");
}

void SimulatedShell::EndProgram() {
  journal_.Add("EndProgram");
  ended_ = true;
}

std::string HostPath(const std::string& windowsPath) {
  std::string path = windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string ToCodePage932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw ShellFailure("no code page 932 converter");
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
    // A character the code page lacks becomes "?", as the system's conversion does.
    *outPtr++ = '?';
    --outLeft;
    do {
      ++in;
      --inLeft;
    } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace zentab
