#pragma once

#include <string>
#include <vector>

#include "body_cuts.h"

#include "section/section.h"

namespace zembrati::scene {

// An SVG drawing of a cross-section in millimetres: the outline and holes with their true arcs,
// the overall width and height dimensioned, and the caption (the part's name) beneath.
std::string SectionSvg(const Section& section, const std::string& caption);

void WriteSectionSvg(const Section& section, const std::string& caption, const std::string& path);

// A view of a member along one of its section's axes: its edges as lines in the view's plane,
// the axis (z) running across and the section's y (in the elevation) or x (in the plan) up, those
// seen and those hidden behind the member.
struct MemberView {
  std::vector<std::vector<Point2>> visible, hidden;
};

// What a shop drawing of a cut member shows: its section, its elevation and plan with the end
// cuts, the cut length tip to tip (the lowest and highest z any point reaches), and each end's
// angles and joint.
struct MemberDrawing {
  const Section* section = nullptr;
  MemberView elevation, plan;
  double zMin = 0, zMax = 0;
  EndAngles start, end;
  std::string caption;
};

// The drawing as SVG in millimetres: the elevation with the plan beneath it, both to one scale,
// the cut length dimensioned under them and the ends' angles beside them, the section at their
// left to the same scale, and the caption.
std::string MemberSvg(const MemberDrawing& drawing);

void WriteMemberSvg(const MemberDrawing& drawing, const std::string& path);

}  // namespace zembrati::scene
