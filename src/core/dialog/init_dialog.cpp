#include "catalogue/configuration.h"
#include "catalogue/string_table.h"
#include "dialog/dialog_procedures.h"
#include "host/session_state.h"
#include "runtime/number_text.h"

namespace zembrati::dialog {
namespace {

void SetCaptions(Dialog& dialog, std::int16_t base) {
  dialog.caption = catalogue::LoadString(base + catalogue::text::kTitle);
  ui::Label* labels[] = {&dialog.LblNormativa, &dialog.LblMisura, &dialog.LblSpessore, &dialog.LblMateriale,
                         &dialog.LblLunghezza};
  for (int i = 0; i < 5; ++i) labels[i]->caption = catalogue::LoadString(base + catalogue::text::kStandard + i);
  dialog.OKButton.caption = catalogue::LoadString(base + catalogue::text::kOk);
  dialog.CancelButton.caption = catalogue::LoadString(base + catalogue::text::kCancel);
  dialog.BtnMisura.caption = catalogue::LoadString(base + catalogue::text::kDimensions);
}

// The part's own family is on screen and in NormTab before its type is set, so the type's
// standards are read from that family's catalogue.
void LoadEditedPart(Dialog& dialog) {
  host::SessionState& session = host::Session();
  dialog.TabNorme.SetCurrent(session.StoredTab);
  session.NormTab = session.StoredTab;
  session.TypeCode = session.StoredType;
  dialog.OptTypeProfil.Set(session.TypeCode - 1);
  SelectNormTab(dialog, session.StoredTab);
}

// A new part opens on the preferences. Without them it opens on the type of the last session of
// this process, and on HE beams when there was none.
void LoadNewPart(Dialog& dialog) {
  ReadPrefs(dialog);
  const std::int16_t typeCode = host::Session().TypeCode;
  if (typeCode <= 0) {
    // Setting the button runs its click, which selects the type: once, so that the catalogue
    // is read, and any message about it shown, once.
    dialog.OptTypeProfil.Set(0);
  } else if (dialog.OptTypeProfil.Value() < 0 && typeCode <= Dialog::kTypeCount) {
    dialog.OptTypeProfil.Set(typeCode - 1);
  }
}

}  // namespace

void BuildNormTabs(Dialog& dialog) {
  for (std::int32_t n = 0;; ++n) {
    std::string name;
    catalogue::GetNormeName(name, runtime::IntegerText(n));
    if (name.empty()) {
      dialog.TabNorme.SetCurrent(0);
      return;
    }
    if (n > 0) {
      dialog.TabNorme.SetTabCount(n + 1);
      dialog.TabNorme.singleRow = true;
      dialog.TabNorme.heightTwips = 300;
    }
    dialog.TabNorme.SetCurrent(n);
    dialog.TabNorme.SetCaption(n, name);
  }
}

void InitDialog(Dialog& dialog) {
  BuildNormTabs(dialog);
  // The lists always come from the family on screen, whatever the previous session chose.
  host::Session().NormTab = static_cast<std::int16_t>(dialog.TabNorme.Current());
  catalogue::LoadPaths();
  catalogue::GetLanguageBase(host::Session().LangBase);
  SetCaptions(dialog, host::Session().LangBase);
  if (host::Session().EditMode) {
    LoadEditedPart(dialog);
  } else {
    LoadNewPart(dialog);
  }
}

}  // namespace zembrati::dialog
