// Windows shown modally, on memory controls: a test says what the user does while one is shown.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/form_host.h"
#include "support/journal.h"
#include "support/memory_form.h"

namespace zentab {

class MemoryFormHost : public FormHost {
 public:
  explicit MemoryFormHost(Journal& journal) : journal_(journal) {}

  // What the user does in the next window shown modally, after its load step. The show returns
  // after it; the journal tells whether the window was unloaded by then.
  using WhileShown = std::function<void(MemoryFormView& view, ModalForm& form)>;
  void OnNextModal(WhileShown action) { actions_.push_back(std::move(action)); }

  void ShowModal(const FormDesign& design, const MakeForm& make) override;
  bool ActivateModal() override;
  int ShownCount() const { return shown_; }

 private:
  Journal& journal_;
  std::deque<WhileShown> actions_;
  int depth_ = 0;
  int shown_ = 0;
};

}  // namespace zentab
