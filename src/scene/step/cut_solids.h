#pragma once

#include "document.h"
#include "export/mesh.h"

// What the solid modeller tells of a jointed member's body that its section alone does not.
namespace zembrati::scene {

// What is left of a body after its cuts, exactly: in closed form for a prism or a body cut by
// planes, measured on the modeller's solid where a cope shapes an end. Raises a host error for a
// body without a solid, or a coped one in a build without the modeller.
CutExtent ExtentOf(const Node& body);

// The closed mesh an export writes of a body, placed: its own for a prism or a body cut by planes
// (exact on the planes), the modeller's mesh of its solid where a cope shapes an end.
Mesh ExportMesh(const Node& body, const RigidTransform& placement);

}  // namespace zembrati::scene
