#include "dimension_panel.h"

#include <cmath>
#include <optional>

#include "geometry/section_types.h"
#include "host/session_state.h"
#include "runtime/number_text.h"
#include "section_part.h"

namespace zembrati::panel {
namespace {

// What each label of a type's picture measures, in the order of its label array.
constexpr std::array<std::array<const char*, 5>, dialog::Dialog::kTypeCount> kDimensionNames{{
    {"h", "b", "tw", "tf", ""},     {"h", "b", "tw", "t2 (at the web)", "t1 (at the toe)"},
    {"h", "b", "tw", "t2 (at the web)", "t1 (at the toe)"},  {"a", "b", "t", "", ""},
    {"b", "h", "t (flange)", "t (web)", ""},  {"b", "h", "w2 (web foot)", "f1 (flange toe)", "w1 (web top)"},
    {"D", "t", "d (inside)", "", ""},  {"A", "B", "t", "", ""},  {"A", "A", "t", "", ""},
    {"A", "t", "", "", ""},  {"D", "", "", "", ""},  {"A", "", "", "", ""}}};

// The root radius of the chosen size (the fillet between web and flange, or between the legs),
// where the type has one.
std::optional<double> RootRadius(std::int16_t typeCode, const std::array<double, 21>& dims) {
  const geometry::SectionType* type = geometry::FindSectionType(typeCode);
  if (type == nullptr) return std::nullopt;
  for (std::size_t i = 0; i < type->parameterNames.size() && i < type->dimsElements.size(); ++i) {
    if (type->parameterNames[i] == "r" || type->parameterNames[i] == "r1") {
      return dims[static_cast<std::size_t>(type->dimsElements[i])];
    }
  }
  return std::nullopt;
}

// What the section of the chosen size weighs and how stiff it is, as section tables give it.
// Area and second moments come first: a window with room for two lines shows those.
std::vector<std::string> SectionData(std::int16_t typeCode) {
  const std::optional<scene::Section> section = scene::ExactSection(typeCode, host::Session().Dims);
  if (!section) return {};
  const auto shown = [](double value) {
    return runtime::GeneralForm(std::round(value * 10) / 10, runtime::UserDecimalSeparator());
  };
  const scene::SectionProperties tabulated = scene::TabulatedProperties(*section, typeCode);
  std::vector<std::string> lines{
      "A " + shown(section->area / 100) + " cm\xC2\xB2, " + shown(section->area * 7.85e-3) + " kg/m",
      "Iy " + shown(tabulated.iy / 1e4) + ", Iz " + shown(tabulated.iz / 1e4) + " cm\xE2\x81\xB4",
      "Wel,y " + shown(tabulated.wely / 1e3) + ", Wel,z " + shown(tabulated.welz / 1e3) + " cm\xC2\xB3"};
  if (const std::optional<double> radius = RootRadius(typeCode, host::Session().Dims)) {
    lines.push_back("r " + shown(*radius) + " mm");
  }
  return lines;
}

}  // namespace

DimensionPanel PanelOf(const dialog::Dialog& dialog) {
  DimensionPanel panel;
  for (int i = 0; i < dialog::Dialog::kTypeCount; ++i) {
    if (dialog.Preview[static_cast<std::size_t>(i)].visible) panel.typeIndex = i;
  }
  if (panel.typeIndex < 0) return panel;
  const auto t = static_cast<std::size_t>(panel.typeIndex);
  panel.title = std::string(geometry::SectionTypes()[t].shortName) + " (mm)";
  for (int k = 0; k < dialog::Dialog::kLabelCounts[t] && k < static_cast<int>(dialog.Lbl_Pic[t].size()); ++k) {
    const auto label = static_cast<std::size_t>(k);
    panel.lines.push_back(std::string(kDimensionNames[t][label]) + " = " + dialog.Lbl_Pic[t][label].caption);
  }
  panel.sectionData = SectionData(static_cast<std::int16_t>(panel.typeIndex + 1));
  return panel;
}

std::vector<std::vector<scene::Point2>> PictureLoops(std::int16_t typeCode, const std::array<double, 21>& dims) {
  auto loops = scene::SectionPicture(typeCode, dims);
  if (!loops) loops = scene::SectionPicture(typeCode, geometry::SampleDims(typeCode));
  return loops ? *loops : std::vector<std::vector<scene::Point2>>{};
}

}  // namespace zembrati::panel
