#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "section/section.h"

namespace zembrati::cli {

// A section's properties as the commands report them: area, mass per metre, centroid, second
// moments about the centroid (Iy about the drawing's horizontal axis), principal axes, elastic
// section moduli and radii of gyration, in mm, mm², mm³, mm⁴ and kg/m.
nlohmann::ordered_json SectionPropertiesJson(const scene::Section& section);
// The same as lines of text, each starting with `indent`.
std::string SectionPropertiesText(const scene::Section& section, const std::string& indent);

}  // namespace zembrati::cli
