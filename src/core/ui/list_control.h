#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zembrati::ui {

// A drop-down pick list as the dialog toolkit offers it: entries with a text and a 16-bit item
// data, a selected index (-1 for none), a tag text. Selecting an entry, by the user or by the
// program, raises the same click event: the dialog's cascade of lists depends on it.
class ListControl {
 public:
  void Clear();
  // Appends an entry at the end, with its item data; NewIndex() is then its index.
  void AddItem(std::string_view text, std::int16_t itemData = 0);
  std::int16_t NewIndex() const { return newIndex_; }
  std::int16_t ListCount() const { return static_cast<std::int16_t>(entries_.size()); }
  // An entry's text and item data; an index outside the list raises error 381.
  const std::string& List(std::int16_t index) const;
  std::int16_t ItemData(std::int16_t index) const;
  void SetItemData(std::int16_t index, std::int16_t data);

  std::int16_t ListIndex() const { return listIndex_; }
  // Selects an entry (-1 for none) and raises the click event; an index outside -1 .. count-1
  // raises error 380 (invalid property value) and changes nothing.
  void SetListIndex(std::int16_t index);
  // The selected entry's text, or an empty text when none is selected.
  std::string Text() const;

  const std::string& Tag() const { return tag_; }
  void SetTag(const std::string& tag) { tag_ = tag; }

  // Set by every change of the selection, by the user or the program.
  bool changed = false;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  std::function<void()> onClick;

 private:
  struct Entry {
    Entry(std::string_view entryText, std::int16_t data) : text(entryText), itemData(data) {}
    std::string text;
    std::int16_t itemData = 0;
  };
  const Entry& At(std::int16_t index) const;

  std::vector<Entry> entries_;
  std::int16_t listIndex_ = -1;
  std::int16_t newIndex_ = -1;
  std::string tag_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A static text.
struct Label {
  std::string caption;
  bool visible = true;
};

}  // namespace zembrati::ui
