#pragma once

#include <cstddef>
#include <vector>

#include "section/section.h"

// Questions asked of a section's exact boundaries by what is built around it: where a line
// crosses them, how far they reach in a direction, which way is out.
namespace zembrati::scene {

// The angle at which an arc starts, seen from its centre.
double StartAngle(const BoundaryElement& arc);
// Whether the direction `angle` from an arc's centre falls on the arc, `slack` radians beyond
// either end included.
bool OnArc(const BoundaryElement& arc, double angle, double slack);
bool OnArc(const BoundaryElement& arc, Point2 p, double slack);

// Where the line origin + t·direction crosses an element of the boundary: the parameter t and
// the element's index. A crossing at a joint of two elements may be found on both.
struct LineCrossing {
  double t = 0;
  std::size_t element = 0;
};
std::vector<LineCrossing> LineCrossings(const Boundary& boundary, Point2 origin, Point2 direction);

// The largest value of gradient·p over the points p of the boundary (its support in that
// direction), exact for lines and arcs.
double Support(const Boundary& boundary, Point2 gradient);

// The unit normal of an element at a point on it, pointing out of the region the boundary
// encloses, whichever way the boundary runs.
Point2 OutwardNormal(const Boundary& boundary, std::size_t element, Point2 at);

// Whether the section is its own mirror image across its y axis (x → −x; `acrossX` false) or its
// x axis (y → −y; `acrossX` true): every line and arc of it mirrored is one of its own, to within
// a millionth of its size.
bool MirrorsOntoItself(const Section& section, bool acrossX);

// Whether a point lies in the section's material: inside the outline and in none of its holes.
bool InMaterial(const Section& section, Point2 p);

}  // namespace zembrati::scene
