#include "export/triangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "scene_error.h"

namespace zembrati::scene {
namespace {

double SignedArea(const std::vector<Point2>& ring) {
  double area = 0;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    area += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
  }
  return area / 2;
}

double Cross(Point2 o, Point2 a, Point2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool InTriangle(Point2 p, Point2 a, Point2 b, Point2 c) {
  return Cross(a, b, p) >= 0 && Cross(b, c, p) >= 0 && Cross(c, a, p) >= 0;
}

bool SegmentsCross(Point2 a, Point2 b, Point2 c, Point2 d) {
  const double d1 = Cross(a, b, c), d2 = Cross(a, b, d), d3 = Cross(c, d, a), d4 = Cross(c, d, b);
  return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// Joins a hole (clockwise) into the polygon (counter-clockwise, as point indices) by a bridge
// from the hole's rightmost point to the nearest polygon point it can see.
void BridgeHole(std::vector<std::size_t>& polygon, const std::vector<std::size_t>& hole,
                const std::vector<Point2>& points) {
  const auto rightmost = std::max_element(hole.begin(), hole.end(), [&](std::size_t a, std::size_t b) {
    return points[a].x < points[b].x;
  });
  const Point2 from = points[*rightmost];
  std::size_t best = polygon.size();
  double bestDistance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point2 to = points[polygon[i]];
    const double distance = std::hypot(to.x - from.x, to.y - from.y);
    if (distance >= bestDistance) continue;
    bool visible = true;
    for (std::size_t k = 0; k < polygon.size() && visible; ++k) {
      const std::size_t next = (k + 1) % polygon.size();
      if (k == i || next == i) continue;
      visible = !SegmentsCross(from, to, points[polygon[k]], points[polygon[next]]);
    }
    for (std::size_t k = 0; k < hole.size() && visible; ++k) {
      const std::size_t a = hole[k], b = hole[(k + 1) % hole.size()];
      if (a == *rightmost || b == *rightmost) continue;
      visible = !SegmentsCross(from, to, points[a], points[b]);
    }
    if (visible) {
      best = i;
      bestDistance = distance;
    }
  }
  if (best == polygon.size()) {
    RaiseSceneError(scene_error::kBadLoopLayout, "A hole of the section could not be joined to its outline");
  }
  std::vector<std::size_t> joined(polygon.begin(), polygon.begin() + static_cast<long>(best) + 1);
  const auto start = static_cast<std::size_t>(rightmost - hole.begin());
  for (std::size_t k = 0; k <= hole.size(); ++k) joined.push_back(hole[(start + k) % hole.size()]);
  joined.push_back(polygon[best]);
  joined.insert(joined.end(), polygon.begin() + static_cast<long>(best) + 1, polygon.end());
  polygon = std::move(joined);
}

bool IsEar(const std::vector<std::size_t>& polygon, std::size_t i, const std::vector<Point2>& points) {
  const std::size_t n = polygon.size();
  const Point2 a = points[polygon[(i + n - 1) % n]], b = points[polygon[i]], c = points[polygon[(i + 1) % n]];
  if (Cross(a, b, c) <= 0) return false;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t index = polygon[k];
    if (index == polygon[(i + n - 1) % n] || index == polygon[i] || index == polygon[(i + 1) % n]) continue;
    const Point2 p = points[index];
    if ((p == a) || (p == b) || (p == c)) continue;
    if (InTriangle(p, a, b, c)) return false;
  }
  return true;
}

// Where no ear is left, a vertex in line with its neighbours (a bridge's doubled points) is
// dropped without a triangle.
bool DropDegenerateVertex(std::vector<std::size_t>& polygon, const std::vector<Point2>& points) {
  const std::size_t n = polygon.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point2 a = points[polygon[(i + n - 1) % n]], b = points[polygon[i]], c = points[polygon[(i + 1) % n]];
    const double scale = std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(c.x), std::fabs(c.y), 1.0});
    if (std::fabs(Cross(a, b, c)) <= 1e-12 * scale * scale) {
      polygon.erase(polygon.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<std::vector<Point2>> OrientRings(std::vector<std::vector<Point2>> outlineThenHoles) {
  for (std::size_t r = 0; r < outlineThenHoles.size(); ++r) {
    std::vector<Point2>& ring = outlineThenHoles[r];
    if ((SignedArea(ring) > 0) != (r == 0)) std::reverse(ring.begin(), ring.end());
  }
  return outlineThenHoles;
}

Triangulation Triangulate(const std::vector<std::vector<Point2>>& orientedRings) {
  Triangulation result;
  std::vector<std::vector<std::size_t>> rings;
  for (const std::vector<Point2>& ring : orientedRings) {
    std::vector<std::size_t> indices;
    for (const Point2& p : ring) {
      indices.push_back(result.points.size());
      result.points.push_back(p);
    }
    rings.push_back(std::move(indices));
  }
  std::vector<std::size_t> polygon = rings.front();
  // Holes are joined from the right, the rightmost first, so later bridges never cross earlier ones.
  std::vector<std::size_t> order(rings.size() - 1);
  std::iota(order.begin(), order.end(), 1);
  const auto maxX = [&](std::size_t r) {
    double m = -std::numeric_limits<double>::infinity();
    for (const std::size_t i : rings[r]) m = std::max(m, result.points[i].x);
    return m;
  };
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return maxX(a) > maxX(b); });
  for (const std::size_t r : order) BridgeHole(polygon, rings[r], result.points);

  while (polygon.size() > 3) {
    bool clipped = false;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
      if (!IsEar(polygon, i, result.points)) continue;
      const std::size_t n = polygon.size();
      result.triangles.push_back({polygon[(i + n - 1) % n], polygon[i], polygon[(i + 1) % n]});
      polygon.erase(polygon.begin() + static_cast<long>(i));
      clipped = true;
      break;
    }
    if (!clipped) clipped = DropDegenerateVertex(polygon, result.points);
    if (!clipped) {
      RaiseSceneError(scene_error::kBadLoopLayout, "The section could not be cut into triangles");
    }
  }
  result.triangles.push_back({polygon[0], polygon[1], polygon[2]});
  return result;
}

}  // namespace zembrati::scene
