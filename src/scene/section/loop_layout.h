#pragma once

#include <vector>

#include "section/section.h"

namespace zembrati::scene {

// Checks that the loops of one profile make a sound region: no loop crosses or touches itself
// or another loop, exactly one loop (the outline) contains all the others, and no hole lies
// inside another hole. Returns the index of the outline; raises a host error otherwise. Lines
// and arcs are met as they are (crossings in closed form), to within a billionth of the
// profile's size.
std::size_t CheckLoopLayout(const std::vector<Boundary>& loops);

// True when `point` lies inside the closed boundary (even-odd rule, arcs as arcs).
bool Inside(const Boundary& boundary, Point2 point);

}  // namespace zembrati::scene
