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

template <class F>
std::unique_ptr<Control> Made(const ControlDesign& c, Journal& journal) {
  return std::make_unique<F>(c, journal);
}

FakeView::FakeView(const FormDesign& design, Journal& journal) : window_(design, journal) {
  using K = ControlKind;
  static const std::map<K, std::unique_ptr<Control> (*)(const ControlDesign&, Journal&)> made{
      {K::ListBox, Made<FakeListBox>},        {K::Label, Made<FakeLabel>},
      {K::CheckBox, Made<FakeCheckBox>},      {K::TextBox, Made<FakeTextBox>},
      {K::UpDown, Made<FakeRange>},           {K::ScrollBar, Made<FakeRange>},
      {K::CommandButton, Made<FakeButton>},   {K::ComboBox, Made<FakeComboBox>},
      {K::PictureBox, Made<Fake<PictureBox>>}};
  for (const ControlDesign& c : design.controls) {
    if (c.kind == K::Timer) {
      timers_[c.name] = std::make_unique<FakeTimer>(std::string(c.name), journal);
    } else if (c.kind == K::OptionButton) {
      controls_[c.name] = std::make_unique<FakeOptionButton>(c, journal, groups_[c.container]);
    } else {
      const auto maker = made.find(c.kind);
      controls_[c.name] =
          maker == made.end() ? Made<Fake<Control>>(c, journal) : maker->second(c, journal);
    }
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
