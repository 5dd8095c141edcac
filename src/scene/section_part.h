#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/status.h"
#include "scene_host.h"
#include "section/section.h"

namespace zembrati::scene {

// Makes a part in `host` holding one body of the section type, drawn by the system's own
// generator from `dims` (element 1 the length) and named `name`. Returns what the generator or
// the host refused, if anything; `body` is the new body when one was added.
runtime::Status BuildSectionPart(SceneHost& host, std::int16_t typeCode, const std::string& name,
                                 const std::array<double, 21>& dims, NodePtr& body);

// The exact section the system's own generator draws from `dims` (built on a scratch document
// whatever length element 1 holds), or nothing when the dimensions make no sound section.
std::optional<Section> ExactSection(std::int16_t typeCode, const std::array<double, 21>& dims);

// A section's properties in the axes section tables use for the type with code `typeCode`: the
// drawing's, or for a type the tables show turned a quarter turn (an angle, a rectangular hollow
// section), with y and z exchanged.
SectionProperties TabulatedProperties(const Section& section, std::int16_t typeCode);

// The outline of a section as the system's own generator draws it, for pictures: the loops as
// polylines (outline first), built on a scratch document. Nothing when the dimensions make no
// sound section.
std::optional<std::vector<std::vector<Point2>>> SectionPicture(std::int16_t typeCode,
                                                                const std::array<double, 21>& dims);

}  // namespace zembrati::scene
