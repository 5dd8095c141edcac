#include "section/section.h"

#include <cmath>

#include "scene_error.h"
#include "section/boundary_from_sketch.h"
#include "section/loop_layout.h"
#include "section/section_properties.h"

namespace zembrati::scene {

std::vector<const Boundary*> Section::Loops() const {
  std::vector<const Boundary*> loops{&outline};
  for (const Boundary& hole : holes) loops.push_back(&hole);
  return loops;
}

std::vector<Point2> Polyline(const Boundary& boundary, double maxStep) {
  std::vector<Point2> points;
  for (const BoundaryElement& e : boundary.elements) {
    points.push_back(e.from);
    if (e.kind != BoundaryElement::Kind::Arc) continue;
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(e.sweep) / maxStep)));
    const double t0 = std::atan2(e.from.y - e.centre.y, e.from.x - e.centre.x);
    for (int k = 1; k < steps; ++k) {
      const double t = t0 + e.sweep * k / steps;
      points.push_back({e.centre.x + e.radius * std::cos(t), e.centre.y + e.radius * std::sin(t)});
    }
  }
  return points;
}

Section BuildSection(const std::vector<LoopSketch>& sketches) {
  if (sketches.empty()) RaiseSceneError(scene_error::kBadSketch, "The profile has no loop");
  std::vector<Boundary> loops;
  for (std::size_t i = 0; i < sketches.size(); ++i) {
    loops.push_back(BoundaryFromSketch(sketches[i], static_cast<int>(i) + 1));
  }
  const std::size_t outlineIndex = CheckLoopLayout(loops);
  Section section;
  RegionMoments total;
  for (std::size_t i = 0; i < loops.size(); ++i) {
    const RegionMoments m = MomentsOf(loops[i]);
    // The outline adds material and every hole removes it, whichever way each was drawn.
    const double sign = ((m.area >= 0) == (i == outlineIndex)) ? 1.0 : -1.0;
    total += m.Scaled(sign);
    if (i == outlineIndex) {
      section.outline = loops[i];
    } else {
      section.holes.push_back(loops[i]);
    }
  }
  section.area = total.area;
  section.centroid = {total.momentX / total.area, total.momentY / total.area};
  section.box = BoxOf(section.outline);
  section.properties = PropertiesOf(total, section.box);
  return section;
}

}  // namespace zembrati::scene
