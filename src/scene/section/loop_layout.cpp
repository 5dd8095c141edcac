#include "section/loop_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "scene_error.h"
#include "section/boundary_queries.h"
#include "section/point_math.h"

namespace zembrati::scene {
namespace {

using Kind = BoundaryElement::Kind;

Point2 NearestOnLine(const BoundaryElement& line, Point2 x) {
  const Point2 d = line.to - line.from;
  const double lengthSquared = Dot(d, d);
  const double t = lengthSquared > 0 ? std::clamp(Dot(x - line.from, d) / lengthSquared, 0.0, 1.0) : 0;
  return line.from + d * t;
}

Point2 NearestOnArc(const BoundaryElement& arc, Point2 x) {
  const double fromCentre = Distance(x, arc.centre);
  if (fromCentre > 0 && OnArc(arc, x, 0)) return arc.centre + (x - arc.centre) * (arc.radius / fromCentre);
  return Distance(x, arc.from) <= Distance(x, arc.to) ? arc.from : arc.to;
}

// Where the line through a and b meets the circle of an arc, as fractions of a to b (0, 1 or 2).
std::vector<double> LineCircleFractions(Point2 a, Point2 b, const BoundaryElement& arc) {
  const Point2 d = b - a, f = a - arc.centre;
  const double qa = Dot(d, d), qb = 2 * Dot(f, d), qc = Dot(f, f) - arc.radius * arc.radius;
  const double discriminant = qb * qb - 4 * qa * qc;
  if (qa == 0 || discriminant < 0) return {};
  const double root = std::sqrt(discriminant);
  return {(-qb - root) / (2 * qa), (-qb + root) / (2 * qa)};
}

// The points where two circles cross (none, or two that may coincide).
std::vector<Point2> CircleCrossings(const BoundaryElement& a, const BoundaryElement& b) {
  const Point2 between = b.centre - a.centre;
  const double d = std::hypot(between.x, between.y);
  if (d == 0 || d > a.radius + b.radius || d < std::fabs(a.radius - b.radius)) return {};
  const double along = (a.radius * a.radius - b.radius * b.radius + d * d) / (2 * d);
  const double across = std::sqrt(std::max(0.0, a.radius * a.radius - along * along));
  const Point2 unit = between * (1 / d);
  const Point2 base = a.centre + unit * along;
  const Point2 normal{-unit.y, unit.x};
  return {base + normal * across, base - normal * across};
}

// Points of two elements where they cross, or where they pass closest to each other, as pairs
// of a point on each: the two elements meet when a pair lies within the tolerance.
struct Approach {
  Point2 onFirst, onSecond;
};

void LineLineApproaches(const BoundaryElement& p, const BoundaryElement& q, std::vector<Approach>& out) {
  const Point2 r = p.to - p.from, s = q.to - q.from;
  const double denominator = Cross(r, s);
  if (denominator != 0) {
    const double t = Cross(q.from - p.from, s) / denominator, u = Cross(q.from - p.from, r) / denominator;
    if (t >= 0 && t <= 1 && u >= 0 && u <= 1) out.push_back({p.from + r * t, p.from + r * t});
  }
  // Otherwise the closest points include an end of one of them.
  for (const Point2 end : {q.from, q.to}) out.push_back({NearestOnLine(p, end), end});
  for (const Point2 end : {p.from, p.to}) out.push_back({end, NearestOnLine(q, end)});
}

void LineArcApproaches(const BoundaryElement& line, const BoundaryElement& arc, double slack,
                       std::vector<Approach>& out) {
  const double length = Distance(line.from, line.to);
  const double fractionSlack = length > 0 ? slack * arc.radius / length : 0;
  for (const double t : LineCircleFractions(line.from, line.to, arc)) {
    const Point2 p = line.from + (line.to - line.from) * t;
    if (t >= -fractionSlack && t <= 1 + fractionSlack && OnArc(arc, p, slack)) out.push_back({p, p});
  }
  // Without a crossing the closest points are ends, or the foot of the perpendicular from the
  // centre and the arc's point in that direction.
  for (const Point2 end : {line.from, line.to}) out.push_back({end, NearestOnArc(arc, end)});
  for (const Point2 end : {arc.from, arc.to}) out.push_back({NearestOnLine(line, end), end});
  const Point2 foot = NearestOnLine(line, arc.centre);
  out.push_back({foot, NearestOnArc(arc, foot)});
}

void ArcArcApproaches(const BoundaryElement& a, const BoundaryElement& b, double slack, std::vector<Approach>& out) {
  for (const Point2 p : CircleCrossings(a, b)) {
    if (OnArc(a, p, slack) && OnArc(b, p, slack)) out.push_back({p, p});
  }
  for (const Point2 end : {a.from, a.to}) out.push_back({end, NearestOnArc(b, end)});
  for (const Point2 end : {b.from, b.to}) out.push_back({NearestOnArc(a, end), end});
  const Point2 between = b.centre - a.centre;
  const double d = std::hypot(between.x, between.y);
  if (d == 0) {
    // Concentric arcs are |ra - rb| apart wherever their spans overlap.
    for (const BoundaryElement* arc : {&a, &b}) {
      const BoundaryElement& other = arc == &a ? b : a;
      for (const Point2 end : {arc->from, arc->to}) {
        if (OnArc(other, end, slack)) {
          const Point2 direction = (end - arc->centre) * (1 / arc->radius);
          out.push_back({a.centre + direction * a.radius, b.centre + direction * b.radius});
        }
      }
    }
    return;
  }
  // Otherwise the closest interior points lie on the line through the centres.
  const Point2 unit = between * (1 / d);
  for (const double sa : {1.0, -1.0}) {
    for (const double sb : {1.0, -1.0}) {
      const Point2 p = a.centre + unit * (sa * a.radius), q = b.centre + unit * (sb * b.radius);
      if (OnArc(a, p, 0) && OnArc(b, q, 0)) out.push_back({p, q});
    }
  }
}

std::vector<Approach> Approaches(const BoundaryElement& p, const BoundaryElement& q, double slack) {
  std::vector<Approach> out;
  if (p.kind == Kind::Line && q.kind == Kind::Line) {
    LineLineApproaches(p, q, out);
  } else if (p.kind == Kind::Line) {
    LineArcApproaches(p, q, slack, out);
  } else if (q.kind == Kind::Line) {
    LineArcApproaches(q, p, slack, out);
    for (Approach& approach : out) std::swap(approach.onFirst, approach.onSecond);
  } else {
    ArcArcApproaches(p, q, slack, out);
  }
  return out;
}

// The box of an element, grown by `margin`: most pairs lie far apart and their boxes tell at once.
Box2 ElementBox(const BoundaryElement& e, double margin) {
  Box2 box{std::min(e.from.x, e.to.x), std::min(e.from.y, e.to.y), std::max(e.from.x, e.to.x),
           std::max(e.from.y, e.to.y)};
  if (e.kind == Kind::Arc) {
    // The whole circle's box: enough to set far pairs aside.
    box = {e.centre.x - e.radius, e.centre.y - e.radius, e.centre.x + e.radius, e.centre.y + e.radius};
  }
  return {box.minX - margin, box.minY - margin, box.maxX + margin, box.maxY + margin};
}

bool BoxesOverlap(const Box2& a, const Box2& b) {
  return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

struct Tolerances {
  double touch;  // closer than this is touching
  double joint;  // crossings this near the point two neighbours share are that point
};

// Whether two elements that are not neighbours cross or come closer than the tolerance.
bool ElementsMeet(const BoundaryElement& p, const BoundaryElement& q, const Tolerances& tolerances) {
  if (!BoxesOverlap(ElementBox(p, tolerances.touch), ElementBox(q, 0))) return false;
  const double slack = tolerances.touch / std::max({p.radius, q.radius, tolerances.touch});
  for (const Approach& approach : Approaches(p, q, slack)) {
    if (Distance(approach.onFirst, approach.onSecond) < tolerances.touch) return true;
  }
  return false;
}

// Whether two neighbours, which share the point `joint`, meet anywhere else: a second crossing,
// or a line running back over the one before it.
bool NeighboursMeetAgain(const BoundaryElement& p, const BoundaryElement& q, Point2 joint, const Tolerances& tolerances) {
  if (p.kind == Kind::Line && q.kind == Kind::Line) {
    const Point2 r = p.to - p.from, s = q.to - q.from;
    return std::fabs(Cross(r, s)) <= 1e-12 * std::hypot(r.x, r.y) * std::hypot(s.x, s.y) && Dot(r, s) < 0;
  }
  const double slack = tolerances.touch / std::max({p.radius, q.radius, tolerances.touch});
  for (const Approach& approach : Approaches(p, q, slack)) {
    if (Distance(approach.onFirst, approach.onSecond) < tolerances.touch &&
        Distance(approach.onFirst, joint) > tolerances.joint) {
      return true;
    }
  }
  return false;
}

double Extent(const Boundary& loop) {
  double extent = 0;
  for (const BoundaryElement& e : loop.elements) {
    extent = std::max({extent, std::fabs(e.from.x), std::fabs(e.from.y)});
    if (e.kind == Kind::Arc) extent = std::max({extent, std::fabs(e.centre.x) + e.radius, std::fabs(e.centre.y) + e.radius});
  }
  return extent;
}

double ElementLength(const BoundaryElement& e) {
  return e.kind == Kind::Line ? Distance(e.from, e.to) : e.radius * std::fabs(e.sweep);
}

// Drops elements of (nearly) no length, such as the line left between fillets that meet, so that
// the elements either side become neighbours rather than touching strangers.
std::vector<BoundaryElement> WithoutVanishing(const Boundary& loop, double tolerance) {
  std::vector<BoundaryElement> kept;
  for (const BoundaryElement& e : loop.elements) {
    if (ElementLength(e) > tolerance) kept.push_back(e);
  }
  return kept;
}

void CheckSimple(const std::vector<BoundaryElement>& loop, std::size_t number, const Tolerances& tolerances) {
  const std::size_t n = loop.size();
  const auto fail = [number] {
    RaiseSceneError(scene_error::kBadLoopLayout, "Loop " + std::to_string(number) +
                                                     " crosses or touches itself; check the dimensions of the section");
  };
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const bool follows = j == i + 1, wraps = i == 0 && j == n - 1;
      if (follows || wraps) {
        const BoundaryElement& before = follows ? loop[i] : loop[j];
        const BoundaryElement& after = follows ? loop[j] : loop[i];
        if (n > 2 && NeighboursMeetAgain(before, after, after.from, tolerances)) fail();
      } else if (ElementsMeet(loop[i], loop[j], tolerances)) {
        fail();
      }
    }
  }
}

void CheckApart(const std::vector<BoundaryElement>& a, const std::vector<BoundaryElement>& b, std::size_t numberA,
                std::size_t numberB, const Tolerances& tolerances) {
  for (const BoundaryElement& p : a) {
    for (const BoundaryElement& q : b) {
      if (ElementsMeet(p, q, tolerances)) {
        RaiseSceneError(scene_error::kBadLoopLayout,
                        "Loops " + std::to_string(numberA) + " and " + std::to_string(numberB) +
                            " cross or touch; a hole must lie inside the outline with wall around it");
      }
    }
  }
}

// Toggles `inside` when the ray from `point` along +x crosses the y-monotone piece of a circle
// from p to q, which lies on the side `side` (+1 right of the centre, -1 left).
void CrossPiece(Point2 p, Point2 q, const BoundaryElement& arc, double side, Point2 point, bool& inside) {
  if ((p.y > point.y) == (q.y > point.y)) return;
  const double dy = point.y - arc.centre.y;
  const double x = arc.centre.x + side * std::sqrt(std::max(0.0, arc.radius * arc.radius - dy * dy));
  if (point.x < x) inside = !inside;
}

// The same for an arc, cut where it turns in y (at 90° and 270°) into pieces that do not.
void CrossArc(const BoundaryElement& arc, Point2 point, bool& inside) {
  const double t0 = StartAngle(arc), t1 = t0 + arc.sweep;
  const double step = std::numbers::pi;
  const double direction = arc.sweep >= 0 ? 1 : -1;
  Point2 from = arc.from;
  double fromAngle = t0;
  // The turning angles π/2 + kπ strictly between the ends, in the arc's direction.
  double k = direction > 0 ? std::floor((t0 - std::numbers::pi / 2) / step) + 1 : std::ceil((t0 - std::numbers::pi / 2) / step) - 1;
  while (true) {
    const double turn = std::numbers::pi / 2 + k * step;
    if (direction * (turn - t1) >= 0) break;
    const Point2 to{arc.centre.x + arc.radius * std::cos(turn), arc.centre.y + arc.radius * std::sin(turn)};
    CrossPiece(from, to, arc, std::cos((fromAngle + turn) / 2) >= 0 ? 1 : -1, point, inside);
    from = to;
    fromAngle = turn;
    k += direction;
  }
  CrossPiece(from, arc.to, arc, std::cos((fromAngle + t1) / 2) >= 0 ? 1 : -1, point, inside);
}

}  // namespace

bool Inside(const Boundary& boundary, Point2 point) {
  bool inside = false;
  for (const BoundaryElement& e : boundary.elements) {
    if (e.kind == Kind::Arc) {
      CrossArc(e, point, inside);
    } else if ((e.from.y > point.y) != (e.to.y > point.y) &&
               point.x < (e.to.x - e.from.x) * (point.y - e.from.y) / (e.to.y - e.from.y) + e.from.x) {
      inside = !inside;
    }
  }
  return inside;
}

std::size_t CheckLoopLayout(const std::vector<Boundary>& loops) {
  double extent = 1;
  for (const Boundary& loop : loops) extent = std::max(extent, Extent(loop));
  const Tolerances tolerances{1e-9 * extent, 1e-6 * extent};
  std::vector<std::vector<BoundaryElement>> elements;
  for (const Boundary& loop : loops) elements.push_back(WithoutVanishing(loop, tolerances.touch));
  for (std::size_t i = 0; i < elements.size(); ++i) CheckSimple(elements[i], i + 1, tolerances);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    for (std::size_t j = i + 1; j < elements.size(); ++j) CheckApart(elements[i], elements[j], i + 1, j + 1, tolerances);
  }
  // With no crossings, a loop is inside another exactly when one of its points is.
  const auto firstPoint = [&](std::size_t i) { return loops[i].elements.front().from; };
  std::size_t outline = 0;
  for (std::size_t i = 0; i < loops.size(); ++i) {
    bool containsAll = true;
    for (std::size_t j = 0; j < loops.size() && containsAll; ++j) {
      if (j != i && !Inside(loops[i], firstPoint(j))) containsAll = false;
    }
    if (containsAll) {
      outline = i;
      break;
    }
    if (i + 1 == loops.size()) {
      RaiseSceneError(scene_error::kBadLoopLayout,
                      "No loop of the profile contains all the others: a hole lies outside the outline");
    }
  }
  for (std::size_t i = 0; i < loops.size(); ++i) {
    for (std::size_t j = 0; j < loops.size(); ++j) {
      if (i != j && i != outline && j != outline && Inside(loops[i], firstPoint(j))) {
        RaiseSceneError(scene_error::kBadLoopLayout, "Loop " + std::to_string(j + 1) + " lies inside the hole of loop " +
                                                         std::to_string(i + 1));
      }
    }
  }
  return outline;
}

}  // namespace zembrati::scene
