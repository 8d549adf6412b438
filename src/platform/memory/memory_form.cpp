#include "platform/memory/memory_form.h"

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

void MemoryTimer::SetInterval(std::int32_t milliseconds) {
  interval_ = milliseconds;
  journal_.Add(name_ + ".Interval " + std::to_string(milliseconds));
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

MemoryFormView::MemoryFormView(const FormDesign& design, Journal& journal)
    : form_(std::string(design.caption), journal, 0x1C0) {
  std::uintptr_t handle = 0x100;
  for (const ControlDesign& control : design.controls) {
    const std::string_view name = control.name;
    handle += 2;
    switch (control.kind) {
      case ControlKind::ListBox:
        lists_[name] = std::make_unique<MemoryListBox>(control, journal, handle);
        break;
      case ControlKind::Label:
        labels_[name] = std::make_unique<MemoryLabel>(control, journal, handle);
        break;
      case ControlKind::CheckBox:
        checkBoxes_[name] = std::make_unique<MemoryCheckBox>(control, journal, handle);
        break;
      case ControlKind::PictureBox:
        pictures_[name] = std::make_unique<MemoryPictureBox>(control, journal, handle);
        break;
      case ControlKind::Timer:
        timers_[name] = std::make_unique<MemoryTimer>(std::string(name), journal);
        break;
    }
  }
}

MemoryListBox& MemoryFormView::ListBoxNamed(std::string_view name) {
  return FindNamed(lists_, name);
}
MemoryLabel& MemoryFormView::LabelNamed(std::string_view name) {
  return FindNamed(labels_, name);
}
MemoryCheckBox& MemoryFormView::CheckBoxNamed(std::string_view name) {
  return FindNamed(checkBoxes_, name);
}
MemoryPictureBox& MemoryFormView::PictureBoxNamed(std::string_view name) {
  return FindNamed(pictures_, name);
}
MemoryTimer& MemoryFormView::TimerNamed(std::string_view name) {
  return FindNamed(timers_, name);
}

}  // namespace zentab
