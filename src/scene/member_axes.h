#pragma once

#include <optional>

#include "rigid_transform.h"

namespace zembrati::scene {

// How a member drawn between two points stands: its origin at the start, its local z axis (the
// extrusion) from start to end, its local y axis as near global +Z as that axis allows (global +Y
// for a vertical member, whose axis allows none), then both turned by `rollDegrees` about the
// member's axis, counterclockwise seen from the end. None when the points coincide or are not
// finite.
std::optional<RigidTransform> MemberPlacement(Vector3 start, Vector3 end, double rollDegrees);

double Distance(Vector3 a, Vector3 b);

}  // namespace zembrati::scene
