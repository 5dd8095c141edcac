#include "headless_presenter.h"

#include <algorithm>

#include "geometry/section_types.h"

namespace zembrati::headless {
namespace {

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + ("\"" + item + "\"");
  return text.empty() ? "none" : text;
}

std::vector<std::string> Entries(const ui::ListControl& list) {
  std::vector<std::string> entries;
  for (std::int16_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
  return entries;
}


}  // namespace

ChoiceError::ChoiceError(const std::string& what, std::vector<std::string> entries)
    : std::runtime_error(what + "; the list holds " + Joined(entries)), available(std::move(entries)) {}

void ScriptedUser::Choose(ui::ListControl& list, const std::string& text, const std::string& what) {
  if (!list.Enabled() || !list.Visible()) {
    throw ChoiceError("the " + what + " list cannot be used now", Entries(list));
  }
  for (std::int16_t i = 0; i < list.ListCount(); ++i) {
    if (list.List(i) == text) {
      dialog::RunUserAction([&] { list.SetListIndex(i); });
      return;
    }
  }
  throw ChoiceError("no " + what + " \"" + text + "\"", Entries(list));
}

void ScriptedUser::ChooseFamily(const std::string& nameOrIndex) {
  std::vector<std::string> captions;
  for (int i = 0; i < dialog_.TabNorme.TabCount(); ++i) captions.push_back(dialog_.TabNorme.Caption(i));
  for (int i = 0; i < dialog_.TabNorme.TabCount(); ++i) {
    if (captions[static_cast<std::size_t>(i)] == nameOrIndex || nameOrIndex == std::to_string(i)) {
      dialog::RunUserAction([&] { dialog_.TabNorme.SetCurrent(i); });
      return;
    }
  }
  throw ChoiceError("no family \"" + nameOrIndex + "\"", captions);
}

void ScriptedUser::ChooseType(const std::string& codeOrName) {
  const geometry::SectionType* type = geometry::FindSectionType(codeOrName);
  for (const auto& t : geometry::SectionTypes()) {
    if (codeOrName == std::to_string(t.code)) type = &t;
  }
  if (type == nullptr) {
    std::vector<std::string> names;
    for (const auto& t : geometry::SectionTypes()) names.emplace_back(t.shortName);
    throw ChoiceError("no section type \"" + codeOrName + "\"", names);
  }
  dialog::RunUserAction([&] { dialog_.OptTypeProfil.Set(type->code - 1); });
}

void ScriptedUser::ChooseThickness(const std::string& text) {
  Choose(dialog_.Spessore, text, "thickness");
  dialog::RunUserAction([&] { dialog_.SpessoreValidate(); });
}

void ScriptedUser::TypeLength(const std::string& text) {
  if (!dialog_.DimLen.enabled) throw ChoiceError("the length box cannot be used now", {});
  dialog::RunUserAction([&] { dialog_.DimLen.SetText(text); });
}

void ScriptedUser::Press(const ui::Button& button, const std::string& name) {
  if (!button.enabled) throw ChoiceError("the " + name + " button is disabled", {});
  dialog::RunUserAction([&] { button.Click(); });
}

HeadlessPresenter::HeadlessPresenter(Script script)
    : script_(std::move(script)), presenterScope_(*this), messageScope_(*this) {}

void HeadlessPresenter::ShowModal(ui::Form& form) {
  form.Load();
  if (!form.Unloaded() && script_) {
    if (auto* dialog = dynamic_cast<dialog::Dialog*>(&form)) {
      try {
        script_(*dialog);
      } catch (...) {
        // The user's script went wrong: the window is closed without confirming anything.
        scriptFailure = std::current_exception();
      }
    }
  }
  if (!form.Unloaded()) form.Unload();
}

ui::MessageAnswer HeadlessPresenter::Show(const std::string& text, const std::string& title, ui::MessageIcon icon,
                                          ui::MessageButtons buttons) {
  messages.push_back({text, title, icon});
  return buttons == ui::MessageButtons::YesNo ? ui::MessageAnswer::Yes : ui::MessageAnswer::Ok;
}

}  // namespace zembrati::headless
