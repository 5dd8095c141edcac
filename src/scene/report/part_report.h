#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <nlohmann/json.hpp>

#include "document.h"
#include "report/section_report.h"

namespace zembrati::report {

// Everything a part of the built-in host tells of itself: name, class, type code, standard,
// size, material, length, its part variables with their types, its properties and summary, its
// area, volume, mass and section properties, and its placement. A damaged part reports what it
// still holds (null or empty where it holds nothing).
// A command reporting many parts passes its `sections`, so that each section is worked out once.
nlohmann::ordered_json PartReport(const scene::NodePtr& part, SectionReports* sections = nullptr);

// A host value as JSON: {"type": "Integer", "value": 3}; objects and empty values as null.
nlohmann::ordered_json ValueReport(const automation::Variant& value);

// The part's section type code from its stored data, or 0 where it holds none.
std::int16_t StoredTypeCode(const scene::Node& part);
inline std::int16_t StoredTypeCode(const scene::NodePtr& part) { return StoredTypeCode(*part); }

// A stored choice of the part (the text variable (2, index): 1 its class, 13 its standard, 14
// its size, 15 its data file, 16 its material), empty where it holds none.
std::string StoredText(const scene::Node& part, std::int16_t index);
// The standards family (the dialog's tab) the part was chosen from, or none.
std::optional<std::int16_t> StoredFamily(const scene::Node& part);

// The part number its summary holds, empty where it has none.
std::string PartNumberOf(const scene::Node& part);

// What the part is, without its length or mark: its name template up to the length ("IPE 300",
// "CFCHS 60.3x4", "W 310x38.7 (W12x26)"), or where it has none, its standard and size.
std::string PartDesignation(const scene::Node& part);

// The part's mark: what the user added to its generated name (" C1"), blanks trimmed.
std::string PartMark(const scene::Node& part);

}  // namespace zembrati::report
