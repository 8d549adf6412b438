#include "tray/menu_commands.h"

#include <memory>
#include <string>

#include "info/ver_info.h"
#include "info/ver_info_form.h"
#include "info/votrix.h"
#include "info/votrix_form.h"
#include "info/web_addresses.h"
#include "platform/scope_guard.h"
#include "settings/options.h"
#include "settings/options_form.h"

namespace zentab {

MenuCommands::MenuCommands(ShellServices& shell, FormHost& host, Settings& settings,
                           SettingsTargets mainWindowTargets, Form& mainWindow)
    : shell_(shell),
      host_(host),
      settings_(settings),
      mainWindowTargets_(mainWindowTargets),
      mainWindow_(mainWindow) {}

void MenuCommands::CmdHelpRef_Click() {
  // No quotes around the path: the viewer takes the rest of its command line as the file name.
  const std::string helpFile = shell_.ExeFolder() + "\\readme.txt";
  try {
    shell_.StartProgram("notepad.exe " + helpFile);
  } catch (const ShellFailure&) {
    shell_.MsgBox("ヘルプファイルを開けませんでした。\r\n" + helpFile, "Zentab",
                  kExclamation | kOKOnly);
  }
}

void MenuCommands::CmdOpenHP_Click() {
  shell_.ShellOpen(mainWindow_.Handle(), "open", std::string(HomePageURL), "", "", kShowNormal);
}

void MenuCommands::CmdShowOption_Click() {
  Show(OptionsForm(), [this](FormView& view) {
    return std::make_unique<Options>(view, shell_, settings_, mainWindowTargets_);
  });
}

void MenuCommands::CmdShowVersionInfo_Click() {
  Show(VerInfoForm(), [this](FormView& view) { return std::make_unique<VerInfo>(view, shell_); });
}

void MenuCommands::CmdSoftwareVote_Click() {
  Show(VotrixForm(), [this](FormView& view) { return std::make_unique<Votrix>(view, shell_); });
}

void MenuCommands::Show(const FormDesign& design, const FormHost::MakeForm& make) {
  modalOpen_ = true;
  ScopeGuard closed([this] { modalOpen_ = false; });
  host_.ShowModal(design, make);
}

}  // namespace zentab
