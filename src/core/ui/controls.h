#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zembrati::ui {

// The controls of the dialog toolkit besides the pick list (list_control.h), as form models:
// they hold all state, and a change made by the program raises the same event as a user's.

// A single-line text input. Every change of its text, by the user or the program, raises
// onChange and sets the changed flag.
class TextBox {
 public:
  TextBox() = default;
  // A design-time text: no change event, no changed flag.
  explicit TextBox(std::string initial) : text_(std::move(initial)) {}
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);

  bool enabled = true;
  bool visible = true;
  bool changed = false;
  std::function<void()> onChange;

 private:
  std::string text_;
};

// A row of option buttons of which at most one is set. Setting one, by the user or the program,
// raises onClick with its index.
class OptionButtonArray {
 public:
  explicit OptionButtonArray(int count) : count_(count) {}
  int Count() const { return count_; }
  // The set button, or -1.
  int Value() const { return value_; }
  // Sets button `index` (error 340, no such control array element, outside 0..count-1).
  void Set(int index);

  std::function<void(int index)> onClick;

 private:
  int count_;
  int value_ = -1;
};

// A strip of tabs with captions. Making a tab current, by the user or the program, raises onClick.
class TabStrip {
 public:
  TabStrip() : captions_(1, "Tab 1") {}
  int TabCount() const { return static_cast<int>(captions_.size()); }
  void SetTabCount(int count);
  const std::string& Caption(int index) const;
  void SetCaption(int index, const std::string& caption);
  int Current() const { return current_; }
  // Makes tab `index` current (error 380 for a tab that does not exist).
  void SetCurrent(int index);

  int heightTwips = 300;
  bool singleRow = true;
  std::function<void()> onClick;

 private:
  std::vector<std::string> captions_;
  int current_ = 0;
};

struct Button {
  std::string caption;
  bool enabled = true;
  bool visible = true;
  std::function<void()> onClick;
  // A press: runs onClick when the button is enabled and visible, as a window would.
  void Click() const {
    if (enabled && visible && onClick) onClick();
  }
};

struct Frame {
  bool visible = true;
};

struct Picture {
  bool visible = false;
};

}  // namespace zembrati::ui
