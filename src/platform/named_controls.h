// A platform's controls of one kind, found by the names of the window's design.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/failure.h"

namespace zentab {

// Keys view the design's names, which live as long as the program.
template <class T>
using NamedControls = std::map<std::string_view, std::unique_ptr<T>, std::less<>>;

template <class T>
T& FindNamed(const NamedControls<T>& controls, std::string_view name) {
  const auto found = controls.find(name);
  if (found == controls.end()) {
    throw DesignError("no control of this kind in the design: ", name);
  }
  return *found->second;
}

}  // namespace zentab
