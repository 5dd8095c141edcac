#pragma once

#include "document.h"
#include "export/svg_export.h"

namespace zembrati::scene {

// A body's elevation (seen along its section's x axis, y up) and plan (seen along y, x up) with
// its end cuts, as the modeller's hidden-line removal draws the edges of its solid: the axis runs
// across both. Raises a host error for a body without a solid, or in a build without the modeller.
MemberView ElevationOf(const Node& body);
MemberView PlanOf(const Node& body);

}  // namespace zembrati::scene
