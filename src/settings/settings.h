// The program-wide settings record and the settings file beside the executable.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/shell_services.h"

namespace zentab {

struct Settings {
  std::int16_t ChkMode = 0;          // 0 browser windows only, 1 folder windows only, 2 both
  std::int16_t DisabledPastLog = 0;  // non-zero: the past log is not in use
  std::int16_t MaxWatch = 0;         // window positions examined per scan
  std::int16_t MaxLog = 0;           // most past-log lines
  std::int16_t Through = 0;          // redirect-skip bits: 1 service B, 2 service A, 4 board link
  std::int16_t KeepSession = 1;      // 0: the windows of a session are not kept for the next

  bool operator==(const Settings&) const = default;
};

inline constexpr std::int32_t kDefaultInterval = 5000;

// "<folder>\Zentab2.ini", joined as it stands: at a drive root the separator is doubled.
std::string SettingsFilePath(const std::string& exeFolder);

std::int32_t GetIniInt(ShellServices& shell, const std::string& section, const std::string& key,
                       std::int16_t defaultValue);
// False when the file could not be written.
bool WriteIniString(ShellServices& shell, const std::string& section, const std::string& key,
                    const std::string& value);
bool WriteIniString(ShellServices& shell, const std::string& section, const std::string& key,
                    std::int32_t value);

// The main window's controls that the settings are applied to.
struct SettingsTargets {
  CheckBox& isPastLogMake;
  ListBox& pastLst;
  Label& maxWatchNum;
  Label& maxLogNum;
  Timer& watchTmr;
};

inline constexpr const char* kPastLogDisabledLine = "過去ログ機能は無効にされています。";

// Reads the file into `settings` and applies it to the main window, in a fixed order.
void LoadSettings(ShellServices& shell, Settings& settings, SettingsTargets targets);

}  // namespace zentab
