#pragma once

#include <pybind11/pybind11.h>

#include <exception>

#include "ui/form.h"
#include "ui/message_box.h"

namespace zembrati::freecad {

// The windows of a session, drawn by the workbench's Python side: a Python object with
// `show_dialog(window)`, which runs the selection dialog modally over a DialogWindow, and
// `show_message(text, title, icon, buttons)`, which shows a message box and answers "ok",
// "cancel", "yes" or "no". Installed for the thread while a session runs.
class PythonUi : public ui::FormPresenter, public ui::MessageService {
 public:
  explicit PythonUi(pybind11::object ui);

  void ShowModal(ui::Form& form) override;
  ui::MessageAnswer Show(const std::string& text, const std::string& title, ui::MessageIcon icon,
                         ui::MessageButtons buttons) override;

  // A Python error raised while a window was shown: the window was closed without confirming
  // anything, and the error goes back to the caller once the system has returned.
  void RethrowFailure() const;

 private:
  pybind11::object ui_;
  std::exception_ptr failure_;
  ui::ScopedFormPresenter presenterScope_;
  ui::ScopedMessageService messageScope_;
};

}  // namespace zembrati::freecad
