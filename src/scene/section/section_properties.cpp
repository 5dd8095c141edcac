#include "section/section_properties.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zembrati::scene {
namespace {

RegionMoments LineMoments(Point2 p, Point2 q) {
  return {(p.x * q.y - q.x * p.y) / 2,
          (q.y - p.y) / 6 * (p.x * p.x + p.x * q.x + q.x * q.x),
          -(q.x - p.x) / 6 * (p.y * p.y + p.y * q.y + q.y * q.y)};
}

// ½∮(x dy − y dx), ∮ x²/2 dy and −∮ y²/2 dx along the arc x = cx + r cos t, y = cy + r sin t.
RegionMoments ArcMoments(const BoundaryElement& arc) {
  const double cx = arc.centre.x, cy = arc.centre.y, r = arc.radius;
  const double t0 = std::atan2(arc.from.y - cy, arc.from.x - cx);
  const double t1 = t0 + arc.sweep;
  const double s0 = std::sin(t0), s1 = std::sin(t1), c0 = std::cos(t0), c1 = std::cos(t1);
  const double x0 = cx + r * c0, y0 = cy + r * s0, x1 = cx + r * c1, y1 = cy + r * s1;
  RegionMoments m;
  m.area = (cx * (y1 - y0) - cy * (x1 - x0) + r * r * arc.sweep) / 2;
  const double cos2 = arc.sweep / 2 + (std::sin(2 * t1) - std::sin(2 * t0)) / 4;
  const double sin2 = arc.sweep / 2 - (std::sin(2 * t1) - std::sin(2 * t0)) / 4;
  m.momentX = (cx * cx * r * (s1 - s0) + 2 * cx * r * r * cos2 +
               r * r * r * ((s1 - s0) - (s1 * s1 * s1 - s0 * s0 * s0) / 3)) /
              2;
  m.momentY = (cy * cy * r * (c0 - c1) + 2 * cy * r * r * sin2 +
               r * r * r * ((c0 - c1) + (c1 * c1 * c1 - c0 * c0 * c0) / 3)) /
              2;
  return m;
}

void Include(Box2& box, Point2 p) {
  box.minX = std::min(box.minX, p.x);
  box.maxX = std::max(box.maxX, p.x);
  box.minY = std::min(box.minY, p.y);
  box.maxY = std::max(box.maxY, p.y);
}

// Adds the points where the arc reaches its extremes along x and y (angles kπ/2 it sweeps over).
void IncludeArcExtremes(Box2& box, const BoundaryElement& arc) {
  const double t0 = std::atan2(arc.from.y - arc.centre.y, arc.from.x - arc.centre.x);
  const double lo = std::min(t0, t0 + arc.sweep), hi = std::max(t0, t0 + arc.sweep);
  const double quarter = std::numbers::pi / 2;
  for (double k = std::ceil(lo / quarter); k * quarter <= hi; k += 1) {
    const double t = k * quarter;
    Include(box, {arc.centre.x + arc.radius * std::cos(t), arc.centre.y + arc.radius * std::sin(t)});
  }
}

}  // namespace

RegionMoments MomentsOf(const Boundary& boundary) {
  RegionMoments total;
  for (const BoundaryElement& e : boundary.elements) {
    const RegionMoments m =
        e.kind == BoundaryElement::Kind::Line ? LineMoments(e.from, e.to) : ArcMoments(e);
    total.area += m.area;
    total.momentX += m.momentX;
    total.momentY += m.momentY;
  }
  return total;
}

Box2 BoxOf(const Boundary& boundary) {
  const Point2 first = boundary.elements.front().from;
  Box2 box{first.x, first.y, first.x, first.y};
  for (const BoundaryElement& e : boundary.elements) {
    Include(box, e.from);
    Include(box, e.to);
    if (e.kind == BoundaryElement::Kind::Arc) IncludeArcExtremes(box, e);
  }
  return box;
}

}  // namespace zembrati::scene
