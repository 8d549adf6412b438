// The past log: every accepted window of every scan, grouped by scan, at most MaxLog lines.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "settings/settings.h"

namespace zentab {

class PastLog {
 public:
  PastLog(ListBox& pastLst, CheckBox& isPastLogMake, const Settings& settings);

  // One accepted window at its position in the current scan.
  // `origin` is kept beside the line: where it came from.
  void Add(std::int16_t position, const std::string& title, const std::string& address,
           std::uint32_t origin = 0);
  // A window of the previous session, before the first scan.
  void AddPrevious(const std::string& title, const std::string& address, std::uint32_t origin = 0);

 private:
  // A line at the end, the oldest dropped beyond MaxLog.
  void Append(const std::string& line, std::uint32_t origin);

  ListBox& pastLst_;
  CheckBox& isPastLogMake_;
  const Settings& settings_;
  std::int32_t logGroup_ = 0;
  std::int16_t lastLogIndex_ = 0;
};

}  // namespace zentab
