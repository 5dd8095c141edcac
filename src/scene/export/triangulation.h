#pragma once

#include <array>
#include <vector>

#include "section/section.h"

namespace zembrati::scene {

// A section's area cut into triangles over the points of its polylines: the outline and holes
// are joined into one polygon by bridges, then ears are clipped. Triangles run counter-clockwise.
struct Triangulation {
  std::vector<Point2> points;
  std::vector<std::array<std::size_t, 3>> triangles;
};

// `rings` as OrientRings leaves them: the outline counter-clockwise, the holes clockwise.
Triangulation Triangulate(const std::vector<std::vector<Point2>>& rings);

// Turns the outline (the first ring) counter-clockwise and the holes clockwise, so that the
// material always lies to the left of travel.
std::vector<std::vector<Point2>> OrientRings(std::vector<std::vector<Point2>> outlineThenHoles);

}  // namespace zembrati::scene
