#include "dialog/dialog.h"

#include "dialog/dialog_procedures.h"
#include "host/session_state.h"
#include "catalogue/string_table.h"
#include "runtime/file_reading_scope.h"
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

namespace {

// Each of the user's actions reads a catalogue file from the disk once, however many of its
// readers open it; the next action reads it again.
template <typename Handler>
auto ReadingFilesOnce(Handler handler) {
  return [handler](auto... args) {
    const runtime::FileReadingScope scope;
    handler(args...);
  };
}

}  // namespace

void Dialog::WireEvents() {
  OptTypeProfil.onClick = ReadingFilesOnce([this](int index) { SelectSectionType(*this, static_cast<std::int16_t>(index)); });
  TabNorme.onClick = ReadingFilesOnce([this] {
    if (!loading_) SelectNormTab(*this, static_cast<std::int16_t>(TabNorme.Current()));
  });
  Normativa.onClick = ReadingFilesOnce([this] {
    if (Normativa.ListIndex() >= 0) SelectNorm(*this, Normativa.ItemData(Normativa.ListIndex()));
  });
  Misura.onClick = ReadingFilesOnce([this] {
    SelectSize(*this);
    RefreshOkButton(*this);
    ShowDimensions(*this, host::Session().TypeCode);
  });
  Spessore.onClick = ReadingFilesOnce([this] {
    host::Session().Dims[2] = NumericValue(Spessore.Text());
    ShowDimensions(*this, host::Session().TypeCode);
  });
  DimLen.onChange = [this] { host::Session().Dims[1] = NumericValue(DimLen.Text()); };
  BtnMisura.onClick = ReadingFilesOnce([this] {
    const std::int16_t typeCode = host::Session().TypeCode;
    ShowTypePreview(*this, static_cast<std::int16_t>(typeCode - 1));
    ShowDimensions(*this, typeCode);
    FrameData.visible = !FrameData.visible;
    FramePreview.visible = !FrameData.visible;
  });
  OKButton.onClick = ReadingFilesOnce([this] { ConfirmDialog(*this); });
  CancelButton.onClick = [this] { Unload(); };
}

void Dialog::Load() {
  loading_ = true;
  try {
    const runtime::FileReadingScope scope;
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
