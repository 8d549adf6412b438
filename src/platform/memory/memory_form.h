// Controls that keep their state in memory, built from a window's control table.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_design.h"
#include "platform/form_view.h"
#include "platform/memory/journal.h"
#include "platform/named_controls.h"

namespace zentab {

// What every memory control shares: visibility, enabling, tooltip, handle, all journaled.
template <class Interface>
class MemoryControl : public Interface {
 public:
  MemoryControl(const ControlDesign& design, Journal& journal, std::uintptr_t handle)
      : name_(design.name), journal_(journal), handle_(handle), visible_(design.visible) {}
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
  bool enabled_ = true;
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
  MemoryForm(std::string caption, Journal& journal, std::uintptr_t smallIcon)
      : caption_(std::move(caption)), journal_(journal), smallIcon_(smallIcon) {}
  void SetCaption(const std::string& text) override;
  std::string Caption() const override { return caption_; }
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  std::uintptr_t SmallIconHandle() const override { return smallIcon_; }
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;

  void SetEvents(FormEvents* events) { events_ = events; }
  // The item the user will choose in the next popup menu; empty to dismiss it.
  void ChooseInNextPopup(std::string item) { nextChoice_ = std::move(item); }

 private:
  std::string caption_;
  Journal& journal_;
  std::uintptr_t smallIcon_;
  bool visible_ = false;
  FormEvents* events_ = nullptr;
  std::string nextChoice_;
};

class MemoryFormView : public FormView {
 public:
  MemoryFormView(const FormDesign& design, Journal& journal);
  MemoryForm& Window() override { return form_; }
  MemoryListBox& ListBoxNamed(std::string_view name) override;
  MemoryLabel& LabelNamed(std::string_view name) override;
  MemoryCheckBox& CheckBoxNamed(std::string_view name) override;
  MemoryPictureBox& PictureBoxNamed(std::string_view name) override;
  MemoryTimer& TimerNamed(std::string_view name) override;
  void SetEvents(FormEvents* events) override { form_.SetEvents(events); }

 private:
  MemoryForm form_;
  NamedControls<MemoryListBox> lists_;
  NamedControls<MemoryLabel> labels_;
  NamedControls<MemoryCheckBox> checkBoxes_;
  NamedControls<MemoryPictureBox> pictures_;
  NamedControls<MemoryTimer> timers_;
};

}  // namespace zentab
