// The windows of the last session: kept in a file as the watch list changes, so that after a
// restart of any kind (a reboot, a crash, an update) the previous session's pages lead the past
// log and one command opens them all again.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/shell_services.h"
#include "session/session_file.h"
#include "settings/settings.h"

namespace zentab {

inline constexpr const char* kSessionNotSavedMessage = "前回のウィンドウを記録できませんでした。";

class LastSession {
 public:
  // `report` shows the user a notice that needs no answer.
  LastSession(ShellServices& shell, const Settings& settings,
              std::function<void(const std::string&)> report);

  // At start-up: the previous session from its file, when sessions are kept. A file that is not a
  // session is set aside as Zentab2.session.bad (replacing an older one); the program starts
  // without a previous session then.
  void Load();
  const std::vector<SessionWindow>& Previous() const { return previous_; }

  // The watch list was rebuilt: its windows become the saved session, unless it is empty (the
  // shell may be restarting), sessions are not kept, or the saving has stopped. A failed write is
  // reported once, and again only after one has succeeded.
  void Save(const ListBox& watchLst);
  // The user's session ends or the program exits: the windows closing from now on are not the
  // user's choice.
  void StopSaving() { stopped_ = true; }

  // Every page of the previous session in a new window; one that fails does not keep the others.
  void ReopenAll();
  // The settings were applied: a session no longer kept is deleted and forgotten.
  void ApplySettings();

 private:
  std::string Path();

  ShellServices& shell_;
  const Settings& settings_;
  std::function<void(const std::string&)> report_;
  std::vector<SessionWindow> previous_;
  bool stopped_ = false;
  bool reported_ = false;
};

}  // namespace zentab
