#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/runtime_error.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/list_control.h"
#include "ui/live_selections.h"

namespace zembrati::dialog {

// The selection dialog as a form model: exactly its controls, wired to the procedures that
// their events run. All state of a session lives in the controls and in the session state; a
// front end (headless, Qt, Win32) only mirrors the controls and forwards the user's actions as
// control events.
class Dialog : public ui::Form, public ui::LiveSelections {
 public:
  static constexpr int kTypeCount = 12;
  // The dimension label arrays of the twelve pictures, with their sizes.
  static constexpr std::array<std::string_view, kTypeCount> kLabelArrayNames{
      "Lbl_PicHE",  "Lbl_PicIPN",  "Lbl_PicUPN",      "Lbl_PicL",        "Lbl_PicT",      "Lbl_PicT1",
      "Lbl_PicTubo", "Lbl_PicRettCavo", "Lbl_PicQuadCavo", "Lbl_PicPiatto", "Lbl_PicTondo", "Lbl_PicQuadro"};
  static constexpr std::array<int, kTypeCount> kLabelCounts{4, 5, 5, 3, 4, 5, 3, 3, 3, 2, 1, 1};

  Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Form_Load: InitDialog.
  void Load() override;
  // The thickness list loses the focus: its value is taken without refreshing the display.
  void SpessoreValidate();

  std::string caption;
  float top = 0;   // twips
  float left = 0;  // twips

  ui::TabStrip TabNorme;
  ui::Frame Frame1;
  ui::OptionButtonArray OptTypeProfil{kTypeCount};
  ui::Frame FrameData;
  ui::Label LblNormativa;
  ui::ListControl Normativa;
  ui::Label NormaDescr;
  ui::Label LblMisura;
  ui::ListControl Misura;
  ui::Label LblSpessore;
  ui::ListControl Spessore;
  ui::Label LblMateriale;
  ui::ListControl Materiale;
  ui::Label LblLunghezza;
  ui::TextBox DimLen{"1500"};
  ui::Frame FramePreview;
  std::array<ui::Picture, kTypeCount> Preview;
  std::array<std::vector<ui::Label>, kTypeCount> Lbl_Pic;  // by type code - 1
  ui::Button OKButton;
  ui::Button CancelButton;
  ui::Button BtnMisura;
  // Whether the selected size's line was read: after a size the reader refused, the section
  // dimensions are not that size's, and OK waits for another size.
  bool sizeRead = true;

  // While the dialog loads (tabs built, preferences read), a change of the current tab is the
  // load's own doing and does not run the tab handling: the load selects the family itself.
  bool Loading() const { return loading_; }

  // What the part classes read while a part is made.
  std::string StandardText() const override { return Normativa.Text(); }
  std::string SizeText() const override { return Misura.Text(); }
  std::string MaterialText() const override { return Materiale.Text(); }
  std::int16_t StandardItemData() const override;
  std::string SizeTag() const override { return Misura.Tag(); }
  std::string ThicknessText() const override { return Spessore.Visible() ? Spessore.Text() : std::string(); }

 private:
  void WireEvents();
  bool loading_ = false;
};

// Shows a new dialog modally through the thread's presenter, its selections published for the
// part classes while it is live; returns when it has been unloaded.
void ShowSelectionDialog();

// A user's action in the open dialog (a selection, typed text, a button) whose handling failed:
// the error is shown as "Error N: description" under the dialog's title, and the dialog stays
// open for the user to go on or cancel. Every front end reports such errors this way.
void ReportActionError(const runtime::RuntimeError& error);
// Runs a user's action on the open dialog, reporting a runtime error that escapes it.
void RunUserAction(const std::function<void()>& action);

// The numeric value of a text box or list entry: its leading number ("12abc" 12, "1,5" 1).
double NumericValue(const std::string& text);

}  // namespace zembrati::dialog
