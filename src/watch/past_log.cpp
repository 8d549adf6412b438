#include "watch/past_log.h"

#include "watch/lines.h"

namespace zentab {

PastLog::PastLog(ListBox& pastLst, CheckBox& isPastLogMake, const Settings& settings)
    : pastLst_(pastLst), isPastLogMake_(isPastLogMake), settings_(settings) {}

void PastLog::Add(std::int16_t position, const std::string& title, const std::string& address,
                  std::uint32_t origin) {
  if (isPastLogMake_.Value() == 1) return;  // paused, or the past log is not in use
  // A position that did not advance beyond the last logged one starts a new scan group.
  if (position < lastLogIndex_ + 1) ++logGroup_;
  Append(PastLogLine(logGroup_, title, address), origin);
  lastLogIndex_ = position;
}

void PastLog::AddPrevious(const std::string& title, const std::string& address,
                          std::uint32_t origin) {
  if (isPastLogMake_.Value() == 1) return;
  // A title from the file may carry a separator of its own, which would hide the address.
  Append(PreviousSessionLine(ListTitle(title), address), origin);
}

void PastLog::Append(const std::string& line, std::uint32_t origin) {
  pastLst_.AddItem(line, origin);
  // Brings the newest line into view and leaves none selected.
  pastLst_.SetListIndex(pastLst_.ListCount() - 1);
  pastLst_.SetListIndex(-1);
  const int keep = settings_.MaxLog < 0 ? 0 : settings_.MaxLog;
  while (pastLst_.ListCount() > keep) pastLst_.RemoveItem(0);
}

}  // namespace zentab
