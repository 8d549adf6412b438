// The commands of the main menu and the tray menu: the help file, the home page, and the
// options, about and vote windows, each shown modally.
#pragma once

#include <functional>

#include "browsers/connected_browsers.h"
#include "platform/controls.h"
#include "platform/form_host.h"
#include "platform/shell_services.h"
#include "settings/settings.h"

namespace zentab {

inline constexpr const char* kHelpNotOpenedMessage = "ヘルプファイルを開けませんでした。";

class MenuCommands {
 public:
  // `mainWindowTargets` are the main window's controls that a confirmed options dialog applies
  // the settings to, `optionsClosed` what else follows the settings; `mainWindow` owns the home
  // page's shell call.
  MenuCommands(ShellServices& shell, FormHost& host, Settings& settings,
               ConnectedBrowsers& browsers, SettingsTargets mainWindowTargets,
               std::function<void()> optionsClosed, Form& mainWindow);

  void ShowHelp();
  void OpenHomePage();
  void ShowOptions();
  void ShowAbout();
  void ShowVote();

  // True while one of the three windows, or a command's message, is shown.
  bool ModalOpen() const { return modalOpen_; }

 private:
  // `closed` runs once the window has gone, while no other window may open yet.
  void Show(const FormDesign& design, const FormHost::MakeForm& make,
            const std::function<void()>& closed = nullptr);

  ShellServices& shell_;
  FormHost& host_;
  Settings& settings_;
  ConnectedBrowsers& browsers_;
  SettingsTargets mainWindowTargets_;
  std::function<void()> optionsClosed_;
  Form& mainWindow_;
  bool modalOpen_ = false;
};

}  // namespace zentab
