#pragma once

#include "section/loop_sketch.h"
#include "section/section.h"

namespace zembrati::scene {

// The exact boundary of one loop: its lines with the requested corners replaced by tangent arcs,
// or its circle. `loopNumber` (from 1) only names the loop in error descriptions.
Boundary BoundaryFromSketch(const LoopSketch& sketch, int loopNumber);

}  // namespace zembrati::scene
