#include "session/last_session.h"

#include <map>
#include <utility>

#include "watch/lines.h"

namespace zentab {

LastSession::LastSession(ShellServices& shell, const Settings& settings, const ListBox& watchLst,
                         ConnectedBrowsers& browsers, Reopener& reopener,
                         std::function<void(const std::string&)> report)
    : shell_(shell),
      settings_(settings),
      watchLst_(watchLst),
      browsers_(browsers),
      reopener_(reopener),
      report_(std::move(report)) {}

std::uint32_t LastSession::OriginOf(const SessionWindow& window) {
  const auto browser = BrowserKindOf(window.browser);
  return browser ? browsers_.Tag({*browser, 0, window.window}) : 0;
}

std::string LastSession::Path() {
  return SessionFilePath(shell_.ExeFolder());
}

void LastSession::Load() {
  previous_.clear();
  saved_.reset();
  read_ = false;
  readable_ = true;
  keeping_ = settings_.KeepSession != 0;
  if (keeping_) ReadPrevious();
}

void LastSession::ReadPrevious() {
  read_ = true;
  std::optional<std::string> bytes;
  try {
    bytes = shell_.ReadWholeFile(Path(), kSessionFileLimit);
    if (!bytes) return;
    if (auto windows = DecodeSession(*bytes)) {
      previous_ = std::move(*windows);
      saved_ = std::move(bytes);
      return;
    }
    if (shell_.MoveFileReplacing(Path(), Path() + ".bad")) return;
  } catch (const ShellFailure&) {
  }
  // There, but neither read nor set aside: it may be all that is left of the last session.
  readable_ = false;
  report_(std::string(kSessionNotSavedMessage) + "\n" + Path());
}

void LastSession::Save() {
  if (!keeping_ || !read_ || !readable_ || heldForSessionEnd_ || exiting_ ||
      watchLst_.ListCount() == 0) {
    return;
  }
  std::vector<SessionWindow> windows;
  // A browser's windows are numbered in the file as they come.
  std::map<std::uint32_t, std::int64_t> numbers;
  for (int i = 0; i < watchLst_.ListCount(); ++i) {
    auto [title, address] = TitleAndAddressOfLine(watchLst_.List(i));
    if (address.empty()) continue;  // no address to open again, and no session with it would read
    SessionWindow& window =
        windows.emplace_back(SessionWindow{std::move(title), std::move(address)});
    const std::uint32_t tag = watchLst_.ItemData(i);
    if (const auto origin = browsers_.OriginOf(tag)) {
      window.browser = BrowserId(origin->browser);
      window.window =
          numbers.try_emplace(tag, static_cast<std::int64_t>(numbers.size() + 1)).first->second;
    }
  }
  std::string bytes = EncodeSession(windows);
  if (bytes == saved_) return;
  if (shell_.WriteFileAtomically(Path(), bytes)) {
    saved_ = std::move(bytes);
    reported_ = false;
  } else if (!std::exchange(reported_, true)) {
    report_(std::string(kSessionNotSavedMessage) + "\n" + Path());
  }
}

void LastSession::ReopenAll() {
  std::vector<Page> pages;
  for (const SessionWindow& window : previous_) pages.push_back({window.address, OriginOf(window)});
  reopener_.Open(pages, false);
}

void LastSession::ApplySettings() {
  const bool keep = settings_.KeepSession != 0;
  if (keep && !keeping_) {
    keeping_ = true;
    if (!read_) ReadPrevious();
    Save();
  } else if (!keep && (keeping_ || removalPending_)) {
    keeping_ = false;
    previous_.clear();
    RemoveFiles();
  }
}

void LastSession::RemoveFiles() {
  saved_.reset();
  std::string failed;
  for (const char* suffix : {"", ".bad", ".tmp"}) {
    if (!shell_.RemoveFile(Path() + suffix)) failed += "\r\n" + Path() + suffix;
  }
  removalPending_ = !failed.empty();
  if (removalPending_) {
    shell_.MsgBox(kSessionNotRemovedMessage + failed, "Zentab", kExclamation | kOKOnly);
  } else {
    readable_ = true;  // nothing is left to keep from being overwritten
  }
}

}  // namespace zentab
