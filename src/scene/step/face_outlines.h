#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "document.h"

// Where a member's cut solid lies, as NC files describe a piece: the outline of each face plate
// and the cut ends along a tube's skin. In the body's own coordinates (section x and y, z along
// the axis).
namespace zembrati::scene {

// The closed outlines in which the plane x = `offset` (or y = `offset`, where `normalAlongY`) cuts
// the body's solid, each as points (z, the plane's other coordinate) with the first repeated last,
// arcs divided into chords within 0.05 mm. Raises a host error for a body without a solid, or in
// a build without the modeller.
std::vector<std::vector<Point2>> PlaneSectionLoops(const Node& body, bool normalAlongY, double offset);

// For each point (x, y) of the section, the lowest and highest z of the solid on the line through
// it along the axis, or none where the line misses the solid.
std::vector<std::optional<std::pair<double, double>>> ExtentsAlongAxis(const Node& body, const std::vector<Point2>& points);

}  // namespace zembrati::scene
