#include "python_ui.h"

#include <memory>

#include "dialog/dialog.h"
#include "dialog_window.h"

namespace zembrati::freecad {
namespace {

namespace py = pybind11;

const char* ButtonsName(ui::MessageButtons buttons) {
  switch (buttons) {
    case ui::MessageButtons::OkCancel: return "okcancel";
    case ui::MessageButtons::YesNo: return "yesno";
    case ui::MessageButtons::Ok: return "ok";
  }
  return "ok";
}

ui::MessageAnswer DefaultAnswer(ui::MessageButtons buttons) {
  return buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes : ui::MessageAnswer::Ok;
}

}  // namespace

PythonUi::PythonUi(py::object ui) : ui_(std::move(ui)), presenterScope_(*this), messageScope_(*this) {}

void PythonUi::ShowModal(ui::Form& form) {
  form.Load();
  auto* dialog = dynamic_cast<dialog::Dialog*>(&form);
  if (!form.Unloaded() && dialog != nullptr && !failure_) {
    const auto window = std::make_shared<DialogWindow>(*dialog);
    try {
      ui_.attr("show_dialog")(window);
    } catch (...) {
      failure_ = std::current_exception();
    }
    window->Detach();  // the form goes away when the system returns; the window must not reach it
  }
  if (!form.Unloaded()) form.Unload();  // closed by the user: nothing confirmed
}

ui::MessageAnswer PythonUi::Show(const std::string& text, const std::string& title, ui::MessageIcon icon,
                                 ui::MessageButtons buttons) {
  if (failure_) return DefaultAnswer(buttons);
  try {
    const std::string answer = py::str(ui_.attr("show_message")(text, title, ui::MessageIconName(icon), ButtonsName(buttons)));
    if (answer == "cancel") return ui::MessageAnswer::Cancel;
    if (answer == "yes") return ui::MessageAnswer::Yes;
    if (answer == "no") return ui::MessageAnswer::No;
    if (answer == "ok") return ui::MessageAnswer::Ok;
  } catch (...) {
    failure_ = std::current_exception();
  }
  return DefaultAnswer(buttons);
}

void PythonUi::RethrowFailure() const {
  if (failure_) std::rethrow_exception(failure_);
}

}  // namespace zembrati::freecad
