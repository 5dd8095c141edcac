#include "catalogue/catalogue_readers.h"
#include "catalogue/catalogue_text.h"
#include "catalogue/configuration.h"
#include "dialog/dialog_procedures.h"
#include "host/session_state.h"
#include "runtime/number_text.h"

namespace zembrati::dialog {
namespace {

bool HasThickness(std::int16_t typeCode) { return typeCode >= 7 && typeCode <= 10; }

std::string IndexPath() { return host::Session().NormeDir + host::Session().IniFile; }

// Puts the edited part's stored choices back into the lists and the length box; every match runs
// its list's click handling, so the lists below it are refilled before they are searched.
void LoadStoredChoices(Dialog& dialog) {
  const host::SessionState& session = host::Session();
  SelectListText(dialog.Normativa, session.StoredNorm);
  SelectListText(dialog.Misura, session.StoredCode);
  SelectListText(dialog.Materiale, session.StoredMaterial);
  dialog.DimLen.SetText(runtime::GeneralForm(session.StoredLength, '.'));
  dialog.Misura.changed = false;
  dialog.Normativa.changed = false;
  dialog.Materiale.changed = false;
  dialog.Spessore.changed = false;
  dialog.DimLen.changed = false;
}

}  // namespace

void SelectNormTab(Dialog& dialog, std::int16_t tab) {
  host::Session().NormTab = tab;
  SelectSectionType(dialog, static_cast<std::int16_t>(host::Session().TypeCode - 1));
}

void SelectSectionType(Dialog& dialog, std::int16_t index) {
  host::SessionState& session = host::Session();
  catalogue::LoadTypePaths(0);
  if (index >= 0 && index < Dialog::kTypeCount) session.TypeCode = static_cast<std::int16_t>(index + 1);
  const bool thickness = HasThickness(session.TypeCode);
  dialog.Spessore.SetVisible(thickness);
  dialog.LblSpessore.visible = thickness;
  FillNormList(dialog, session.TypeCode);
  if (session.EditMode) LoadStoredChoices(dialog);
  ShowTypePreview(dialog, index);
  RefreshOkButton(dialog);
}

void FillNormList(Dialog& dialog, std::int16_t typeCode) {
  if (typeCode <= 0) return;
  const std::int16_t status = catalogue::QNorma(IndexPath(), typeCode, dialog.Normativa);
  EnableInputs(dialog, status <= 0);
  SelectFirstIfNone(dialog.Normativa);
  RefreshOkButton(dialog);
}

void EnableInputs(Dialog& dialog, bool enabled) {
  dialog.Normativa.SetEnabled(enabled);
  dialog.Misura.SetEnabled(enabled);
  dialog.Materiale.SetEnabled(enabled);
  dialog.Spessore.SetEnabled(enabled);
  dialog.DimLen.enabled = enabled;
  RefreshOkButton(dialog);
}

// OK makes a part of the standard and size on screen: with either list empty, without a
// selection or with a size whose line could not be read there is nothing to make, so OK waits
// until there is.
void RefreshOkButton(Dialog& dialog) {
  dialog.OKButton.enabled = dialog.Normativa.Enabled() && dialog.Normativa.ListIndex() >= 0 &&
                            dialog.Misura.ListIndex() >= 0 && dialog.sizeRead;
}

void SelectNorm(Dialog& dialog, std::int16_t key) {
  std::string indexPath = IndexPath();
  catalogue::QData(indexPath, host::Session().DataDir, key, dialog.Misura, dialog.NormaDescr, dialog.Materiale);
  SelectFirstIfNone(dialog.Misura);
  SelectFirstIfNone(dialog.Materiale);
  RefreshOkButton(dialog);
}

void SelectSize(Dialog& dialog) {
  host::SessionState& session = host::Session();
  dialog.sizeRead = catalogue::QMisura(dialog.Misura, session.Dims, session.SizePartNumber);
  session.Dims[1] = NumericValue(dialog.DimLen.Text());
  if (!HasThickness(session.TypeCode)) return;
  FillThicknessList(dialog);
  session.Dims[2] = NumericValue(dialog.Spessore.Text());
}

void FillThicknessList(Dialog& dialog) {
  catalogue::QSpessori(dialog.Misura, dialog.Spessore);
  SelectFirstIfNone(dialog.Spessore);
}

void SelectFirstIfNone(ui::ListControl& list) {
  if (list.ListCount() > 0 && list.ListIndex() < 0) list.SetListIndex(0);
}

void SelectListText(ui::ListControl& list, const std::string& text) {
  const std::string wanted = catalogue::TrimSpaces(text);
  for (std::int16_t i = 0; i < list.ListCount(); ++i) {
    if (catalogue::TrimSpaces(list.List(i)) == wanted) {
      list.SetListIndex(i);
      return;
    }
  }
}

}  // namespace zembrati::dialog
