#include "app/menu_commands.h"

#include <memory>
#include <string>
#include <utility>

#include "info/about_design.h"
#include "info/about_window.h"
#include "info/vote_design.h"
#include "info/vote_window.h"
#include "info/web_addresses.h"
#include "options/options_design.h"
#include "options/options_dialog.h"
#include "platform/scope_guard.h"

namespace zentab {

MenuCommands::MenuCommands(ShellServices& shell, FormHost& host, Settings& settings,
                           ConnectedBrowsers& browsers, SettingsTargets mainWindowTargets,
                           std::function<void()> optionsClosed, Form& mainWindow)
    : shell_(shell),
      host_(host),
      settings_(settings),
      browsers_(browsers),
      mainWindowTargets_(mainWindowTargets),
      optionsClosed_(std::move(optionsClosed)),
      mainWindow_(mainWindow) {}

void MenuCommands::ShowHelp() {
  // No quotes around the path: the viewer takes the rest of its command line as the file name.
  const std::string helpFile = shell_.ExeFolder() + "\\readme.txt";
  try {
    shell_.StartProgram("notepad.exe " + helpFile);
  } catch (const ShellFailure&) {
    // The message is a window of the command like the three others: one at a time.
    modalOpen_ = true;
    ScopeGuard closed([this] { modalOpen_ = false; });
    shell_.MsgBox(kHelpNotOpenedMessage + ("\r\n" + helpFile), "Zentab", kExclamation | kOKOnly);
  }
}

void MenuCommands::OpenHomePage() {
  shell_.ShellOpen(mainWindow_.Handle(), "open", std::string(HomePageURL), "", "", kShowNormal);
}

void MenuCommands::ShowOptions() {
  Show(
      OptionsDesign(),
      [this](FormView& view) {
        return std::make_unique<OptionsDialog>(view, shell_, settings_, browsers_,
                                               mainWindowTargets_);
      },
      optionsClosed_);
}

void MenuCommands::ShowAbout() {
  Show(AboutDesign(),
       [this](FormView& view) { return std::make_unique<AboutWindow>(view, shell_); });
}

void MenuCommands::ShowVote() {
  Show(VoteDesign(), [this](FormView& view) { return std::make_unique<VoteWindow>(view, shell_); });
}

void MenuCommands::Show(const FormDesign& design, const FormHost::MakeForm& make,
                        const std::function<void()>& closed) {
  modalOpen_ = true;
  ScopeGuard done([this] { modalOpen_ = false; });
  host_.ShowModal(design, make);
  // What follows the window may ask the user too, still one window at a time.
  if (closed) closed();
}

}  // namespace zentab
