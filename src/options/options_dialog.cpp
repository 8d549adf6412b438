#include "options/options_dialog.h"

#include <algorithm>

#include "options/options_design.h"
#include "platform/version.h"
#include "watch/redirects.h"

namespace zentab {
namespace {

using namespace options_dialog;

constexpr ControlId<Label> kRowCaptions[] = {Label1, Label2, Label3, Label4, Label5, Label6};

// A command line as Windows reads it: the program in double quotes, or the whole line; blanks
// around it.
std::optional<std::string_view> ProgramOf(std::string_view command) {
  const size_t first = command.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  command = command.substr(first, command.find_last_not_of(" \t") + 1 - first);
  if (!command.starts_with('"')) return command;
  const size_t close = command.find('"', 1);
  if (close != command.size() - 1) return std::nullopt;  // unclosed, or arguments behind it
  return command.substr(1, close - 1);
}

// Halves go to the even neighbour: 2500 gives 2, 3500 gives 4.
int WholeSeconds(std::int32_t milliseconds) {
  int seconds = milliseconds / 1000;
  const int rest = milliseconds % 1000;  // carries the sign of milliseconds
  const bool odd = seconds % 2 != 0;
  if (rest > 500 || (rest == 500 && odd)) ++seconds;
  if (rest < -500 || (rest == -500 && odd)) --seconds;
  return seconds;
}

}  // namespace

OptionsDialog::OptionsDialog(FormView& view, ShellServices& shell, Settings& settings,
                             ConnectedBrowsers& browsers, SettingsTargets mainWindow)
    : view_(view),
      shell_(shell),
      settings_(settings),
      browsers_(browsers),
      registration_(shell),
      mainWindow_(mainWindow),
      isChkModeOp_{&view.Get(IsChkModeOp0), &view.Get(IsChkModeOp1), &view.Get(IsChkModeOp2)},
      isUsePastLogOp_{&view.Get(IsUsePastLogOp0), &view.Get(IsUsePastLogOp1)},
      hmWatch_(view.Get(HMWatch)),
      hmWatchUD_(view.Get(HMWatchUD)),
      hmLog_(view.Get(HMLog)),
      hmLogUD_(view.Get(HMLogUD)),
      hsInterval_(view.Get(HSInterval)),
      hmInterval_(view.Get(HMInterval)),
      asRedirectB_(view.Get(AS_RedirectB)),
      asRedirectA_(view.Get(AS_RedirectA)),
      asBoardLink_(view.Get(AS_BoardLink)),
      isKeepSession_(view.Get(IsKeepSession)),
      isRunAtStartup_(view.Get(IsRunAtStartup)),
      isWatchBrowsers_(view.Get(IsWatchBrowsers)) {}

void OptionsDialog::Load() {
  SetDialogTexts();
  OnIntervalChange();

  // Values from a hand-edited file that no control can show are shown at the nearest end.
  isChkModeOp_[std::clamp<int>(settings_.ChkMode, 0, 2)]->SetValue(true);
  isUsePastLogOp_[settings_.DisabledPastLog != 0 ? 1 : 0]->SetValue(true);

  hmWatchUD_.SetValue(settings_.MaxWatch);
  hmWatch_.SetText(std::to_string(hmWatchUD_.Value()));
  hmLogUD_.SetValue(settings_.MaxLog);
  hmLog_.SetText(std::to_string(hmLogUD_.Value()));

  const int before = hsInterval_.Value();
  hsInterval_.SetValue(WholeSeconds(mainWindow_.watchTmr.Interval()));
  if (hsInterval_.Value() != before) OnIntervalChange();

  const int through = settings_.Through;
  if (through >= 1 && through <= 7) {
    if (through & kThroughRedirectB) asRedirectB_.SetValue(1);
    if (through & kThroughRedirectA) asRedirectA_.SetValue(1);
    if (through & kThroughBoardLink) asBoardLink_.SetValue(1);
  }
  isKeepSession_.SetValue(settings_.KeepSession != 0 ? 1 : 0);
  // The box tells what Windows will start: this program, not another copy of it. A value that
  // cannot be read shows unticked and is left alone unless the user ticks the box.
  try {
    startupFound_ = shell_.StartupCommand();
    isRunAtStartup_.SetValue(*startupFound_ && NamesThisProgram(**startupFound_) ? 1 : 0);
  } catch (const ShellFailure&) {
  }
  startupShown_ = isRunAtStartup_.Value();
  // Likewise the browsers: ticked when every browser's key names this copy's host.
  try {
    isWatchBrowsers_.SetValue(registration_.Registered() ? 1 : 0);
  } catch (const ShellFailure&) {
  }
  browsersShown_ = isWatchBrowsers_.Value();
  const std::string connected = browsers_.ConnectedNames();
  view_.Get(Label8).SetCaption(kConnectedBrowsersHead +
                               (connected.empty() ? kNoBrowserConnected : connected));
}

bool OptionsDialog::NamesThisProgram(std::string_view command) {
  const auto program = ProgramOf(command);
  return program && shell_.SamePath(std::string(*program), shell_.ExePath());
}

void OptionsDialog::SetDialogTexts() {
  Form& window = view_.Window();
  window.SetCaption(WithVersion(window.Caption(), shell_.VersionMajor(), shell_.VersionMinor()));
  for (int row = 0; row < 6; ++row) view_.Get(kRowCaptions[row]).SetToolTipText(kRowToolTips[row]);
  isKeepSession_.SetToolTipText(kKeepSessionToolTip);
  isRunAtStartup_.SetToolTipText(kRunAtStartupToolTip);
  isWatchBrowsers_.SetToolTipText(kWatchBrowsersToolTip);
  view_.Get(Label8).SetToolTipText(kConnectedBrowsersToolTip);
}

void OptionsDialog::OnIntervalChange() {
  hmInterval_.SetCaption(std::to_string(hsInterval_.Value()) + ".0 秒");
}

void OptionsDialog::Change(std::string_view control) {
  if (control == HSInterval) {
    OnIntervalChange();
  } else if (control == HMWatchUD) {
    hmWatch_.SetText(std::to_string(hmWatchUD_.Value()));
  } else if (control == HMLogUD) {
    hmLog_.SetText(std::to_string(hmLogUD_.Value()));
  }
}

void OptionsDialog::Click(std::string_view control) {
  if (control == cmdOK) {
    OnOk();
  } else if (control == cmdCancel) {
    OnCancel();
  }
}

bool OptionsDialog::QueryUnload() {
  OnCancel();
  return true;
}

bool OptionsDialog::WriteEverything() {
  if (!WriteIniString(shell_, "User", "警告", kSettingsWarning)) return false;

  for (std::int16_t i = 0; i < 3; ++i) {
    if (isChkModeOp_[i]->Value()) settings_.ChkMode = i;
  }
  if (!WriteIniString(shell_, "Option", "ChkMode", settings_.ChkMode)) return false;

  const bool pastLogInUse = isUsePastLogOp_[0]->Value();
  settings_.DisabledPastLog = pastLogInUse ? 0 : 1;
  mainWindow_.isPastLogMake.SetVisible(pastLogInUse);
  if (!WriteIniString(shell_, "Option", "DisabledPastLog", settings_.DisabledPastLog)) {
    return false;
  }

  if (!WriteIniString(shell_, "Option", "MaxWatch", hmWatch_.Text())) return false;
  if (!WriteIniString(shell_, "Option", "MaxLog", hmLog_.Text())) return false;
  if (!WriteIniString(shell_, "Option", "Interval", hsInterval_.Value() * 1000)) return false;

  settings_.Through = static_cast<std::int16_t>((asRedirectB_.Value() ? kThroughRedirectB : 0) +
                                                (asRedirectA_.Value() ? kThroughRedirectA : 0) +
                                                (asBoardLink_.Value() ? kThroughBoardLink : 0));
  if (!WriteIniString(shell_, "Option", "Through", settings_.Through)) return false;

  settings_.KeepSession = isKeepSession_.Value() ? 1 : 0;
  return WriteIniString(shell_, "Option", "KeepSession", settings_.KeepSession);
}

// Another program's value, or one this dialog could not show, stays unless the box was changed.
bool OptionsDialog::ApplyStartup(Undo& undo) {
  const int ticked = isRunAtStartup_.Value();
  if (ticked == startupShown_) return true;
  if (!(ticked ? shell_.SetStartupCommand("\"" + shell_.ExePath() + "\"")
               : shell_.RemoveStartupCommand())) {
    return false;
  }
  if (startupFound_) {
    undo.push_back([this, found = *startupFound_] {
      found ? shell_.SetStartupCommand(*found) : shell_.RemoveStartupCommand();
    });
  }
  return true;
}

std::optional<std::string> OptionsDialog::ApplyBrowsers(Undo& undo) {
  const int ticked = isWatchBrowsers_.Value();
  if (ticked == browsersShown_) return std::nullopt;
  return registration_.Apply(ticked != 0, undo);
}

void OptionsDialog::OnOk() {
  // The registry first, so that a refusal leaves everything else of OK undone; what it changed is
  // put back should a later step fail.
  Undo undo;
  const auto fail = [&](const std::string& message) {
    for (auto step = undo.rbegin(); step != undo.rend(); ++step) (*step)();
    shell_.MsgBox(message, "Zentab", kExclamation | kOKOnly);
  };
  if (!ApplyStartup(undo)) return fail(kNotRegisteredMessage);
  if (const auto failed = ApplyBrowsers(undo)) {
    return fail(kNotLinkedMessage + ("\r\n" + *failed));
  }
  const Settings before = settings_;
  const bool pauseBoxShown = mainWindow_.isPastLogMake.Visible();
  if (!WriteEverything()) {
    // The file may already hold part of the choices, but nothing of them comes into force: the
    // settings stay as they were and the dialog stays open, so the user can retry or cancel.
    settings_ = before;
    mainWindow_.isPastLogMake.SetVisible(pauseBoxShown);
    return fail(kNotWrittenMessage + ("\r\n" + SettingsFilePath(shell_.ExeFolder())));
  }
  LoadSettings(shell_, settings_, mainWindow_);
  // The browsers no longer watched let go of their hosts, and their lines go at the next scan.
  if (browsersShown_ && !isWatchBrowsers_.Value()) browsers_.DisconnectAll();
  view_.Window().Unload();
}

void OptionsDialog::OnCancel() {
  view_.Window().Unload();
}

}  // namespace zentab
