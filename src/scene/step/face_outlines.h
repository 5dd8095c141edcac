#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "document.h"

// Where a member's cut solid lies, as NC files describe a piece: the outline of each face plate
// and the cut ends along a tube's skin. In the body's own coordinates (section x and y, z along
// the axis).
namespace zembrati::scene {

// A plane along the member: x = `offset`, or y = `offset` where `normalAlongY`.
struct AxialPlane {
  bool normalAlongY = false;
  double offset = 0;
};

// For each plane, the closed outlines in which it cuts the body's solid (the solid made once),
// each as points (z, the plane's other coordinate) with the first repeated last, arcs divided
// into chords within 0.05 mm. Raises a host error for a body without a solid, or in a build
// without the modeller.
std::vector<std::vector<std::vector<Point2>>> PlaneSectionLoops(const Node& body, const std::vector<AxialPlane>& planes);

// For each point (x, y) of the section, the lowest and highest z of the solid on the line through
// it along the axis, or none where the line misses the solid.
std::vector<std::optional<std::pair<double, double>>> ExtentsAlongAxis(const Node& body, const std::vector<Point2>& points);

}  // namespace zembrati::scene
