#pragma once

#include <vector>

#include "document.h"

// What an exchange format that describes solids by their construction (IFC's extrusions and
// Boolean differences) needs of a coped end, from the solid modeller that shapes it.
namespace zembrati::scene {

struct Box3 {
  Vector3 min, max;
};

// The outline a cope is shaped around, grown by its gap exactly as the cope grows it (arcs about
// convex corners), as lines and arcs in the other member's section coordinates.
Boundary GrownCopeOutline(const CopeTool& tool);

// A coped body's cuts may leave pieces beside the member itself (what lies in the hollows of the
// other member's section, or beyond it), which the member's solid leaves out. These are boxes, in
// the body's own coordinates, each around one such piece and clear of the member, so that taking
// them away too leaves the member's solid. Raises a host error where a box would touch the member.
std::vector<Box3> CopeOffcutBoxes(const Node& body);

}  // namespace zembrati::scene
