// A built window: the platform's controls, found by the ids of the window's design.
#pragma once

#include <string_view>
#include <type_traits>

#include "platform/controls.h"
#include "platform/failure.h"
#include "platform/form_design.h"

namespace zentab {

class FormView {
 public:
  virtual ~FormView() = default;
  virtual Form& Window() = 0;
  // Any control but a timer.
  virtual Control& ControlNamed(std::string_view name) = 0;
  virtual Timer& TimerNamed(std::string_view name) = 0;
  // Where the window sends its events from now on.
  virtual void SetEvents(FormEvents* events) = 0;

  // A control of the design as the interface of its kind.
  template <class T>
  T& Get(ControlId<T> control) {
    if constexpr (std::is_same_v<T, Timer>) {
      return TimerNamed(control.name);
    } else {
      if (auto* found = dynamic_cast<T*>(&ControlNamed(control.name))) return *found;
      throw DesignError("a control of another kind: ", control.name);
    }
  }
};

}  // namespace zentab
