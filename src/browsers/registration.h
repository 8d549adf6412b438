// What lets Chrome, Edge and Firefox start the host beside the program for Zentab's extension: a
// manifest for each kind of browser beside the program, and a key for each browser naming it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell_services.h"

namespace zentab {

class BrowserRegistration {
 public:
  explicit BrowserRegistration(ShellServices& shell) : shell_(shell) {}

  // Whether every browser's key names this copy's manifest. Throws ShellFailure when a key cannot
  // be read.
  bool Registered();
  // Writes the manifests and points the keys at them, or takes both away. Every step done puts
  // its undoing in `undo`; what failed (a key or a file), nothing when all is done.
  using Undo = std::vector<std::function<void()>>;
  std::optional<std::string> Apply(bool registered, Undo& undo);

 private:
  ShellServices& shell_;
};

}  // namespace zentab
