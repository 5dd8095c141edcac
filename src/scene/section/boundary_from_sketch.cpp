#include "section/boundary_from_sketch.h"

#include <cmath>
#include <numbers>
#include <string>

#include "runtime/number_text.h"
#include "scene_error.h"
#include "section/point_math.h"

namespace zembrati::scene {
namespace {

using runtime::GeneralForm;


std::string Where(int loopNumber) { return " in loop " + std::to_string(loopNumber); }

void RequireFinite(Point2 p, int loopNumber) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
    RaiseSceneError(scene_error::kNonFinite,
                    "A point of the profile is not a finite number" + Where(loopNumber));
  }
}

// A corner after its fillet is placed: where the boundary enters it and where it leaves it.
struct Corner {
  Point2 point;
  double radius = 0;  // 0: sharp
  double tangentLength = 0;
  double turn = 0;    // signed turning angle of the outline at the corner
  Point2 entry{}, exit{}, centre{};
};

std::vector<Corner> CornersOf(const LoopSketch& sketch, int loopNumber) {
  if (!sketch.start) {
    RaiseSceneError(scene_error::kBadSketch, "The loop has lines but no start point" + Where(loopNumber));
  }
  RequireFinite(*sketch.start, loopNumber);
  for (const Point2& p : sketch.lines) RequireFinite(p, loopNumber);
  if (sketch.lines.size() < 3) {
    RaiseSceneError(scene_error::kBadSketch,
                    "A loop needs at least three corners" + Where(loopNumber));
  }
  if (!(sketch.lines.back() == *sketch.start)) {
    RaiseSceneError(scene_error::kBadSketch,
                    "The loop does not close: its last line ends at (" +
                        GeneralForm(sketch.lines.back().x) + ", " +
                        GeneralForm(sketch.lines.back().y) + "), not at its start point" +
                        Where(loopNumber));
  }
  std::vector<Corner> corners;
  corners.push_back(Corner{.point = *sketch.start});
  for (std::size_t i = 0; i + 1 < sketch.lines.size(); ++i) corners.push_back(Corner{.point = sketch.lines[i]});
  for (std::size_t i = 0; i < corners.size(); ++i) {
    if (corners[i].point == corners[(i + 1) % corners.size()].point) {
      RaiseSceneError(scene_error::kBadSketch, "Corners " + std::to_string(i + 1) + " and " +
                                                   std::to_string((i + 1) % corners.size() + 1) +
                                                   " coincide" + Where(loopNumber));
    }
  }
  return corners;
}

// Applies the fillet requests in order. Each request names a corner by its place in the loop as
// it stands, where every earlier fillet (zero radius included) counts as one more element after
// its corner.
void AssignRadii(std::vector<Corner>& corners, const std::vector<FilletRequest>& requests,
                 int loopNumber) {
  std::vector<int> elements;  // corner number per element, 0 for a fillet's second end
  for (std::size_t i = 0; i < corners.size(); ++i) elements.push_back(static_cast<int>(i) + 1);
  std::vector<bool> rounded(corners.size(), false);
  for (const FilletRequest& request : requests) {
    const std::string which = "Fillet at index " + std::to_string(request.index) + Where(loopNumber);
    if (request.index < 1 || request.index > static_cast<int>(elements.size())) {
      RaiseSceneError(scene_error::kBadFillet, which + " names no corner");
    }
    const int corner = elements[static_cast<std::size_t>(request.index - 1)];
    if (corner == 0 || rounded[static_cast<std::size_t>(corner - 1)]) {
      RaiseSceneError(scene_error::kBadFillet, which + " names a corner already rounded");
    }
    if (!std::isfinite(request.radius) || request.radius < 0) {
      RaiseSceneError(scene_error::kBadFillet, which + " has the radius " +
                                                   GeneralForm(request.radius) +
                                                   "; a radius is 0 or more");
    }
    rounded[static_cast<std::size_t>(corner - 1)] = true;
    corners[static_cast<std::size_t>(corner - 1)].radius = request.radius;
    elements.insert(elements.begin() + request.index, 0);
  }
}

void PlaceFillets(std::vector<Corner>& corners, int loopNumber) {
  const std::size_t n = corners.size();
  for (std::size_t i = 0; i < n; ++i) {
    Corner& c = corners[i];
    const Point2 before = corners[(i + n - 1) % n].point;
    const Point2 after = corners[(i + 1) % n].point;
    const Point2 in = (c.point - before) * (1.0 / Length(c.point - before));
    const Point2 out = (after - c.point) * (1.0 / Length(after - c.point));
    c.turn = std::atan2(Cross(in, out), Dot(in, out));
    c.entry = c.exit = c.point;
    if (std::fabs(c.turn) > std::numbers::pi - 1e-9) {
      RaiseSceneError(scene_error::kBadSketch, "The outline turns back on itself at corner " +
                                                   std::to_string(i + 1) + Where(loopNumber));
    }
    if (c.radius == 0 || std::fabs(c.turn) < 1e-12) continue;
    c.tangentLength = c.radius * std::tan(std::fabs(c.turn) / 2);
    c.entry = c.point - in * c.tangentLength;
    c.exit = c.point + out * c.tangentLength;
    const Point2 leftOfTravel{-in.y, in.x};
    c.centre = c.entry + leftOfTravel * (c.turn > 0 ? c.radius : -c.radius);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const Corner& a = corners[i];
    const Corner& b = corners[(i + 1) % n];
    const double edge = Length(b.point - a.point);
    if (a.tangentLength + b.tangentLength > edge * (1 + 1e-12)) {
      RaiseSceneError(scene_error::kFilletTooLarge,
                      "The fillet radius " + GeneralForm(a.tangentLength > 0 ? a.radius : b.radius) +
                          " is too large for the edge from corner " + std::to_string(i + 1) +
                          " to corner " + std::to_string((i + 1) % n + 1) + " (length " +
                          GeneralForm(edge) + ")" + Where(loopNumber));
    }
  }
}

Boundary CircleBoundary(const LoopSketch& sketch, int loopNumber) {
  const Point2 centre = *sketch.circleCentre;
  RequireFinite(centre, loopNumber);
  if (!sketch.lines.empty()) {
    RaiseSceneError(scene_error::kBadSketch,
                    "A loop holds either lines or one circle, not both" + Where(loopNumber));
  }
  if (!std::isfinite(sketch.circleRadius) || sketch.circleRadius <= 0) {
    RaiseSceneError(scene_error::kBadSketch, "The circle has the radius " +
                                                 GeneralForm(sketch.circleRadius) +
                                                 "; a radius must be greater than 0" +
                                                 Where(loopNumber));
  }
  const Point2 start{centre.x + sketch.circleRadius, centre.y};
  BoundaryElement circle{BoundaryElement::Kind::Arc, start, start, centre, sketch.circleRadius,
                         2 * std::numbers::pi};
  return {{circle}};
}

}  // namespace

Boundary BoundaryFromSketch(const LoopSketch& sketch, int loopNumber) {
  if (sketch.circleCentre) return CircleBoundary(sketch, loopNumber);
  if (sketch.lines.empty()) {
    RaiseSceneError(scene_error::kBadSketch, "The loop is empty" + Where(loopNumber));
  }
  std::vector<Corner> corners = CornersOf(sketch, loopNumber);
  AssignRadii(corners, sketch.fillets, loopNumber);
  PlaceFillets(corners, loopNumber);
  Boundary boundary;
  const std::size_t n = corners.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Corner& c = corners[i];
    if (c.tangentLength > 0) {
      boundary.elements.push_back(
          {BoundaryElement::Kind::Arc, c.entry, c.exit, c.centre, c.radius, c.turn});
    }
    const Point2 next = corners[(i + 1) % n].entry;
    if (!(c.exit == next)) {
      boundary.elements.push_back({BoundaryElement::Kind::Line, c.exit, next, {}, 0, 0});
    }
  }
  return boundary;
}

}  // namespace zembrati::scene
