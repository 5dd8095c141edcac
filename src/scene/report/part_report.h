#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

#include "document.h"

namespace zembrati::report {

// Everything a part of the built-in host tells of itself: name, class, type code, standard,
// size, material, length, its part variables with their types, its properties and summary, its
// area, volume, mass and section properties, and its placement. A damaged part reports what it
// still holds (null or empty where it holds nothing).
nlohmann::ordered_json PartReport(const scene::NodePtr& part);

// A host value as JSON: {"type": "Integer", "value": 3}; objects and empty values as null.
nlohmann::ordered_json ValueReport(const automation::Variant& value);

// The part's section type code from its stored data, or 0 where it holds none.
std::int16_t StoredTypeCode(const scene::NodePtr& part);

}  // namespace zembrati::report
