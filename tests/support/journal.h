// One ordered record of everything the program did to its controls and asked of the shell.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zentab {

struct Journal {
  std::vector<std::string> entries;
  // Called after each entry: lets a test act while the program waits in a call.
  std::function<void(const std::string&)> observer;

  void Add(std::string entry) {
    entries.push_back(std::move(entry));
    if (observer) observer(entries.back());
  }
  void Clear() { entries.clear(); }
};

}  // namespace zentab
