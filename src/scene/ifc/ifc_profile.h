#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "section/loop_sketch.h"

namespace zembrati::ifc {

// A section as one of IFC's parametric profiles: the entity and its attributes after
// ProfileType, ProfileName and Position (already in the exchange structure's form), and how the
// profile stands in the section's own coordinates. IFC's parametric profiles are centred on
// their bounding box with their flanges and legs a fixed way round; the section's origin is the
// member's axis (the back of a channel's web, an angle's heel, a tee's underside), so the
// profile's origin lies at `centre` of the section, turned half a turn where `halfTurn` says.
struct ProfileDefinition {
  std::string entity;
  std::vector<std::string> attributes;
  scene::Point2 centre;
  bool halfTurn = false;
  // The thickness the user chose from the thickness list (tubes, hollow sections, flats), else 0.
  double thickness = 0;
};

// The parametric profile of a section of type `typeCode` drawn as `loops`, with the exact values
// it was drawn with (read back from the drawn corners and radii, which are the catalogue's), or
// none where the loops are not the type's outline or IFC has no profile that draws what was
// drawn (a rounded tee's tapers): such a section is written as its exact outline.
std::optional<ProfileDefinition> ParametricProfile(std::int16_t typeCode, const std::vector<scene::LoopSketch>& loops);

// The same profile with its holes filled (a tube's as a round bar, a hollow section's as a
// rounded rectangle): what a member coped around it is shaped to.
ProfileDefinition Filled(const ProfileDefinition& profile);

// The angle in degrees of a flange slope given as a rise per run (0.14 for 14 %).
double SlopeDegrees(double rise);

}  // namespace zembrati::ifc
