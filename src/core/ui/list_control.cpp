#include "ui/list_control.h"

#include "runtime/integer_conversion.h"
#include "runtime/runtime_error.h"

namespace zembrati::ui {

void ListControl::Clear() {
  entries_.clear();
  listIndex_ = -1;
  newIndex_ = -1;
}

void ListControl::AddItem(std::string_view text, std::int16_t itemData) {
  if (entries_.size() >= 32767) runtime::Raise(runtime::error::kOverflow);
  entries_.emplace_back(text, itemData);
  newIndex_ = static_cast<std::int16_t>(entries_.size() - 1);
}

const ListControl::Entry& ListControl::At(std::int16_t index) const {
  if (index < 0 || index >= ListCount()) runtime::Raise(381);  // invalid property array index
  return entries_[static_cast<std::size_t>(index)];
}

const std::string& ListControl::List(std::int16_t index) const { return At(index).text; }

std::int16_t ListControl::ItemData(std::int16_t index) const { return At(index).itemData; }

void ListControl::SetItemData(std::int16_t index, std::int16_t data) {
  At(index);
  entries_[static_cast<std::size_t>(index)].itemData = data;
}

void ListControl::SetListIndex(std::int16_t index) {
  if (index < -1 || index >= ListCount()) runtime::Raise(runtime::error::kInvalidPropertyValue);
  listIndex_ = index;
  changed = true;
  if (onClick) onClick();
}

std::string ListControl::Text() const { return listIndex_ < 0 ? std::string() : List(listIndex_); }

}  // namespace zembrati::ui
