#include "section/loop_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "scene_error.h"

namespace zembrati::scene {
namespace {

// Fine enough that a chord strays from its arc by under 1e-4 of the radius.
constexpr double kCheckStep = std::numbers::pi / 128;

double Cross(Point2 o, Point2 a, Point2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double SegmentPointDistance(Point2 a, Point2 b, Point2 p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// Whether two segments cross or come closer than `tolerance`.
bool SegmentsMeet(Point2 a, Point2 b, Point2 c, Point2 d, double tolerance) {
  // Most pairs lie far apart: their boxes tell at once.
  if (std::max(a.x, b.x) + tolerance < std::min(c.x, d.x) || std::max(c.x, d.x) + tolerance < std::min(a.x, b.x) ||
      std::max(a.y, b.y) + tolerance < std::min(c.y, d.y) || std::max(c.y, d.y) + tolerance < std::min(a.y, b.y)) {
    return false;
  }
  const double d1 = Cross(a, b, c), d2 = Cross(a, b, d), d3 = Cross(c, d, a), d4 = Cross(c, d, b);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
    return true;
  return std::min({SegmentPointDistance(a, b, c), SegmentPointDistance(a, b, d),
                   SegmentPointDistance(c, d, a), SegmentPointDistance(c, d, b)}) < tolerance;
}

double Extent(const std::vector<Point2>& points) {
  double extent = 0;
  for (const Point2& p : points) extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
  return extent;
}

void CheckSimple(const std::vector<Point2>& loop, std::size_t number, double tolerance) {
  const std::size_t n = loop.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours across the start point
      if (SegmentsMeet(loop[i], loop[(i + 1) % n], loop[j], loop[(j + 1) % n], tolerance)) {
        RaiseSceneError(scene_error::kBadLoopLayout,
                        "Loop " + std::to_string(number) +
                            " crosses or touches itself; check the dimensions of the section");
      }
    }
  }
}

void CheckApart(const std::vector<Point2>& a, const std::vector<Point2>& b, std::size_t numberA,
                std::size_t numberB, double tolerance) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (std::size_t j = 0; j < b.size(); ++j) {
      if (SegmentsMeet(a[i], a[(i + 1) % a.size()], b[j], b[(j + 1) % b.size()], tolerance)) {
        RaiseSceneError(scene_error::kBadLoopLayout,
                        "Loops " + std::to_string(numberA) + " and " + std::to_string(numberB) +
                            " cross or touch; a hole must lie inside the outline with wall "
                            "around it");
      }
    }
  }
}

// Drops points that (nearly) repeat their predecessor, such as the two ends of a vanishing line
// between fillets that meet, so that neighbours are not mistaken for touching segments.
std::vector<Point2> WithoutRepeats(const std::vector<Point2>& points, double tolerance) {
  std::vector<Point2> kept;
  for (const Point2& p : points) {
    if (kept.empty() || std::hypot(p.x - kept.back().x, p.y - kept.back().y) > tolerance)
      kept.push_back(p);
  }
  while (kept.size() > 1 &&
         std::hypot(kept.back().x - kept.front().x, kept.back().y - kept.front().y) <= tolerance)
    kept.pop_back();
  return kept;
}

}  // namespace

bool Inside(const std::vector<Point2>& polygon, Point2 point) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point2 a = polygon[i], b = polygon[j];
    if ((a.y > point.y) != (b.y > point.y) &&
        point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

std::size_t CheckLoopLayout(const std::vector<Boundary>& loops) {
  std::vector<std::vector<Point2>> polylines;
  double extent = 0;
  for (const Boundary& loop : loops) {
    polylines.push_back(Polyline(loop, kCheckStep));
    extent = std::max(extent, Extent(polylines.back()));
  }
  const double tolerance = 1e-9 * std::max(1.0, extent);
  for (auto& polyline : polylines) polyline = WithoutRepeats(polyline, tolerance);
  for (std::size_t i = 0; i < polylines.size(); ++i) CheckSimple(polylines[i], i + 1, tolerance);
  for (std::size_t i = 0; i < polylines.size(); ++i) {
    for (std::size_t j = i + 1; j < polylines.size(); ++j)
      CheckApart(polylines[i], polylines[j], i + 1, j + 1, tolerance);
  }
  // With no crossings, a loop is inside another exactly when one of its points is.
  std::size_t outline = 0;
  for (std::size_t i = 0; i < polylines.size(); ++i) {
    bool containsAll = true;
    for (std::size_t j = 0; j < polylines.size() && containsAll; ++j) {
      if (j != i && !Inside(polylines[i], polylines[j].front())) containsAll = false;
    }
    if (containsAll) {
      outline = i;
      break;
    }
    if (i + 1 == polylines.size()) {
      RaiseSceneError(scene_error::kBadLoopLayout,
                      "No loop of the profile contains all the others: a hole lies outside the "
                      "outline");
    }
  }
  for (std::size_t i = 0; i < polylines.size(); ++i) {
    for (std::size_t j = 0; j < polylines.size(); ++j) {
      if (i != j && i != outline && j != outline && Inside(polylines[i], polylines[j].front())) {
        RaiseSceneError(scene_error::kBadLoopLayout, "Loop " + std::to_string(j + 1) +
                                                         " lies inside the hole of loop " +
                                                         std::to_string(i + 1));
      }
    }
  }
  return outline;
}

}  // namespace zembrati::scene
