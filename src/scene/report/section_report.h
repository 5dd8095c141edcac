#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>

#include "section/section.h"

namespace zembrati::report {

// The density reports give masses with.
inline constexpr double kSteelDensityKgPerM3 = 7850;
// The mass in kg of a steel volume in mm³.
inline double SteelMassKg(double volumeMm3) { return volumeMm3 * 1e-9 * kSteelDensityKgPerM3; }


// A section's properties as reports give them: area, mass per metre, centroid, second
// moments about the centroid, principal axes, elastic section moduli and radii of gyration, in
// mm, mm², mm³, mm⁴ and kg/m. The y and z axes are those of the section tables for the type with
// code `typeCode` (Iy about the drawing's horizontal axis, but for an angle or a rectangular
// hollow section about its vertical one); the centroid is in the drawing's x and y.
nlohmann::ordered_json SectionPropertiesJson(const scene::Section& section, std::int16_t typeCode);
// The same as lines of text, each starting with `indent`.
std::string SectionPropertiesText(const scene::Section& section, std::int16_t typeCode, const std::string& indent);

// The section reports of one command, each section's worked out once: a scene of thousands of
// parts has a handful of sections (bodies drawn alike share one). Each section is held while
// the cache lives, so that no other takes its place under the same address.
class SectionReports {
 public:
  const nlohmann::ordered_json& Json(const std::shared_ptr<const scene::Section>& section, std::int16_t typeCode);
  const std::string& Text(const std::shared_ptr<const scene::Section>& section, std::int16_t typeCode, const std::string& indent);

 private:
  struct Entry {
    std::shared_ptr<const scene::Section> section;
    nlohmann::ordered_json json;
    std::map<std::string, std::string> text;  // by indent
  };
  Entry& EntryOf(const std::shared_ptr<const scene::Section>& section, std::int16_t typeCode);
  std::map<std::pair<const scene::Section*, std::int16_t>, Entry> entries_;
};

}  // namespace zembrati::report
