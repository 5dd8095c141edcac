#include <optional>

#include "dialog/dialog_procedures.h"
#include "host/session_state.h"
#include "runtime/integer_conversion.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file.h"
#include "ui/message_box.h"

namespace zembrati::dialog {
namespace {

void ShowPrefsError(const runtime::RuntimeError& error, const char* title) {
  const std::int32_t number = error.number();
  const std::string numberText = (number >= 0 ? " " : "") + runtime::IntegerText(number);
  ui::ShowMessage("ERRORE " + numberText + " " + std::string(runtime::ErrorDescription(number)), title,
                  ui::MessageIcon::Critical, ui::MessageButtons::Ok);
}

std::int16_t IntegerLine(runtime::TextFileReader& file) {
  return runtime::RoundToInteger(NumericValue(file.ReadLine()));
}

// Line 4: the type, with its option button. A stored code that has no button leaves the type of
// the session as it was, so that nothing later works on a type that does not exist.
void RestoreType(Dialog& dialog, std::int16_t typeCode) {
  host::SessionState& session = host::Session();
  const std::int16_t previous = session.TypeCode;
  session.TypeCode = typeCode;
  try {
    dialog.OptTypeProfil.Set(typeCode - 1);
  } catch (const runtime::RuntimeError&) {
    session.TypeCode = previous;
    throw;
  }
  SelectNormTab(dialog, session.NormTab);
}

void ApplyPrefs(Dialog& dialog, runtime::TextFileReader& file) {
  host::SessionState& session = host::Session();
  dialog.top = static_cast<float>(NumericValue(file.ReadLine()));
  dialog.left = static_cast<float>(NumericValue(file.ReadLine()));
  // A family that is no longer configured is refused by the tab strip before NormTab takes it.
  const std::int16_t family = IntegerLine(file);
  dialog.TabNorme.SetCurrent(family);
  session.NormTab = family;
  RestoreType(dialog, IntegerLine(file));
  dialog.Normativa.SetListIndex(IntegerLine(file));
  dialog.Misura.SetListIndex(IntegerLine(file));
  dialog.Materiale.SetListIndex(IntegerLine(file));
  dialog.DimLen.SetText(runtime::GeneralForm(NumericValue(file.ReadLine()), '.'));
  const std::int16_t thickness = IntegerLine(file);
  if (thickness > 0 && dialog.Spessore.Visible()) dialog.Spessore.SetListIndex(thickness);
}

}  // namespace

void ReadPrefs(Dialog& dialog) {
  std::optional<runtime::TextFileReader> file;
  try {
    file.emplace(host::Session().PrefsFile);
    ApplyPrefs(dialog, *file);
  } catch (const runtime::RuntimeError& error) {
    file.reset();
    if (error.number() != runtime::error::kFileNotFound) ShowPrefsError(error, "Read Prefs");
  }
}

void WritePrefs(Dialog& dialog) {
  const host::SessionState& session = host::Session();
  try {
    runtime::TextFileWriter file(session.PrefsFile);
    file.WriteLine(runtime::PrintFormSingle(dialog.top));
    file.WriteLine(runtime::PrintFormSingle(dialog.left));
    file.WriteLine(runtime::PrintForm(session.NormTab));
    file.WriteLine(runtime::PrintForm(session.TypeCode));
    file.WriteLine(runtime::PrintForm(dialog.Normativa.ListIndex()));
    file.WriteLine(runtime::PrintForm(dialog.Misura.ListIndex()));
    file.WriteLine(runtime::PrintForm(dialog.Materiale.ListIndex()));
    file.WriteLine(dialog.DimLen.Text());
    file.WriteLine(runtime::PrintForm(dialog.Spessore.Visible() ? dialog.Spessore.ListIndex() : -1));
    file.Close();
  } catch (const runtime::RuntimeError& error) {
    ShowPrefsError(error, "Write Prefs");
  }
}

}  // namespace zembrati::dialog
