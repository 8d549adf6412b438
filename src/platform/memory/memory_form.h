// Controls that keep their state in memory, built from a window's control table.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_view.h"
#include "platform/memory/journal.h"

namespace zentab {

class MemoryListBox : public ListBox {
 public:
  MemoryListBox(std::string name, Journal& journal, std::uintptr_t handle)
      : name_(std::move(name)), journal_(journal), handle_(handle) {}
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetToolTipText(const std::string& text) override;
  std::uintptr_t Handle() const override { return handle_; }
  void AddItem(const std::string& line) override;
  void RemoveItem(int index) override;
  void Clear() override;
  int ListCount() const override { return static_cast<int>(lines_.size()); }
  std::string List(int index) const override;
  int ListIndex() const override { return selected_; }
  void SetListIndex(int index) override;

  const std::vector<std::string>& Lines() const { return lines_; }
  const std::string& ToolTipText() const { return toolTip_; }
  // Every index the program selected, in order (-1 for a deselection).
  const std::vector<int>& Selections() const { return selections_; }
  // What a user's click does: select a line without the program knowing.
  void UserSelects(int index) { selected_ = index; }

 private:
  std::string name_;
  Journal& journal_;
  std::uintptr_t handle_;
  std::vector<std::string> lines_;
  std::vector<int> selections_;
  int selected_ = -1;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
};

class MemoryLabel : public Label {
 public:
  MemoryLabel(std::string name, std::string caption, Journal& journal, std::uintptr_t handle)
      : name_(std::move(name)), journal_(journal), handle_(handle), caption_(std::move(caption)) {}
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetToolTipText(const std::string&) override {}
  std::uintptr_t Handle() const override { return handle_; }
  void SetCaption(const std::string& text) override;
  std::string Caption() const override { return caption_; }
  void Refresh() override;

  // The caption at every immediate repaint, in order.
  const std::vector<std::string>& Repaints() const { return repaints_; }

 private:
  std::string name_;
  Journal& journal_;
  std::uintptr_t handle_;
  std::string caption_;
  std::vector<std::string> repaints_;
  bool visible_ = true;
  bool enabled_ = true;
};

class MemoryCheckBox : public CheckBox {
 public:
  MemoryCheckBox(std::string name, Journal& journal, std::uintptr_t handle)
      : name_(std::move(name)), journal_(journal), handle_(handle) {}
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetToolTipText(const std::string&) override {}
  std::uintptr_t Handle() const override { return handle_; }
  void SetValue(int value) override;
  int Value() const override { return value_; }
  // What a user's click does.
  void UserSets(int value) { value_ = value; }

 private:
  std::string name_;
  Journal& journal_;
  std::uintptr_t handle_;
  int value_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
};

class MemoryPictureBox : public PictureBox {
 public:
  explicit MemoryPictureBox(std::uintptr_t handle) : handle_(handle) {}
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetToolTipText(const std::string&) override {}
  std::uintptr_t Handle() const override { return handle_; }

 private:
  std::uintptr_t handle_;
  bool visible_ = false;
  bool enabled_ = true;
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
  MemoryFormView(const FormDesign& spec, Journal& journal);
  MemoryForm& Window() override { return form_; }
  MemoryListBox& ListBoxNamed(std::string_view name) override;
  MemoryLabel& LabelNamed(std::string_view name) override;
  MemoryCheckBox& CheckBoxNamed(std::string_view name) override;
  MemoryPictureBox& PictureBoxNamed(std::string_view name) override;
  MemoryTimer& TimerNamed(std::string_view name) override;
  void SetEvents(FormEvents* events) override { form_.SetEvents(events); }

 private:
  template <typename T>
  T& Find(std::map<std::string, std::unique_ptr<T>, std::less<>>& controls, std::string_view name);

  MemoryForm form_;
  std::map<std::string, std::unique_ptr<MemoryListBox>, std::less<>> lists_;
  std::map<std::string, std::unique_ptr<MemoryLabel>, std::less<>> labels_;
  std::map<std::string, std::unique_ptr<MemoryCheckBox>, std::less<>> checkBoxes_;
  std::map<std::string, std::unique_ptr<MemoryPictureBox>, std::less<>> pictures_;
  std::map<std::string, std::unique_ptr<MemoryTimer>, std::less<>> timers_;
};

}  // namespace zentab
