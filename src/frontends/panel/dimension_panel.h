#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "section/loop_sketch.h"

// What every window of the selection dialog shows in its dimension panel, worked out once for
// all of them from the form model and the session's dimensions.
namespace zembrati::panel {

struct DimensionPanel {
  int typeIndex = -1;                    // the type whose picture is shown (code - 1), or -1
  std::string title;                     // "HE (mm)"
  std::vector<std::string> lines;        // "h = 190", one for each dimension label of the type
  std::vector<std::string> sectionData;  // area and mass per metre; Iy and Iz in the tables' axes
};
DimensionPanel PanelOf(const dialog::Dialog& dialog);

// The loops of the section as its generator outlines it from `dims` (outline first), or of the
// type's typical size when `dims` make no sound section; empty when neither does.
std::vector<std::vector<scene::Point2>> PictureLoops(std::int16_t typeCode, const std::array<double, 21>& dims);

}  // namespace zembrati::panel
