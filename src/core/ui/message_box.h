#pragma once

#include <string>

namespace zembrati::ui {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The icon's name as the front ends outside the toolkit hand it on ("critical", "exclamation",
// "question", "information", "none").
const char* MessageIconName(MessageIcon icon);

// The title a message box gets when its caller gives none: the application's.
inline constexpr const char* kApplicationTitle = "Zembrati";

// Shows modal message boxes. The front end in use (a window, the headless presenter, a test)
// installs one for the thread it runs on.
class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

// Shows a message through the installed service. Without one the message is written to standard
// error and answered with the default button, so that no message is ever lost.
MessageAnswer ShowMessage(const std::string& text, const std::string& title = kApplicationTitle,
                          MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);

class ScopedMessageService {
 public:
  explicit ScopedMessageService(MessageService& service);
  ~ScopedMessageService();
  ScopedMessageService(const ScopedMessageService&) = delete;
  ScopedMessageService& operator=(const ScopedMessageService&) = delete;

 private:
  MessageService* previous_;
};

}  // namespace zembrati::ui
