// Windows shown modally: the platform builds them from their design and runs them.
#pragma once

#include <functional>
#include <memory>

#include "platform/form_design.h"
#include "platform/form_view.h"

namespace zentab {

// The logic of a window shown modally.
class ModalForm : public FormEvents {
 public:
  // The window's load step, run before it shows.
  virtual void Load() = 0;
  // None of these windows has a list, a timer or the tray's receiver.
  void DblClick(std::string_view) override {}
  void TimerTick(std::string_view) override {}
  void MouseDown(std::string_view, int, int) override {}
};

class FormHost {
 public:
  virtual ~FormHost() = default;
  using MakeForm = std::function<std::unique_ptr<ModalForm>(FormView&)>;
  // Builds the window of `design` afresh, has `make` create its logic over it, runs the load
  // step and shows the window modally without an owner: the program's other windows take no
  // input, their timers keep running. Returns once the logic has unloaded the window.
  virtual void ShowModal(const FormDesign& design, const MakeForm& make) = 0;
  // Brings the window shown modally, or a message of the program that waits for an answer, to
  // the front; false when none is shown.
  virtual bool ActivateModal() = 0;
};

}  // namespace zentab
