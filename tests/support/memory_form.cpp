#include "support/memory_form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zentab {

void MemoryListBox::AddItem(const std::string& line) {
  lines_.push_back(line);
  journal_.Add(name_ + ".AddItem " + line);
}

void MemoryListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) throw std::out_of_range(name_ + ".RemoveItem");
  lines_.erase(lines_.begin() + index);
  if (selected_ == index) selected_ = -1;
  if (selected_ > index) --selected_;
  journal_.Add(name_ + ".RemoveItem " + std::to_string(index));
}

void MemoryListBox::Clear() {
  lines_.clear();
  selected_ = -1;
  journal_.Add(name_ + ".Clear");
}

std::string MemoryListBox::List(int index) const {
  return index >= 0 && index < ListCount() ? lines_[static_cast<size_t>(index)] : std::string();
}

void MemoryListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw std::out_of_range(name_ + ".ListIndex");
  selected_ = index;
  selections_.push_back(index);
}

void MemoryLabel::SetCaption(const std::string& text) {
  caption_ = text;
  journal_.Add(name_ + ".Caption " + text);
}

void MemoryLabel::Refresh() {
  repaints_.push_back(caption_);
  journal_.Add(name_ + ".Refresh");
}

void MemoryCheckBox::SetValue(int value) {
  value_ = value;
  journal_.Add(name_ + ".Value " + std::to_string(value));
}

void MemoryOptionButton::SetValue(bool selected) {
  Select(selected);
  journal_.Add(name_ + ".Value " + std::to_string(selected));
}

void MemoryOptionButton::Select(bool selected) {
  if (selected) {
    for (MemoryOptionButton* other : view_.OptionGroup(container_)) other->value_ = false;
  }
  value_ = selected;
}

void MemoryTextBox::SetText(const std::string& text) {
  text_ = text;
  journal_.Add(name_ + ".Text " + text);
}

void MemoryRangeControl::SetValue(int value) {
  value_ = std::clamp(value, range_.min, range_.max);
  journal_.Add(name_ + ".Value " + std::to_string(value_));
}

void MemoryRangeControl::UserSets(int value) {
  value_ = std::clamp(value, range_.min, range_.max);
}

void MemoryCommandButton::SetCaption(const std::string& text) {
  caption_ = text;
  journal_.Add(name_ + ".Caption " + text);
}

MemoryComboBox::MemoryComboBox(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
    : MemoryControl(design, journal, handle), items_(design.items.begin(), design.items.end()) {}

std::string MemoryComboBox::List(int index) const {
  return index >= 0 && index < ListCount() ? items_[static_cast<size_t>(index)] : std::string();
}

void MemoryComboBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw std::out_of_range(name_ + ".ListIndex");
  selected_ = index;
  journal_.Add(name_ + ".ListIndex " + std::to_string(index));
}

void MemoryTimer::SetInterval(std::int32_t milliseconds) {
  interval_ = milliseconds;
  journal_.Add(name_ + ".Interval " + std::to_string(milliseconds));
}

MemoryForm::MemoryForm(const FormDesign& design, Journal& journal, std::uintptr_t smallIcon)
    : caption_(design.caption), journal_(journal), smallIcon_(smallIcon) {
  for (const ControlDesign& control : design.controls) {
    if (control.isDefault) defaultButton_ = control.name;
    if (control.isCancel) cancelButton_ = control.name;
  }
}

void MemoryForm::SetCaption(const std::string& text) {
  caption_ = text;
  journal_.Add("Form.Caption " + text);
}

void MemoryForm::SetVisible(bool visible) {
  visible_ = visible;
  journal_.Add("Form.Visible " + std::to_string(visible));
}

void MemoryForm::PopupMenu(const std::string& menu, const std::string& defaultItem) {
  journal_.Add("PopupMenu " + menu + " default " + defaultItem);
  const std::string choice = std::exchange(nextChoice_, {});
  if (!choice.empty() && events_) events_->Click(choice);
}

void MemoryForm::SetDefaultButton(std::string_view button) {
  defaultButton_ = button;
  journal_.Add("Form.DefaultButton " + defaultButton_);
}

void MemoryForm::SetCancelButton(std::string_view button) {
  cancelButton_ = button;
  journal_.Add("Form.CancelButton " + cancelButton_);
}

void MemoryForm::Unload() {
  unloaded_ = true;
  visible_ = false;
  journal_.Add("Form.Unload");
}

MemoryFormView::MemoryFormView(const FormDesign& design, Journal& journal)
    : design_(design), form_(design, journal, 0x1C0) {
  std::uintptr_t handle = 0x100;
  for (const ControlDesign& control : design.controls) {
    const std::string_view name = control.name;
    handle += 2;
    std::unique_ptr<Control> made;
    switch (control.kind) {
      case ControlKind::ListBox:
        made = std::make_unique<MemoryListBox>(control, journal, handle);
        break;
      case ControlKind::Label:
        made = std::make_unique<MemoryLabel>(control, journal, handle);
        break;
      case ControlKind::CheckBox:
        made = std::make_unique<MemoryCheckBox>(control, journal, handle);
        break;
      case ControlKind::PictureBox:
        made = std::make_unique<MemoryPictureBox>(control, journal, handle);
        break;
      case ControlKind::Frame:
      case ControlKind::Line:
      case ControlKind::Image:
        made = std::make_unique<MemoryPlainControl>(control, journal, handle);
        break;
      case ControlKind::OptionButton:
        made = std::make_unique<MemoryOptionButton>(control, journal, handle, *this);
        break;
      case ControlKind::TextBox:
        made = std::make_unique<MemoryTextBox>(control, journal, handle);
        break;
      case ControlKind::UpDown:
      case ControlKind::ScrollBar:
        made = std::make_unique<MemoryRangeControl>(control, journal, handle);
        break;
      case ControlKind::CommandButton:
        made = std::make_unique<MemoryCommandButton>(control, journal, handle);
        break;
      case ControlKind::ComboBox:
        made = std::make_unique<MemoryComboBox>(control, journal, handle);
        break;
      case ControlKind::Timer:
        timers_[name] = std::make_unique<MemoryTimer>(std::string(name), journal);
        break;
    }
    if (made) controls_[name] = std::move(made);
  }
}

std::vector<MemoryOptionButton*> MemoryFormView::OptionGroup(const std::string& container) {
  std::vector<MemoryOptionButton*> group;
  for (const auto& [name, control] : controls_) {
    auto* option = dynamic_cast<MemoryOptionButton*>(control.get());
    if (option && option->Container() == container) group.push_back(option);
  }
  return group;
}

}  // namespace zentab
