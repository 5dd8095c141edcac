#include <vector>

#include "dialog/dialog_procedures.h"
#include "catalogue/size_lines.h"
#include "geometry/generators.h"
#include "geometry/stated_values.h"
#include "host/session_state.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace zembrati::dialog {
namespace {

constexpr std::size_t kSlope = catalogue::named_field::kFlangeSlope;
constexpr std::size_t kWall = catalogue::named_field::kWallFactor;

// The values the panel shows for a type, in label order, derived as the outlines derive them.
std::vector<double> DisplayedValues(std::int16_t typeCode, const std::array<double, 21>& d) {
  switch (typeCode) {
    case 1: return {d[0], d[2], d[3], d[4]};
    case 2: {
      const auto flange = geometry::IpnFlange(d[2], d[3], d[4], geometry::FlangeSlope(d[kSlope], geometry::kIpnSlope));
      return {d[0], d[2], d[3], flange.t2, flange.t1};
    }
    case 3: {
      const auto flange = geometry::UpnFlange(d[2], d[3], d[4], geometry::FlangeSlope(d[kSlope], geometry::kUpnSlope));
      return {d[0], d[2], d[3], flange.t2, flange.t1};
    }
    case 4: return {d[0], d[2], d[3]};
    case 5: return {d[0], d[2], d[3], d[3]};
    case 6: {
      const auto taper = geometry::TArrTaper(d[0], d[2], d[3]);
      return {d[0], d[2], taper.w2, taper.f1, taper.w1};
    }
    case 7: return {d[0], d[2], d[0] - 2 * geometry::DesignWall(d[2], d[kWall])};
    case 8: return {d[0], d[3], d[2]};
    case 9: return {d[0], d[0], d[2]};
    case 10: return {d[0], d[2]};
    case 11:
    case 12: return {d[0]};
    default: return {};
  }
}

}  // namespace

void ShowTypePreview(Dialog& dialog, std::int16_t index) {
  for (ui::Picture& picture : dialog.Preview) picture.visible = false;
  if (index >= 0 && index < Dialog::kTypeCount) dialog.Preview[static_cast<std::size_t>(index)].visible = true;
}

void ShowDimensions(Dialog& dialog, std::int16_t typeCode) {
  if (typeCode < 1 || typeCode > Dialog::kTypeCount) return;
  std::vector<double> values;
  try {
    values = DisplayedValues(typeCode, host::Session().Dims);
  } catch (const runtime::RuntimeError&) {
    return;  // dimensions too large to derive from are not shown
  }
  std::vector<ui::Label>& labels = dialog.Lbl_Pic[static_cast<std::size_t>(typeCode - 1)];
  for (std::size_t k = 0; k < values.size(); ++k) {
    labels[k].caption = runtime::GeneralForm(values[k], runtime::UserDecimalSeparator());
  }
}

}  // namespace zembrati::dialog
