// Controls that keep their state in memory, built from a window's control table.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_design.h"
#include "platform/form_view.h"
#include "platform/named_controls.h"
#include "support/journal.h"

namespace zentab {

class MemoryFormView;

// What every memory control shares: visibility, enabling, tooltip, handle, all journaled.
template <class Interface>
class MemoryControl : public Interface {
 public:
  MemoryControl(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
      : name_(design.name),
        journal_(journal),
        handle_(handle),
        visible_(design.visible),
        enabled_(design.enabled) {}
  void SetVisible(bool visible) override {
    visible_ = visible;
    journal_.Add(name_ + ".Visible " + std::to_string(visible));
  }
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    journal_.Add(name_ + ".Enabled " + std::to_string(enabled));
  }
  bool Enabled() const override { return enabled_; }
  void SetToolTipText(const std::string& text) override {
    toolTip_ = text;
    journal_.Add(name_ + ".ToolTipText " + text);
  }
  const std::string& ToolTipText() const { return toolTip_; }
  std::uintptr_t Handle() const override { return handle_; }

 protected:
  std::string name_;
  Journal& journal_;

 private:
  std::uintptr_t handle_;
  bool visible_;
  bool enabled_;
  std::string toolTip_;
};

class MemoryListBox : public MemoryControl<ListBox> {
 public:
  using MemoryControl::MemoryControl;
  void AddItem(const std::string& line) override;
  void RemoveItem(int index) override;
  void Clear() override;
  int ListCount() const override { return static_cast<int>(lines_.size()); }
  std::string List(int index) const override;
  int ListIndex() const override { return selected_; }
  void SetListIndex(int index) override;

  const std::vector<std::string>& Lines() const { return lines_; }
  // Every index the program selected, in order (-1 for a deselection).
  const std::vector<int>& Selections() const { return selections_; }
  // What a user's click does: select a line without the program knowing.
  void UserSelects(int index) { selected_ = index; }

 private:
  std::vector<std::string> lines_;
  std::vector<int> selections_;
  int selected_ = -1;
};

class MemoryLabel : public MemoryControl<Label> {
 public:
  MemoryLabel(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
      : MemoryControl(design, journal, handle), caption_(design.caption) {}
  void SetCaption(const std::string& text) override;
  std::string Caption() const override { return caption_; }
  void Refresh() override;

  // The caption at every immediate repaint, in order.
  const std::vector<std::string>& Repaints() const { return repaints_; }

 private:
  std::string caption_;
  std::vector<std::string> repaints_;
};

class MemoryCheckBox : public MemoryControl<CheckBox> {
 public:
  using MemoryControl::MemoryControl;
  void SetValue(int value) override;
  int Value() const override { return value_; }
  // What a user's click does.
  void UserSets(int value) { value_ = value; }

 private:
  int value_ = 0;
};

using MemoryPictureBox = MemoryControl<PictureBox>;
// Frames, lines and images.
using MemoryPlainControl = MemoryControl<Control>;

class MemoryOptionButton : public MemoryControl<OptionButton> {
 public:
  MemoryOptionButton(const ControlDesign& design, Journal& journal, std::uintptr_t handle,
                     MemoryFormView& view)
      : MemoryControl(design, journal, handle), container_(design.container), view_(view) {}
  void SetValue(bool selected) override;
  bool Value() const override { return value_; }
  // What a user's click does: this one selected, the others of its group cleared.
  void UserSelects() { Select(true); }
  const std::string& Container() const { return container_; }

 private:
  void Select(bool selected);
  std::string container_;
  MemoryFormView& view_;
  bool value_ = false;
};

class MemoryTextBox : public MemoryControl<TextBox> {
 public:
  MemoryTextBox(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
      : MemoryControl(design, journal, handle), text_(design.caption) {}
  void SetText(const std::string& text) override;
  std::string Text() const override { return text_; }
  void UserTypes(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

class MemoryRangeControl : public MemoryControl<RangeControl> {
 public:
  MemoryRangeControl(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
      : MemoryControl(design, journal, handle), range_(design.range), value_(design.range.min) {}
  void SetValue(int value) override;
  int Value() const override { return value_; }
  int Min() const override { return range_.min; }
  int Max() const override { return range_.max; }
  const RangeDesign& Range() const { return range_; }
  // What a user's click or drag does; the window's logic then hears of it as a Change.
  void UserSets(int value);

 private:
  RangeDesign range_;
  int value_;
};

class MemoryCommandButton : public MemoryControl<CommandButton> {
 public:
  MemoryCommandButton(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
      : MemoryControl(design, journal, handle), caption_(design.caption) {}
  void SetCaption(const std::string& text) override;
  std::string Caption() const override { return caption_; }

 private:
  std::string caption_;
};

class MemoryComboBox : public MemoryControl<ComboBox> {
 public:
  MemoryComboBox(const ControlDesign& design, Journal& journal, std::uintptr_t handle);
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::string List(int index) const override;
  int ListIndex() const override { return selected_; }
  void SetListIndex(int index) override;
  std::string Text() const override { return List(selected_); }
  void UserSelects(int index) { selected_ = index; }

 private:
  std::vector<std::string> items_;
  int selected_ = -1;
};

class MemoryTimer : public Timer {
 public:
  MemoryTimer(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}
  void SetInterval(std::int32_t milliseconds) override;
  std::int32_t Interval() const override { return interval_; }
  std::int32_t MaxInterval() const override { return maxInterval_; }
  void SetMaxInterval(std::int32_t max) { maxInterval_ = max; }

 private:
  std::string name_;
  Journal& journal_;
  std::int32_t interval_ = kTimerDesignInterval;
  std::int32_t maxInterval_ = 0x7FFFFFFF;
};

class MemoryForm : public Form {
 public:
  MemoryForm(const FormDesign& design, Journal& journal, std::uintptr_t smallIcon);
  void SetCaption(const std::string& text) override;
  std::string Caption() const override { return caption_; }
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  std::uintptr_t Handle() const override { return smallIcon_ + 0x20; }
  std::uintptr_t SmallIconHandle() const override { return smallIcon_; }
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  void SetDefaultButton(std::string_view button) override;
  std::string DefaultButton() const override { return defaultButton_; }
  void SetCancelButton(std::string_view button) override;
  std::string CancelButton() const override { return cancelButton_; }
  void Unload() override;
  bool Unloaded() const { return unloaded_; }

  void SetEvents(FormEvents* events) { events_ = events; }
  FormEvents* Events() const { return events_; }
  // The item the user will choose in the next popup menu; empty to dismiss it.
  void ChooseInNextPopup(std::string item) { nextChoice_ = std::move(item); }

 private:
  std::string caption_;
  Journal& journal_;
  std::uintptr_t smallIcon_;
  bool visible_ = false;
  bool unloaded_ = false;
  std::string defaultButton_;
  std::string cancelButton_;
  FormEvents* events_ = nullptr;
  std::string nextChoice_;
};

class MemoryFormView : public FormView {
 public:
  MemoryFormView(const FormDesign& design, Journal& journal);
  MemoryForm& Window() override { return form_; }
  MemoryListBox& ListBoxNamed(std::string_view name) { return Get<MemoryListBox>(name); }
  MemoryLabel& LabelNamed(std::string_view name) { return Get<MemoryLabel>(name); }
  MemoryCheckBox& CheckBoxNamed(std::string_view name) { return Get<MemoryCheckBox>(name); }
  MemoryPictureBox& PictureBoxNamed(std::string_view name) { return Get<MemoryPictureBox>(name); }
  MemoryTimer& TimerNamed(std::string_view name) override { return FindNamed(timers_, name); }
  Control& ControlNamed(std::string_view name) override { return FindNamed(controls_, name); }
  void SetEvents(FormEvents* events) override { form_.SetEvents(events); }

  using FormView::Get;
  // A control as its memory class, for tests that act as the user.
  template <class T>
  T& Get(std::string_view name) {
    if (auto* control = dynamic_cast<T*>(&ControlNamed(name))) return *control;
    throw DesignError("a control of another kind: ", name);
  }
  const FormDesign& Design() const { return design_; }
  // The option buttons of one container.
  std::vector<MemoryOptionButton*> OptionGroup(const std::string& container);

 private:
  const FormDesign& design_;
  MemoryForm form_;
  NamedControls<Control> controls_;
  NamedControls<MemoryTimer> timers_;
};

}  // namespace zentab
