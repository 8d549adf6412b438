#include "support/fake_form.h"

#include <stdexcept>
#include <utility>

namespace zentab::test {

// Where a line came from shows in the journal when it is anywhere.
void FakeListBox::AddItem(const std::string& line, std::uint32_t from) {
  lines.push_back(line), data.push_back(from);
  Log("AddItem", from == 0 ? line : line + " [" + std::to_string(from) + "]");
}

void FakeListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) throw std::out_of_range("RemoveItem");
  lines.erase(lines.begin() + index);
  data.erase(data.begin() + index);
  if (value_ >= index) value_ = value_ == index ? -1 : value_ - 1;
  Log("RemoveItem", index);
}

void FakeListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw std::out_of_range("ListIndex");
  value_ = index;
  Log("ListIndex", index);
}

void FakeOptionButton::Select(bool selected) {
  if (selected) {
    for (FakeOptionButton* other : group_) other->value_ = 0;
  }
  value_ = selected;
}

FakeWindow::FakeWindow(const FormDesign& design, Journal& journal)
    : journal_(journal), caption_(design.caption) {
  for (const ControlDesign& control : design.controls) {
    if (control.isDefault) defaultButton_ = control.name;
    if (control.isCancel) cancelButton_ = control.name;
  }
}

void FakeWindow::SetCaption(const std::string& text) {
  caption_ = text;
  journal_.Add("Caption " + text);
}

void FakeWindow::SetVisible(bool visible) {
  visible_ = visible;
  journal_.Add("Visible " + std::to_string(visible));
}

void FakeWindow::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  journal_.Add("PopupMenu " + menu + " " + defaultItem);
  const std::string chosen = std::exchange(nextChoice, "");
  if (!chosen.empty() && events) events->Click(chosen);
}

void FakeWindow::SetDefaultButton(std::string_view button) {
  defaultButton_ = button;
  journal_.Add("DefaultButton " + defaultButton_);
}

FakeView::FakeView(const FormDesign& design, Journal& journal) : window_(design, journal) {
  for (const ControlDesign& c : design.controls) {
    std::unique_ptr<Control> made;
    switch (c.kind) {
      case ControlKind::Timer:
        timers_[c.name] = std::make_unique<FakeTimer>(std::string(c.name), journal);
        continue;
      case ControlKind::ListBox:
        made = std::make_unique<FakeListBox>(c, journal);
        break;
      case ControlKind::Label:
        made = std::make_unique<FakeLabel>(c, journal);
        break;
      case ControlKind::CheckBox:
        made = std::make_unique<FakeCheckBox>(c, journal);
        break;
      case ControlKind::OptionButton:
        made = std::make_unique<FakeOptionButton>(c, journal, groups_[c.container]);
        break;
      case ControlKind::TextBox:
        made = std::make_unique<FakeTextBox>(c, journal);
        break;
      case ControlKind::UpDown:
      case ControlKind::ScrollBar:
        made = std::make_unique<FakeRange>(c, journal);
        break;
      case ControlKind::CommandButton:
        made = std::make_unique<FakeButton>(c, journal);
        break;
      case ControlKind::ComboBox:
        made = std::make_unique<FakeComboBox>(c, journal);
        break;
      case ControlKind::PictureBox:
        made = std::make_unique<Fake<PictureBox>>(c, journal);
        break;
      default:
        made = std::make_unique<Fake<Control>>(c, journal);
        break;
    }
    controls_[c.name] = std::move(made);
  }
}

Control& FakeView::ControlNamed(std::string_view name) {
  const auto found = controls_.find(name);
  if (found == controls_.end()) throw DesignError("no control ", name);
  return *found->second;
}

FakeTimer& FakeView::TimerNamed(std::string_view name) {
  const auto found = timers_.find(name);
  if (found == timers_.end()) throw DesignError("no timer ", name);
  return *found->second;
}

void FakeHost::ShowModal(const FormDesign& design, const MakeForm& make) {
  const std::string name(design.name);
  journal_.Add("ShowModal " + name);
  FakeView view(design, journal_);
  std::unique_ptr<ModalForm> form = make(view);
  view.SetEvents(form.get());
  form->Load();
  ++shown_;
  if (!next.empty()) {
    WhileShown action = std::move(next.front());
    next.pop_front();
    action(view, *form);
  }
  --shown_;
  journal_.Add("ModalEnd " + name + (view.Window().unloaded ? " unloaded" : " still shown"));
}

bool FakeHost::ActivateModal() {
  journal_.Add("ActivateModal");
  return shown_ > 0;
}

}  // namespace zentab::test
