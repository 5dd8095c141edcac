#pragma once

#include <string>
#include <vector>

#include "ui/message_box.h"

namespace zembrati::testing {

// Collects every message box shown while it is installed, answering each with its default button.
class RecordingMessages : public ui::MessageService {
 public:
  struct Shown {
    std::string text;
    std::string title;
    ui::MessageIcon icon;
  };

  RecordingMessages() : scope_(*this) {}

  ui::MessageAnswer Show(const std::string& text, const std::string& title, ui::MessageIcon icon,
                         ui::MessageButtons buttons) override {
    shown.push_back({text, title, icon});
    return buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes : ui::MessageAnswer::Ok;
  }

  std::vector<Shown> shown;

 private:
  ui::ScopedMessageService scope_;
};

}  // namespace zembrati::testing
