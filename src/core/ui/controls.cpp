#include "ui/controls.h"

#include "runtime/runtime_error.h"

namespace zembrati::ui {

void TextBox::SetText(const std::string& text) {
  text_ = text;
  changed = true;
  if (onChange) onChange();
}

void OptionButtonArray::Set(int index) {
  if (index < 0 || index >= count_) runtime::Raise(340);  // control array element does not exist
  value_ = index;
  if (onClick) onClick(index);
}

void TabStrip::SetTabCount(int count) {
  if (count < 1) runtime::Raise(runtime::error::kInvalidPropertyValue);
  captions_.resize(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    if (captions_[i].empty()) captions_[i] = "Tab " + std::to_string(i + 1);
  }
  if (current_ >= count) current_ = 0;
}

const std::string& TabStrip::Caption(int index) const {
  if (index < 0 || index >= TabCount()) runtime::Raise(runtime::error::kInvalidPropertyValue);
  return captions_[static_cast<std::size_t>(index)];
}

void TabStrip::SetCaption(int index, const std::string& caption) {
  Caption(index);
  captions_[static_cast<std::size_t>(index)] = caption;
}

void TabStrip::SetCurrent(int index) {
  if (index < 0 || index >= TabCount()) runtime::Raise(runtime::error::kInvalidPropertyValue);
  current_ = index;
  if (onClick) onClick();
}

}  // namespace zembrati::ui
