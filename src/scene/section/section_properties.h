#pragma once

#include "section/section.h"

namespace zembrati::scene {

// Signed area and first moments of the region a boundary encloses, by Green's theorem over its
// exact lines and arcs: positive for a counter-clockwise boundary.
struct RegionMoments {
  double area = 0;
  double momentX = 0;  // ∬ x dA
  double momentY = 0;  // ∬ y dA
  double inertiaXX = 0;  // ∬ x² dA
  double inertiaYY = 0;  // ∬ y² dA
  double inertiaXY = 0;  // ∬ xy dA
  RegionMoments& operator+=(const RegionMoments& other);
  RegionMoments Scaled(double factor) const;
};
RegionMoments MomentsOf(const Boundary& boundary);

// From the moments of the whole section (holes subtracted), its area, centroid and box.
SectionProperties PropertiesOf(const RegionMoments& moments, const Box2& box);

// The same properties with the section's y and z axes exchanged, for a type that section tables
// show turned a quarter turn from the way it is drawn.
SectionProperties Transposed(const SectionProperties& properties);

// The exact bounding box of a boundary: line ends, arc ends and the arcs' extreme points.
Box2 BoxOf(const Boundary& boundary);

}  // namespace zembrati::scene
