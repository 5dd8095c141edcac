#pragma once

#include "section/section.h"

namespace zembrati::scene {

// Signed area and first moments of the region a boundary encloses, by Green's theorem over its
// exact lines and arcs: positive for a counter-clockwise boundary.
struct RegionMoments {
  double area = 0;
  double momentX = 0;  // ∬ x dA
  double momentY = 0;  // ∬ y dA
};
RegionMoments MomentsOf(const Boundary& boundary);

// The exact bounding box of a boundary: line ends, arc ends and the arcs' extreme points.
Box2 BoxOf(const Boundary& boundary);

}  // namespace zembrati::scene
