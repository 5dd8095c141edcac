#pragma once

#include <string>

#include "document.h"

namespace zembrati::scene {

// The body's solid, placed, in the solid modeller's own text format (BRep): how a CAD program
// built on the same modeller takes the exact solid over, lines as planes and arcs as cylinders.
// Raises a host error when the solid cannot be made, or in a build without the modeller.
std::string SolidBrepText(const Node& body, const RigidTransform& placement);

}  // namespace zembrati::scene
