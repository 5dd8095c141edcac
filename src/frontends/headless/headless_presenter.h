#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace zembrati::headless {

// A choice that names no entry of its list; says which entries there are.
class ChoiceError : public std::runtime_error {
 public:
  ChoiceError(const std::string& what, std::vector<std::string> available);
  std::vector<std::string> available;
};

// A user working the selection dialog without a window: every action goes through the same
// control events a real toolkit raises (a list selection, an option button, a tab, typed text,
// a button press), and an error in its handling is shown as a window shows it, the dialog left
// open. A choice that names nothing on screen is the script's own mistake: ChoiceError.
class ScriptedUser {
 public:
  explicit ScriptedUser(dialog::Dialog& dialog) : dialog_(dialog) {}

  // A family by its tab caption or index from 0.
  void ChooseFamily(const std::string& nameOrIndex);
  // A type by its code 1..12 or its short name (HE, IPN, ..., QUADRO).
  void ChooseType(const std::string& codeOrName);
  void ChooseStandard(const std::string& text) { Choose(dialog_.Normativa, text, "standard"); }
  void ChooseSize(const std::string& text) { Choose(dialog_.Misura, text, "size"); }
  void ChooseThickness(const std::string& text);
  void ChooseMaterial(const std::string& text) { Choose(dialog_.Materiale, text, "material"); }
  void TypeLength(const std::string& text);
  void PressOk() { Press(dialog_.OKButton, "OK"); }
  void PressCancel() { Press(dialog_.CancelButton, "Cancel"); }
  void PressDimensions() { Press(dialog_.BtnMisura, "Dimensions"); }

 private:
  void Choose(ui::ListControl& list, const std::string& text, const std::string& what);
  void Press(const ui::Button& button, const std::string& name);

  dialog::Dialog& dialog_;
};

// Shows forms without a window: loads the form, hands it to the script, and when the script
// leaves it open, closes it as a window closed by the user would be (nothing is confirmed).
// Message boxes shown meanwhile are collected and answered with their default button.
class HeadlessPresenter : public ui::FormPresenter, public ui::MessageService {
 public:
  using Script = std::function<void(dialog::Dialog&)>;

  struct Message {
    std::string text;
    std::string title;
    ui::MessageIcon icon;
  };

  explicit HeadlessPresenter(Script script);

  void ShowModal(ui::Form& form) override;
  ui::MessageAnswer Show(const std::string& text, const std::string& title, ui::MessageIcon icon,
                         ui::MessageButtons buttons) override;

  std::vector<Message> messages;
  // What the script threw, kept so the caller can report it once the modal call has returned.
  std::exception_ptr scriptFailure;

 private:
  Script script_;
  ui::ScopedFormPresenter presenterScope_;
  ui::ScopedMessageService messageScope_;
};

}  // namespace zembrati::headless
