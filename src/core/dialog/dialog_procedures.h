#pragma once

#include <cstdint>
#include <string>

#include "automation/variant.h"
#include "dialog/dialog.h"

// The procedures the dialog's events run, as the form's modules hold them.
namespace zembrati::dialog {

// Start-up.
void InitDialog(Dialog& dialog);
void BuildNormTabs(Dialog& dialog);

// The cascade of lists: family, type, standard, size, thickness.
void SelectNormTab(Dialog& dialog, std::int16_t tab);
void SelectSectionType(Dialog& dialog, std::int16_t index);
void FillNormList(Dialog& dialog, std::int16_t typeCode);
void SelectNorm(Dialog& dialog, std::int16_t key);
void SelectSize(Dialog& dialog);
void FillThicknessList(Dialog& dialog);
void SelectFirstIfNone(ui::ListControl& list);
void SelectListText(ui::ListControl& list, const std::string& text);
void EnableInputs(Dialog& dialog, bool enabled);
// OK is enabled while the inputs are and a standard and a size are selected.
void RefreshOkButton(Dialog& dialog);

// The dimension panel.
void ShowTypePreview(Dialog& dialog, std::int16_t index);
void ShowDimensions(Dialog& dialog, std::int16_t typeCode);

// The remembered choices.
void ReadPrefs(Dialog& dialog);
void WritePrefs(Dialog& dialog);

// OK.
void ConfirmDialog(Dialog& dialog);
void CreatePartFromDialog(Dialog& dialog);
// The tail the user added to an edited part's generated name, or an empty text.
std::string GetNameSuffix(const automation::ObjectRef& part);

}  // namespace zembrati::dialog
