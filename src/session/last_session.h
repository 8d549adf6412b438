// The windows of the last session: kept in a file as the watch list changes, so that after a
// restart of any kind (a reboot, a crash, an update) the previous session's pages lead the past
// log and one command opens them all again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browsers/connected_browsers.h"
#include "platform/controls.h"
#include "platform/shell_services.h"
#include "session/session_file.h"
#include "settings/settings.h"
#include "watch/reopen.h"

namespace zentab {

inline constexpr const char* kSessionNotSavedMessage = "前回のウィンドウを記録できませんでした。";
inline constexpr const char* kSessionNotRemovedMessage = "前回のウィンドウを削除できませんでした。";

class LastSession {
 public:
  // `watchLst` is what is saved, `browsers` tell where its lines came from, `reopener` opens the
  // pages again; `report` shows the user a notice that needs no answer.
  LastSession(ShellServices& shell, const Settings& settings, const ListBox& watchLst,
              ConnectedBrowsers& browsers, Reopener& reopener,
              std::function<void(const std::string&)> report);

  // At start-up: the previous session from its file, when sessions are kept. A file that is not a
  // session is set aside as Zentab2.session.bad (replacing an older one). One that can be neither
  // read nor set aside is never overwritten: nothing is saved in this run, and the user is told.
  void Load();
  const std::vector<SessionWindow>& Previous() const { return previous_; }
  // The tag of where a window of the previous session came from, as lines keep it.
  std::uint32_t OriginOf(const SessionWindow& window);

  // The watch list was rebuilt: its windows become the saved session, unless it is empty (the
  // shell may be restarting), holds what was saved last, sessions are not kept, or saving is held.
  // A failed write is reported once, and again only after one has succeeded.
  void Save();
  // Windows asks whether the user's session may end: the windows closing from now on are not the
  // user's choice, until Windows says the session goes on after all.
  void HoldForSessionEnd() { heldForSessionEnd_ = true; }
  void SessionGoesOn() { heldForSessionEnd_ = false; }
  // The program exits: nothing is saved any more.
  void StopSaving() { exiting_ = true; }

  // Every page of the previous session in a new window; one that fails does not keep the others.
  void ReopenAll();
  // The options dialog has closed: a session kept from now on is saved at once; one no longer
  // kept is deleted with the files beside it that hold titles and addresses too.
  void ApplySettings();

 private:
  std::string Path();
  void ReadPrevious();
  void RemoveFiles();

  ShellServices& shell_;
  const Settings& settings_;
  const ListBox& watchLst_;
  ConnectedBrowsers& browsers_;
  Reopener& reopener_;
  std::function<void(const std::string&)> report_;
  std::vector<SessionWindow> previous_;
  bool keeping_ = false;  // KeepSession as last applied
  bool read_ = false;     // the file was read, set aside, or found missing in this run
  bool readable_ = true;  // false: a file that is neither read nor set aside is there
  bool heldForSessionEnd_ = false;
  bool exiting_ = false;
  bool reported_ = false;
  bool removalPending_ = false;
  std::optional<std::string> saved_;  // what the file holds, as far as this run knows
};

}  // namespace zentab
