#include "nc1_contours.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "step/face_outlines.h"

namespace zembrati::shop {
namespace {

constexpr double kOnTheLineMm = 1e-4;
// The rolled-out skin of a tube is followed in steps of 3°: a chord then strays from the
// saddle of a 300 mm tube by about 0.05 mm.
constexpr int kSkinSteps = 120;

double Cross(PlatePoint o, PlatePoint a, PlatePoint b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

double TwiceArea(const std::vector<PlatePoint>& points) {
  double area = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) area += points[i].x * points[i + 1].y - points[i + 1].x * points[i].y;
  return area;
}

// A plate the cope leaves as the plain rectangle [0, length] x [0, width] needs no contour.
bool PlainRectangle(const std::vector<PlatePoint>& outline, double length, double width) {
  if (outline.size() != 5) return false;
  for (const PlatePoint& p : outline) {
    const bool onX = std::fabs(p.x) < 0.01 || std::fabs(p.x - length) < 0.01;
    const bool onY = std::fabs(p.y) < 0.01 || std::fabs(p.y - width) < 0.01;
    if (!onX || !onY) return false;
  }
  return true;
}

// One face plate: the outline in which its middle plane cuts the solid, in the plate's x and y.
struct PlateCut {
  char face;
  bool normalAlongY;  // the plane y = offset, else x = offset
  double offset;
  double acrossShift;  // y on the plate = the plane's other coordinate + this
  double width;
};

std::optional<FaceContour> PlateContour(const std::vector<std::vector<scene::Point2>>& loops, const PlateCut& cut, double zStart,
                                        double length, std::string& note) {
  if (loops.size() != 1) {
    note = loops.empty() ? "its cope leaves nothing of the " + std::string(1, cut.face) + " plate"
                         : "its cope divides the " + std::string(1, cut.face) + " plate into " + std::to_string(loops.size()) + " pieces";
    return std::nullopt;
  }
  std::vector<PlatePoint> points;
  for (const scene::Point2& p : loops.front()) points.push_back({std::clamp(p.x - zStart, 0.0, length), p.y + cut.acrossShift});
  FaceContour contour{cut.face, AnticlockwiseOutline(std::move(points))};
  if (PlainRectangle(contour.points, length, cut.width)) return FaceContour{cut.face, {}};
  return contour;
}

// A tube's skin rolled out: along each line of the skin, where the piece begins and ends.
std::optional<FaceContour> SkinContour(const scene::Node& body, const Nc1Profile& profile, double zStart, double length,
                                       std::string& note) {
  const double outer = profile.height / 2;
  const double along = outer - std::min(0.01, profile.webThickness / 4);  // just inside the skin
  std::vector<scene::Point2> lines;
  for (int k = 0; k < kSkinSteps; ++k) {
    const double angle = 2 * std::numbers::pi * k / kSkinSteps;
    lines.push_back({along * std::sin(angle), along * std::cos(angle)});
  }
  const auto extents = scene::ExtentsAlongAxis(body, lines);
  std::vector<PlatePoint> start, end;
  for (int k = 0; k <= kSkinSteps; ++k) {
    const auto& extent = extents[static_cast<std::size_t>(k % kSkinSteps)];
    if (!extent) {
      note = "its cope cuts the tube's skin through";
      return std::nullopt;
    }
    const double y = outer * 2 * std::numbers::pi * k / kSkinSteps;
    start.push_back({std::clamp(extent->first - zStart, 0.0, length), y});
    end.push_back({std::clamp(extent->second - zStart, 0.0, length), y});
  }
  std::vector<PlatePoint> points = end;  // up the far end, then back down the near one
  points.insert(points.end(), start.rbegin(), start.rend());
  points.push_back(points.front());
  return FaceContour{'v', AnticlockwiseOutline(std::move(points))};
}

std::vector<PlateCut> PlatesOf(std::int16_t typeCode, const Nc1Profile& p) {
  const double h = p.height, b = p.flangeWidth, tf = p.flangeThickness, tw = p.webThickness;
  switch (typeCode) {
    case 1:
    case 2: return {{'v', false, 0, h / 2, h}, {'o', true, h / 2 - tf / 2, b / 2, b}, {'u', true, -h / 2 + tf / 2, b / 2, b}};
    case 3: return {{'v', false, tw / 2, h / 2, h}, {'o', true, h / 2 - tf / 2, 0, b}, {'u', true, -h / 2 + tf / 2, 0, b}};
    case 4: return {{'v', true, tw / 2, 0, h}, {'u', false, tw / 2, 0, b}};
    case 5: return {{'v', false, 0, 0, h}, {'u', true, tf / 2, b / 2, b}};
    default: return {};
  }
}

}  // namespace

std::vector<PlatePoint> AnticlockwiseOutline(std::vector<PlatePoint> points) {
  if (points.size() > 1 && std::hypot(points.front().x - points.back().x, points.front().y - points.back().y) < 1e-9) {
    points.pop_back();
  }
  if (TwiceArea(points) < 0) std::reverse(points.begin(), points.end());
  // Leave out the points on a straight run: the plate's outline, not the modeller's edges.
  for (bool removed = true; removed && points.size() > 3;) {
    removed = false;
    for (std::size_t i = 0; i < points.size() && points.size() > 3; ++i) {
      const PlatePoint& before = points[(i + points.size() - 1) % points.size()];
      const PlatePoint& after = points[(i + 1) % points.size()];
      const double run = std::hypot(after.x - before.x, after.y - before.y);
      if (run > 0 && std::fabs(Cross(before, points[i], after)) / run < kOnTheLineMm) {
        points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
        removed = true;
        --i;
      }
    }
  }
  const auto first = std::min_element(points.begin(), points.end(), [](const PlatePoint& a, const PlatePoint& c) {
    return std::fabs(a.x - c.x) > kOnTheLineMm ? a.x < c.x : a.y < c.y;
  });
  std::rotate(points.begin(), first, points.end());
  for (PlatePoint& p : points) {
    p.x = std::round(p.x * 100) / 100 + 0.0;
    p.y = std::round(p.y * 100) / 100 + 0.0;
  }
  if (!points.empty()) points.push_back(points.front());
  return points;
}

std::optional<std::vector<FaceContour>> CopedContours(const scene::Node& body, std::int16_t typeCode, const Nc1Profile& profile,
                                                      double zStart, double length, std::string& note) {
  std::vector<FaceContour> contours;
  if (typeCode == 7) {
    auto skin = SkinContour(body, profile, zStart, length, note);
    if (!skin) return std::nullopt;
    contours.push_back(std::move(*skin));
    return contours;
  }
  const std::vector<PlateCut> plates = PlatesOf(typeCode, profile);
  if (plates.empty()) {
    note = "the format's contours are not written for a cope on this section";
    return std::nullopt;
  }
  std::vector<scene::AxialPlane> planes;
  for (const PlateCut& plate : plates) planes.push_back({plate.normalAlongY, plate.offset});
  const auto cuts = scene::PlaneSectionLoops(body, planes);
  for (std::size_t i = 0; i < plates.size(); ++i) {
    const PlateCut& plate = plates[i];
    auto contour = PlateContour(cuts[i], plate, zStart, length, note);
    if (!contour) return std::nullopt;
    if (!contour->points.empty()) contours.push_back(std::move(*contour));
  }
  return contours;
}

}  // namespace zembrati::shop
