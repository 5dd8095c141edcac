#pragma once

#include <array>
#include <vector>

#include "document.h"

namespace zembrati::scene {

// A closed triangle mesh of a body: both end caps and the side faces, every triangle's vertices
// counter-clockwise seen from outside.
struct Mesh {
  std::vector<std::array<Vector3, 3>> triangles;
};

// The mesh of a rebuilt body, placed by `placement` (the part's). Arcs are divided into chords of
// at most 1/64 of a turn.
Mesh MeshOfBody(const Node& body, const RigidTransform& placement);

}  // namespace zembrati::scene
