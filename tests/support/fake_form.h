// Windows for the logic's tests: controls that keep their state in memory, built from a window's
// design, and a host that shows windows modally while a test acts as the user. What the program
// does to them goes, in order, to a journal.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_host.h"
#include "platform/form_view.h"

namespace zentab::test {

struct Journal {
  std::vector<std::string> entries;
  // Called after each entry: lets a test act while the program waits in a call.
  std::function<void(const std::string&)> observer;
  void Add(std::string entry) {
    entries.push_back(std::move(entry));
    if (observer) observer(entries.back());
  }
};

// The state every fake control may need: a text (from the design's caption) and a value.
template <class Interface>
class Fake : public Interface {
 public:
  Fake(const ControlDesign& design, Journal& journal)
      : text_(design.caption), name_(design.name), journal_(journal), visible_(design.visible) {}
  void SetVisible(bool visible) override { visible_ = visible, Log("Visible", visible); }
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled, Log("Enabled", enabled); }
  bool Enabled() const override { return enabled_; }
  void SetToolTipText(const std::string& tip) override { tip_ = tip, Log("ToolTipText", tip); }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(this); }
  const std::string& Tip() const { return tip_; }
  // What a user does: picks a line or an item, ticks a box, moves a bar.
  void UserSets(int value) { value_ = value; }

 protected:
  void Log(const char* what, const std::string& value) {
    journal_.Add(name_ + "." + what + (value.empty() ? "" : " " + value));
  }
  void Log(const char* what, int value) { Log(what, std::to_string(value)); }
  std::string text_;
  int value_ = 0;

 private:
  std::string name_;
  Journal& journal_;
  bool visible_;
  bool enabled_ = true;
  std::string tip_;
};

// A list's value is the selected line, -1 for none.
class FakeListBox : public Fake<ListBox> {
 public:
  FakeListBox(const ControlDesign& d, Journal& j) : Fake(d, j) { value_ = -1; }
  using ListBox::AddItem;
  void AddItem(const std::string& line, std::uint32_t data) override;
  void RemoveItem(int index) override;
  void Clear() override { lines.clear(), data.clear(), value_ = -1, Log("Clear", ""); }
  int ListCount() const override { return static_cast<int>(lines.size()); }
  std::string List(int index) const override {
    return index >= 0 && index < ListCount() ? lines[static_cast<size_t>(index)] : "";
  }
  std::uint32_t ItemData(int index) const override {
    return index >= 0 && index < ListCount() ? data[static_cast<size_t>(index)] : 0;
  }
  int ListIndex() const override { return value_; }
  void SetListIndex(int index) override;
  std::vector<std::string> lines;
  std::vector<std::uint32_t> data;
};

class FakeLabel : public Fake<Label> {
 public:
  using Fake::Fake;
  void SetCaption(const std::string& text) override { text_ = text, Log("Caption", text); }
  std::string Caption() const override { return text_; }
  void Refresh() override { Log("Refresh", text_); }
};

class FakeCheckBox : public Fake<CheckBox> {
 public:
  using Fake::Fake;
  void SetValue(int value) override { value_ = value, Log("Value", value); }
  int Value() const override { return value_; }
};

// Selecting one clears the others of its container.
class FakeOptionButton : public Fake<OptionButton> {
 public:
  FakeOptionButton(const ControlDesign& d, Journal& j, std::vector<FakeOptionButton*>& group)
      : Fake(d, j), group_(group) {
    group.push_back(this);
  }
  void SetValue(bool selected) override { Select(selected), Log("Value", selected); }
  bool Value() const override { return value_ != 0; }
  void UserSelects() { Select(true); }

 private:
  void Select(bool selected);
  std::vector<FakeOptionButton*>& group_;
};

class FakeTextBox : public Fake<TextBox> {
 public:
  using Fake::Fake;
  void SetText(const std::string& text) override { text_ = text, Log("Text", text); }
  std::string Text() const override { return text_; }
};

// A spin control or scroll bar, kept within its design's range.
class FakeRange : public Fake<RangeControl> {
 public:
  FakeRange(const ControlDesign& d, Journal& j) : Fake(d, j), range_(d.range) {
    value_ = d.range.min;
  }
  void SetValue(int value) override { UserSets(value), Log("Value", value_); }
  int Value() const override { return value_; }
  int Min() const override { return range_.min; }
  int Max() const override { return range_.max; }
  void UserSets(int value) { value_ = std::clamp(value, range_.min, range_.max); }

 private:
  RangeDesign range_;
};

class FakeButton : public Fake<CommandButton> {
 public:
  using Fake::Fake;
  void SetCaption(const std::string& text) override { text_ = text, Log("Caption", text); }
  std::string Caption() const override { return text_; }
};

class FakeComboBox : public Fake<ComboBox> {
 public:
  FakeComboBox(const ControlDesign& d, Journal& j)
      : Fake(d, j), items_(d.items.begin(), d.items.end()) {
    value_ = -1;
  }
  int ListCount() const override { return static_cast<int>(items_.size()); }
  std::string List(int i) const override {
    return i >= 0 && i < ListCount() ? std::string(items_[static_cast<size_t>(i)]) : "";
  }
  int ListIndex() const override { return value_; }
  void SetListIndex(int index) override { value_ = index, Log("ListIndex", index); }
  std::string Text() const override { return List(value_); }

 private:
  std::vector<std::string_view> items_;
};

class FakeTimer : public Timer {
 public:
  FakeTimer(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}
  void SetInterval(std::int32_t ms) override {
    interval_ = ms, journal_.Add(name_ + ".Interval " + std::to_string(ms));
  }
  std::int32_t Interval() const override { return interval_; }
  std::int32_t MaxInterval() const override { return maxInterval; }
  std::int32_t maxInterval = 0x7FFFFFFF;

 private:
  std::string name_;
  Journal& journal_;
  std::int32_t interval_ = kTimerDesignInterval;
};

class FakeWindow : public Form {
 public:
  FakeWindow(const FormDesign& design, Journal& journal);
  void SetCaption(const std::string& text) override;
  std::string Caption() const override { return caption_; }
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(this); }
  std::uintptr_t SmallIconHandle() const override { return Handle() + 1; }
  // Shows the menu: the user then picks `nextChoice` (none when empty).
  void PopupMenu(const std::string& menu, const std::string& defaultItem) override;
  void SetMenuItemEnabled(std::string_view item, bool enabled) override {
    disabled[std::string(item)] = !enabled;
  }
  void SetDefaultButton(std::string_view button) override;
  std::string DefaultButton() const override { return defaultButton_; }
  void SetCancelButton(std::string_view button) override { cancelButton_ = button; }
  std::string CancelButton() const override { return cancelButton_; }
  void Unload() override { unloaded = true, journal_.Add("Unload"); }

  FormEvents* events = nullptr;
  std::string nextChoice;
  std::map<std::string, bool> disabled;  // menu items
  bool unloaded = false;

 private:
  Journal& journal_;
  std::string caption_;
  bool visible_ = false;
  std::string defaultButton_;
  std::string cancelButton_;
};

class FakeView : public FormView {
 public:
  FakeView(const FormDesign& design, Journal& journal);
  FakeWindow& Window() override { return window_; }
  Control& ControlNamed(std::string_view name) override;
  FakeTimer& TimerNamed(std::string_view name) override;
  void SetEvents(FormEvents* events) override { window_.events = events; }
  // A control as its fake, for a test that acts as the user.
  template <class F, class T>
  F& As(ControlId<T> id) {
    return dynamic_cast<F&>(Get(id));
  }

 private:
  FakeWindow window_;
  std::map<std::string_view, std::unique_ptr<Control>> controls_;
  std::map<std::string_view, std::unique_ptr<FakeTimer>> timers_;
  std::map<std::string_view, std::vector<FakeOptionButton*>> groups_;
};

// What the user does in the next window shown modally, once it has loaded.
using WhileShown = std::function<void(FakeView& view, ModalForm& form)>;

class FakeHost : public FormHost {
 public:
  explicit FakeHost(Journal& journal) : journal_(journal) {}
  void ShowModal(const FormDesign& design, const MakeForm& make) override;
  bool ActivateModal() override;
  std::deque<WhileShown> next;

 private:
  Journal& journal_;
  int shown_ = 0;
};

}  // namespace zentab::test
