#include "dialog_window.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "dimension_panel.h"
#include "geometry/section_types.h"
#include "host/session_state.h"

namespace zembrati::freecad {
namespace {

using Json = nlohmann::ordered_json;

Json ListJson(const ui::ListControl& list, const ui::Label& label, bool labelShown) {
  Json entries = Json::array();
  for (std::int16_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
  return {{"label", label.caption},
          {"label_visible", labelShown},
          {"entries", entries},
          {"selected", list.ListIndex()},
          {"enabled", list.Enabled()},
          {"visible", list.Visible()}};
}

Json ButtonJson(const ui::Button& button) {
  return {{"caption", button.caption}, {"enabled", button.enabled}, {"visible", button.visible}};
}

Json PanelJson(const dialog::Dialog& dialog) {
  const panel::DimensionPanel panel = panel::PanelOf(dialog);
  Json loops = Json::array();
  if (panel.typeIndex >= 0) {
    for (const auto& loop : panel::PictureLoops(static_cast<std::int16_t>(panel.typeIndex + 1), host::Session().Dims)) {
      Json points = Json::array();
      for (const scene::Point2& p : loop) points.push_back({p.x, p.y});
      loops.push_back(points);
    }
  }
  return {{"type", panel.typeIndex}, {"title", panel.title}, {"lines", panel.lines},
          {"data", panel.sectionData}, {"loops", loops}};
}

}  // namespace

std::string DialogWindow::StateJson() const {
  if (Closed()) return Json{{"closed", true}}.dump();
  const dialog::Dialog& d = *dialog_;
  Json families = Json::array();
  for (int i = 0; i < d.TabNorme.TabCount(); ++i) families.push_back(d.TabNorme.Caption(i));
  Json types = Json::array();
  for (const auto& type : geometry::SectionTypes()) types.push_back(std::string(type.shortName));
  const Json state = {
      {"closed", false},
      {"caption", d.caption},
      {"families", families},
      {"family", d.TabNorme.Current()},
      {"types", types},
      {"type", d.OptTypeProfil.Value()},
      {"data_shown", d.FrameData.visible},
      {"preview_shown", d.FramePreview.visible},
      {"lists",
       {{"standard", ListJson(d.Normativa, d.LblNormativa, d.LblNormativa.visible)},
        {"size", ListJson(d.Misura, d.LblMisura, d.LblMisura.visible)},
        {"thickness", ListJson(d.Spessore, d.LblSpessore, d.LblSpessore.visible)},
        {"material", ListJson(d.Materiale, d.LblMateriale, d.LblMateriale.visible)}}},
      {"description", d.NormaDescr.caption},
      {"length", {{"label", d.LblLunghezza.caption}, {"text", d.DimLen.Text()}, {"enabled", d.DimLen.enabled}}},
      {"buttons", {{"ok", ButtonJson(d.OKButton)}, {"cancel", ButtonJson(d.CancelButton)},
                   {"dimensions", ButtonJson(d.BtnMisura)}}},
      {"panel", PanelJson(d)}};
  return state.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void DialogWindow::ChooseFamily(int index) {
  if (Closed() || index < 0 || index >= dialog_->TabNorme.TabCount()) return;
  dialog::RunUserAction([&] { dialog_->TabNorme.SetCurrent(index); });
}

void DialogWindow::ChooseType(int index) {
  if (Closed() || index < 0 || index >= dialog_->OptTypeProfil.Count()) return;
  dialog::RunUserAction([&] { dialog_->OptTypeProfil.Set(index); });
}

ui::ListControl* DialogWindow::ListNamed(const std::string& list) const {
  if (list == "standard") return &dialog_->Normativa;
  if (list == "size") return &dialog_->Misura;
  if (list == "thickness") return &dialog_->Spessore;
  if (list == "material") return &dialog_->Materiale;
  throw std::invalid_argument("no list \"" + list + "\"; the lists are standard, size, thickness and material");
}

void DialogWindow::Select(const std::string& list, int index) {
  if (Closed()) return;
  ui::ListControl* control = ListNamed(list);
  if (!control->Enabled() || !control->Visible() || index < 0 || index >= control->ListCount()) return;
  dialog::RunUserAction([&] {
    control->SetListIndex(static_cast<std::int16_t>(index));
    if (control == &dialog_->Spessore) dialog_->SpessoreValidate();
  });
}

void DialogWindow::TypeLength(const std::string& text) {
  if (Closed() || !dialog_->DimLen.enabled) return;
  dialog::RunUserAction([&] { dialog_->DimLen.SetText(text); });
}

void DialogWindow::Press(const std::string& button) {
  if (Closed()) return;
  const ui::Button* pressed = button == "ok"           ? &dialog_->OKButton
                              : button == "cancel"     ? &dialog_->CancelButton
                              : button == "dimensions" ? &dialog_->BtnMisura
                                                       : nullptr;
  if (pressed == nullptr) throw std::invalid_argument("no button \"" + button + "\"; the buttons are ok, cancel and dimensions");
  dialog::RunUserAction([&] { pressed->Click(); });
}

void DialogWindow::Close() {
  if (!Closed()) dialog_->Unload();
}

}  // namespace zembrati::freecad
