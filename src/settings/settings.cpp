#include "settings/settings.h"

#include <limits>

#include "platform/profile_number.h"

namespace zentab {
namespace {

constexpr const char* kOption = "Option";

// A value outside the field's range can only come from a hand-edited file: take the default.
std::int16_t ReadField(ShellServices& shell, const char* key, std::int16_t defaultValue) {
  const std::int32_t value = GetIniInt(shell, kOption, key, defaultValue);
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return defaultValue;
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace

std::string SettingsFilePath(const std::string& exeFolder) {
  return exeFolder + "\\Zentab2.ini";
}

std::int32_t GetIniInt(ShellServices& shell, const std::string& section, const std::string& key,
                       std::int16_t defaultValue) {
  return ProfileNumber(shell.ReadProfileText(section, key, SettingsFilePath(shell.ExeFolder())),
                       defaultValue);
}

bool WriteIniString(ShellServices& shell, const std::string& section, const std::string& key,
                    const std::string& value) {
  return shell.WriteProfileText(section, key, value, SettingsFilePath(shell.ExeFolder()));
}

bool WriteIniString(ShellServices& shell, const std::string& section, const std::string& key,
                    std::int32_t value) {
  return WriteIniString(shell, section, key, std::to_string(value));
}

void LoadSettings(ShellServices& shell, Settings& settings, SettingsTargets targets) {
  settings.ChkMode = ReadField(shell, "ChkMode", 2);
  settings.DisabledPastLog = ReadField(shell, "DisabledPastLog", 0);
  if (settings.DisabledPastLog != 0) {
    // A ticked, hidden pause box is how the rest of the program sees a past log not in use.
    targets.isPastLogMake.SetValue(1);
    targets.isPastLogMake.SetVisible(false);
    targets.pastLst.Clear();
    targets.pastLst.AddItem(kPastLogDisabledLine);
    targets.pastLst.SetEnabled(false);
  } else {
    targets.pastLst.Clear();
    targets.isPastLogMake.SetValue(0);
    targets.isPastLogMake.SetVisible(true);
    targets.pastLst.SetEnabled(true);
  }

  settings.MaxWatch = ReadField(shell, "MaxWatch", 10);
  targets.maxWatchNum.SetCaption("0/" + std::to_string(settings.MaxWatch));

  settings.MaxLog = ReadField(shell, "MaxLog", 50);
  targets.maxLogNum.SetCaption("Max " + std::to_string(settings.MaxLog) + "件");

  // 0 would stop the scan for good; a negative or too long period the timer cannot take.
  std::int32_t interval = GetIniInt(shell, kOption, "Interval", kDefaultInterval);
  if (interval <= 0 || interval > targets.watchTmr.MaxInterval()) interval = kDefaultInterval;
  targets.watchTmr.SetInterval(interval);

  settings.Through = ReadField(shell, "Through", 0);
  // Only a stored 0 turns it off: a missing or unreadable value keeps the session.
  const std::string keep = shell.ReadProfileText(kOption, "KeepSession", SettingsFilePath(shell.ExeFolder()));
  settings.KeepSession = ProfileValueText(keep) == "0" ? 0 : 1;
}

}  // namespace zentab
