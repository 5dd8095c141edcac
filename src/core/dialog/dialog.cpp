#include "dialog/dialog.h"

#include "dialog/dialog_procedures.h"
#include "host/session_state.h"
#include "catalogue/string_table.h"
#include "runtime/number_text.h"
#include "runtime/numeric_prefix.h"
#include "runtime/runtime_error.h"
#include "ui/message_box.h"

namespace zembrati::dialog {

double NumericValue(const std::string& text) { return runtime::NumericPrefixValue(text); }

Dialog::Dialog() {
  FramePreview.visible = false;
  LblSpessore.visible = false;
  Spessore.SetVisible(false);
  for (int i = 0; i < kTypeCount; ++i) Lbl_Pic[static_cast<std::size_t>(i)].resize(static_cast<std::size_t>(kLabelCounts[static_cast<std::size_t>(i)]));
  WireEvents();
}

void Dialog::WireEvents() {
  OptTypeProfil.onClick = [this](int index) { SelectSectionType(*this, static_cast<std::int16_t>(index)); };
  TabNorme.onClick = [this] {
    if (!loading_) SelectNormTab(*this, static_cast<std::int16_t>(TabNorme.Current()));
  };
  Normativa.onClick = [this] {
    if (Normativa.ListIndex() >= 0) SelectNorm(*this, Normativa.ItemData(Normativa.ListIndex()));
  };
  Misura.onClick = [this] {
    SelectSize(*this);
    RefreshOkButton(*this);
    ShowDimensions(*this, host::Session().TypeCode);
  };
  Spessore.onClick = [this] {
    host::Session().Dims[2] = NumericValue(Spessore.Text());
    ShowDimensions(*this, host::Session().TypeCode);
  };
  DimLen.onChange = [this] { host::Session().Dims[1] = NumericValue(DimLen.Text()); };
  BtnMisura.onClick = [this] {
    const std::int16_t typeCode = host::Session().TypeCode;
    ShowTypePreview(*this, static_cast<std::int16_t>(typeCode - 1));
    ShowDimensions(*this, typeCode);
    FrameData.visible = !FrameData.visible;
    FramePreview.visible = !FrameData.visible;
  };
  OKButton.onClick = [this] { ConfirmDialog(*this); };
  CancelButton.onClick = [this] { Unload(); };
}

void Dialog::Load() {
  loading_ = true;
  try {
    InitDialog(*this);
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
}

void ShowSelectionDialog() {
  Dialog dialog;
  ui::ScopedLiveSelections live(dialog);
  ui::ShowModal(dialog);
}

void ReportActionError(const runtime::RuntimeError& error) {
  const std::int16_t base = host::Session().LangBase;
  ui::ShowMessage("Error " + runtime::IntegerText(error.number()) + ": " + error.description(),
                  catalogue::LoadString(base + catalogue::text::kTitle), ui::MessageIcon::Critical,
                  ui::MessageButtons::Ok);
}

void RunUserAction(const std::function<void()>& action) {
  try {
    action();
  } catch (const runtime::RuntimeError& error) {
    ReportActionError(error);
  }
}

void Dialog::SpessoreValidate() { host::Session().Dims[2] = NumericValue(Spessore.Text()); }

std::int16_t Dialog::StandardItemData() const {
  return Normativa.ListIndex() < 0 ? std::int16_t{0} : Normativa.ItemData(Normativa.ListIndex());
}

}  // namespace zembrati::dialog
