#include "support/memory_form_host.h"

#include <string>

namespace zentab {

void MemoryFormHost::ShowModal(const FormDesign& design, const MakeForm& make) {
  const std::string name(design.name);
  journal_.Add("ShowModal " + name);
  MemoryFormView view(design, journal_);
  std::unique_ptr<ModalForm> form = make(view);
  view.SetEvents(form.get());
  form->Load();
  view.Window().SetVisible(true);
  ++depth_;
  ++shown_;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  if (!actions_.empty()) {
    WhileShown action = std::move(actions_.front());
    actions_.pop_front();
    action(view, *form);
  }
  journal_.Add("ModalEnd " + name + (view.Window().Unloaded() ? " unloaded" : " still shown"));
}

bool MemoryFormHost::ActivateModal() {
  journal_.Add("ActivateModal");
  return depth_ > 0;
}

}  // namespace zentab
