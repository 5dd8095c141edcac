#pragma once

#include <string>
#include <vector>

#include "ui/message_box.h"

namespace zembrati::fuzz {

// Answers every message box with its default button and keeps the texts.
class SilentMessages : public ui::MessageService {
 public:
  SilentMessages() : scope_(*this) {}
  ui::MessageAnswer Show(const std::string& text, const std::string&, ui::MessageIcon, ui::MessageButtons buttons) override {
    shown.push_back(text);
    return buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes : ui::MessageAnswer::Ok;
  }
  std::vector<std::string> shown;

 private:
  ui::ScopedMessageService scope_;
};

}  // namespace zembrati::fuzz
