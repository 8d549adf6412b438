// A built window: the platform's controls, found by the names of the window's control table.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls.h"
#include "platform/failure.h"
#include "platform/form_design.h"

namespace zentab {

class FormView {
 public:
  virtual ~FormView() = default;
  virtual Form& Window() = 0;
  virtual ListBox& ListBoxNamed(std::string_view name) = 0;
  virtual Label& LabelNamed(std::string_view name) = 0;
  virtual CheckBox& CheckBoxNamed(std::string_view name) = 0;
  virtual PictureBox& PictureBoxNamed(std::string_view name) = 0;
  virtual Timer& TimerNamed(std::string_view name) = 0;
  // Any control but a timer.
  virtual Control& ControlNamed(std::string_view name) = 0;
  // Where the window sends its events from now on.
  virtual void SetEvents(FormEvents* events) = 0;

  // A control of the design as the interface of its kind.
  template <class T>
  T& Named(std::string_view name) {
    if (auto* control = dynamic_cast<T*>(&ControlNamed(name))) return *control;
    throw DesignError("a control of another kind: ", name);
  }
};

}  // namespace zentab
