#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"

namespace zembrati::geometry {

using automation::ObjectRef;

// Runs a generator with its dimension parameters in order, the length, then the stated values.
using GeneratorCall = void (*)(const ObjectRef& shape, const std::string& name,
                               std::span<const double> parameters);

// One of the twelve section types: its code (1..12; also the index of its type button plus one
// and its section number in the standards index file), the part class that serves it, a short
// name for the command line, its generator, and which elements of the section dimension array
// the generator receives, in parameter order (element 1, the length, always last).
struct SectionType {
  std::int16_t code;
  std::string_view className;
  std::string_view shortName;
  std::string_view generatorName;
  std::vector<int> dimsElements;
  std::vector<std::string_view> parameterNames;  // one per entry of dimsElements
  GeneratorCall generate;
  // The elements the named fields of a size line fill (slope, design wall, corner radii) that
  // the generator also takes, after the length; 0 in them draws the type as it always was.
  std::vector<int> statedElements = {};
  // Section tables show the type a quarter turn from the way it is drawn: an angle stands on its
  // first leg there and a rectangular hollow section on its short side, while the drawing lays
  // the first leg and the long side along x. Their y and z axes are then the drawing's vertical
  // and horizontal ones.
  bool tablesTurnIt = false;
};

const std::vector<SectionType>& SectionTypes();
// The type with this code, or nothing for a code outside 1..12.
const SectionType* FindSectionType(std::int16_t code);
// The type whose short name (HE, IPN, ..., QUADRO) or class name matches, ignoring case.
const SectionType* FindSectionType(std::string_view name);

// A typical size of the type as a section dimension array (element 1 the length), for pictures
// of the type and for benchmarks: an HEA 200, an IPN and a UPN 200, a CHS 60.3 x 4 and so on.
std::array<double, 21> SampleDims(std::int16_t code);

// Runs the type's generator on the elements of `dims` it takes.
void GenerateSection(const SectionType& type, const ObjectRef& shape, const std::string& name,
                     std::span<const double> dims);

}  // namespace zembrati::geometry
