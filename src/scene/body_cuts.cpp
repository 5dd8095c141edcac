#include "body_cuts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "section/boundary_queries.h"
#include "vector_math.h"

namespace zembrati::scene {
namespace {

// A plane as z = a·x + b·y + c over the section.
struct ZOfPlane {
  double a, b, c;
  explicit ZOfPlane(const CutPlane& p)
      : a(-p.normal.x / p.normal.z),
        b(-p.normal.y / p.normal.z),
        c(p.point.z + (p.normal.x * p.point.x + p.normal.y * p.point.y) / p.normal.z) {}
  double At(Point2 q) const { return a * q.x + b * q.y + c; }
};

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

}  // namespace

CutPlane EndPlane(const EndCut& cut, bool atEnd, double length) {
  if (cut.plane) return *cut.plane;
  return atEnd ? CutPlane{{0, 0, length}, {0, 0, 1}} : CutPlane{{0, 0, 0}, {0, 0, -1}};
}

std::optional<CutExtent> PlaneCutExtent(const Section& section, double length, const BodyCuts* cuts) {
  if (!cuts) return CutExtent{section.area * length, 0, length};
  if (cuts->HasCope()) return std::nullopt;
  return PlanesExtent(section, length, *cuts);
}

CutExtent PlanesExtent(const Section& section, double length, const BodyCuts& cuts) {
  const ZOfPlane start(EndPlane(cuts.start, false, length)), end(EndPlane(cuts.end, true, length));
  CutExtent extent;
  // Each plane is linear over the section, so its extremes lie on the outline and the length
  // along z at the centroid is the mean length.
  extent.zMax = end.c + Support(section.outline, {end.a, end.b});
  extent.zMin = start.c - Support(section.outline, {-start.a, -start.b});
  extent.volume = section.area * (end.At(section.centroid) - start.At(section.centroid));
  return extent;
}

double ShortestFibre(const Section& section, double length, const BodyCuts& cuts) {
  const ZOfPlane start(EndPlane(cuts.start, false, length)), end(EndPlane(cuts.end, true, length));
  return end.c - start.c - Support(section.outline, {start.a - end.a, start.b - end.b});
}

bool IsRound(const Section& section) {
  const auto& elements = section.outline.elements;
  return elements.size() == 1 && elements.front().kind == BoundaryElement::Kind::Arc &&
         std::fabs(std::fabs(elements.front().sweep) - 2 * std::numbers::pi) < 1e-9;
}

EndAngles AnglesOf(const Section& section, const EndCut& cut) {
  const std::optional<CutPlane> plane = cut.facePlane ? cut.facePlane : cut.plane;
  if (!plane) return {};
  const Vector3 n = plane->normal;
  const double along = std::fabs(n.z);
  if (!IsRound(section)) return {Degrees(std::atan2(-n.y, along)), Degrees(std::atan2(-n.x, along))};
  // A round section has no sides: the lean in the bend's plane and across it, as sizes.
  const bool bent = Dot(cut.bend, cut.bend) > 0.5;
  const Vector3 across = bent ? cut.bend : Vector3{0, 1, 0};
  const double inBend = std::sqrt(std::max(0.0, n.x * n.x + n.y * n.y - Dot(n, across) * Dot(n, across)));
  return {Degrees(std::atan2(inBend, along)), Degrees(std::atan2(std::fabs(Dot(n, across)), along))};
}

}  // namespace zembrati::scene
