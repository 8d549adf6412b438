#include "session/last_session.h"

#include <utility>

#include "watch/lines.h"

namespace zentab {

LastSession::LastSession(ShellServices& shell, const Settings& settings,
                         std::function<void(const std::string&)> report)
    : shell_(shell), settings_(settings), report_(std::move(report)) {}

std::string LastSession::Path() {
  return SessionFilePath(shell_.ExeFolder());
}

void LastSession::Load() {
  previous_.clear();
  if (settings_.KeepSession == 0) return;
  std::optional<std::string> bytes;
  try {
    bytes = shell_.ReadWholeFile(Path(), kSessionFileLimit);
  } catch (const ShellFailure&) {
    return;  // there, but not readable now: left as it is
  }
  if (!bytes) return;
  if (auto windows = DecodeSession(*bytes)) {
    previous_ = std::move(*windows);
  } else {
    shell_.MoveFileReplacing(Path(), Path() + ".bad");
  }
}

void LastSession::Save(const ListBox& watchLst) {
  if (stopped_ || settings_.KeepSession == 0 || watchLst.ListCount() == 0) return;
  std::vector<SessionWindow> windows;
  for (int i = 0; i < watchLst.ListCount(); ++i) {
    auto [title, address] = TitleAndAddressOfLine(watchLst.List(i));
    windows.push_back({std::move(title), std::move(address)});
  }
  if (shell_.WriteFileAtomically(Path(), EncodeSession(windows))) {
    reported_ = false;
  } else if (!std::exchange(reported_, true)) {
    report_(std::string(kSessionNotSavedMessage) + "\n" + Path());
  }
}

void LastSession::ReopenAll() {
  for (const SessionWindow& window : previous_) {
    try {
      shell_.OpenNewBrowserWindow(window.address);
    } catch (const ShellFailure&) {
    }
  }
}

void LastSession::ApplySettings() {
  if (settings_.KeepSession != 0) return;
  previous_.clear();
  shell_.RemoveFile(Path());
}

}  // namespace zentab
