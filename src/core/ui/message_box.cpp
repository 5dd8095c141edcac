#include "ui/message_box.h"

#include <iostream>

namespace zembrati::ui {

const char* MessageIconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return "critical";
    case MessageIcon::Exclamation: return "exclamation";
    case MessageIcon::Question: return "question";
    case MessageIcon::Information: return "information";
    case MessageIcon::None: return "none";
  }
  return "none";
}
namespace {
thread_local MessageService* installedService = nullptr;
}  // namespace

MessageAnswer ShowMessage(const std::string& text, const std::string& title, MessageIcon icon,
                          MessageButtons buttons) {
  if (installedService != nullptr) return installedService->Show(text, title, icon, buttons);
  std::cerr << title << ": " << text << "\n";
  return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

ScopedMessageService::ScopedMessageService(MessageService& service) : previous_(installedService) {
  installedService = &service;
}

ScopedMessageService::~ScopedMessageService() { installedService = previous_; }

}  // namespace zembrati::ui
