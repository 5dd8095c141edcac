#include "section/boundary_queries.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "section/loop_layout.h"
#include "section/point_math.h"
#include "section/section_properties.h"

namespace zembrati::scene {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace

double StartAngle(const BoundaryElement& arc) {
  return std::atan2(arc.from.y - arc.centre.y, arc.from.x - arc.centre.x);
}

bool OnArc(const BoundaryElement& arc, double angle, double slack) {
  const double span = std::fabs(arc.sweep);
  if (span >= kTwoPi - slack) return true;
  double along = (angle - StartAngle(arc)) * (arc.sweep >= 0 ? 1 : -1);
  along -= kTwoPi * std::floor(along / kTwoPi);  // in [0, 2π)
  return along <= span + slack || along >= kTwoPi - slack;
}

bool OnArc(const BoundaryElement& arc, Point2 p, double slack) {
  return OnArc(arc, std::atan2(p.y - arc.centre.y, p.x - arc.centre.x), slack);
}

std::vector<LineCrossing> LineCrossings(const Boundary& boundary, Point2 origin, Point2 direction) {
  std::vector<LineCrossing> crossings;
  for (std::size_t i = 0; i < boundary.elements.size(); ++i) {
    const BoundaryElement& e = boundary.elements[i];
    if (e.kind == BoundaryElement::Kind::Line) {
      // origin + t·direction = from + s·(to − from), s in [0, 1]
      const Point2 edge = e.to - e.from;
      const double denominator = Cross(direction, edge);
      if (denominator == 0) continue;  // parallel: the neighbours' crossings tell where it enters
      const Point2 w = e.from - origin;
      const double s = Cross(w, direction) / denominator;
      if (s >= 0 && s <= 1) crossings.push_back({Cross(w, edge) / denominator, i});
      continue;
    }
    const Point2 f = origin - e.centre;
    const double a = Dot(direction, direction), b = 2 * Dot(f, direction), c = Dot(f, f) - e.radius * e.radius;
    const double discriminant = b * b - 4 * a * c;
    if (a == 0 || discriminant < 0) continue;
    const double root = std::sqrt(discriminant);
    for (const double t : {(-b - root) / (2 * a), (-b + root) / (2 * a)}) {
      if (OnArc(e, origin + direction * t, 1e-12)) crossings.push_back({t, i});
    }
  }
  return crossings;
}

double Support(const Boundary& boundary, Point2 gradient) {
  double best = -std::numeric_limits<double>::infinity();
  const double towards = std::atan2(gradient.y, gradient.x);
  for (const BoundaryElement& e : boundary.elements) {
    best = std::max({best, Dot(gradient, e.from), Dot(gradient, e.to)});
    if (e.kind == BoundaryElement::Kind::Arc && OnArc(e, towards, 0)) {
      best = std::max(best, Dot(gradient, e.centre) + e.radius * Length(gradient));
    }
  }
  return best;
}

Point2 OutwardNormal(const Boundary& boundary, std::size_t element, Point2 at) {
  const BoundaryElement& e = boundary.elements[element];
  if (e.kind == BoundaryElement::Kind::Arc) {
    // Out of the region is away from the centre where the arc turns with the boundary (a
    // convex corner or a tube's skin), towards it where it turns against (a fillet in a
    // re-entrant corner).
    const bool counterClockwise = MomentsOf(boundary).area > 0;
    const Point2 radial = (at - e.centre) * (1 / Length(at - e.centre));
    return (e.sweep > 0) == counterClockwise ? radial : radial * -1;
  }
  const Point2 along = (e.to - e.from) * (1 / Length(e.to - e.from));
  const Point2 right{along.y, -along.x};
  return MomentsOf(boundary).area > 0 ? right : right * -1;
}

namespace {

bool SameElement(const BoundaryElement& a, const BoundaryElement& b, double tolerance) {
  if (a.kind != b.kind) return false;
  const auto near = [tolerance](Point2 p, Point2 q) { return Distance(p, q) <= tolerance; };
  const bool sameEnds = (near(a.from, b.from) && near(a.to, b.to)) || (near(a.from, b.to) && near(a.to, b.from));
  if (a.kind == BoundaryElement::Kind::Line) return sameEnds;
  return sameEnds && near(a.centre, b.centre) && std::fabs(a.radius - b.radius) <= tolerance &&
         std::fabs(std::fabs(a.sweep) - std::fabs(b.sweep)) <= 1e-9;
}

}  // namespace

bool MirrorsOntoItself(const Section& section, bool acrossX) {
  const Box2& box = section.box;
  const double tolerance = 1e-6 * std::max({box.Width(), box.Height(), 1.0});
  const auto mirrored = [acrossX](Point2 p) { return acrossX ? Point2{p.x, -p.y} : Point2{-p.x, p.y}; };
  for (const Boundary* loop : section.Loops()) {
    for (const BoundaryElement& e : loop->elements) {
      BoundaryElement image = e;
      image.from = mirrored(e.from);
      image.to = mirrored(e.to);
      image.centre = mirrored(e.centre);
      bool found = false;
      for (const Boundary* other : section.Loops()) {
        for (const BoundaryElement& candidate : other->elements) found = found || SameElement(image, candidate, tolerance);
      }
      if (!found) return false;
    }
  }
  return true;
}

bool InMaterial(const Section& section, Point2 p) {
  if (!Inside(section.outline, p)) return false;
  for (const Boundary& hole : section.holes) {
    if (Inside(hole, p)) return false;
  }
  return true;
}

}  // namespace zembrati::scene
