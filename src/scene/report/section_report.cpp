#include "report/section_report.h"

#include <cmath>
#include <numbers>
#include <sstream>

#include "runtime/number_text.h"
#include "section_part.h"

namespace zembrati::report {
namespace {

// Four significant digits, as section tables print them.
std::string Tabulated(double value) {
  if (value == 0 || !std::isfinite(value)) return runtime::GeneralForm(value);
  const double scale = std::pow(10.0, 3 - std::floor(std::log10(std::fabs(value))));
  return runtime::GeneralForm(std::round(value * scale) / scale);
}

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

}  // namespace

nlohmann::ordered_json SectionPropertiesJson(const scene::Section& section, std::int16_t typeCode) {
  const scene::SectionProperties p = scene::TabulatedProperties(section, typeCode);
  return {{"area_mm2", section.area},
          {"mass_kg_per_m", SteelMassKg(section.area * 1000)},
          {"centroid_mm", {section.centroid.x, section.centroid.y}},
          {"Iy_mm4", p.iy},
          {"Iz_mm4", p.iz},
          {"Iyz_mm4", p.iyz},
          {"Iu_mm4", p.iu},
          {"Iv_mm4", p.iv},
          {"alpha_deg", Degrees(p.alpha)},
          {"Wel_y_mm3", p.wely},
          {"Wel_z_mm3", p.welz},
          {"i_y_mm", p.radiusY},
          {"i_z_mm", p.radiusZ},
          {"i_u_mm", p.radiusU},
          {"i_v_mm", p.radiusV}};
}

std::string SectionPropertiesText(const scene::Section& section, std::int16_t typeCode, const std::string& indent) {
  const scene::SectionProperties p = scene::TabulatedProperties(section, typeCode);
  std::ostringstream out;
  out << indent << "Iy " << Tabulated(p.iy / 1e4) << " cm⁴, Iz " << Tabulated(p.iz / 1e4) << " cm⁴";
  if (std::fabs(p.iyz) > 1e-9 * (p.iy + p.iz)) {
    out << ", Iyz " << Tabulated(p.iyz / 1e4) << " cm⁴\n"
        << indent << "principal Iu " << Tabulated(p.iu / 1e4) << " cm⁴, Iv " << Tabulated(p.iv / 1e4)
        << " cm⁴, u at " << Tabulated(Degrees(p.alpha)) << "° from y; i_v " << Tabulated(p.radiusV / 10) << " cm";
  }
  out << "\n"
      << indent << "Wel,y " << Tabulated(p.wely / 1e3) << " cm³, Wel,z " << Tabulated(p.welz / 1e3) << " cm³; i_y "
      << Tabulated(p.radiusY / 10) << " cm, i_z " << Tabulated(p.radiusZ / 10) << " cm\n";
  return out.str();
}

SectionReports::Entry& SectionReports::EntryOf(const std::shared_ptr<const scene::Section>& section, std::int16_t typeCode) {
  auto [found, added] = entries_.try_emplace({section.get(), typeCode});
  if (added) {
    found->second.section = section;
    found->second.json = SectionPropertiesJson(*section, typeCode);
  }
  return found->second;
}

const nlohmann::ordered_json& SectionReports::Json(const std::shared_ptr<const scene::Section>& section, std::int16_t typeCode) {
  return EntryOf(section, typeCode).json;
}

const std::string& SectionReports::Text(const std::shared_ptr<const scene::Section>& section, std::int16_t typeCode,
                                        const std::string& indent) {
  Entry& entry = EntryOf(section, typeCode);
  auto [found, added] = entry.text.try_emplace(indent);
  if (added) found->second = SectionPropertiesText(*section, typeCode, indent);
  return found->second;
}

}  // namespace zembrati::report
