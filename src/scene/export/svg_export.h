#pragma once

#include <string>

#include "section/section.h"

namespace zembrati::scene {

// An SVG drawing of a cross-section in millimetres: the outline and holes with their true arcs,
// the overall width and height dimensioned, and the caption (the part's name) beneath.
std::string SectionSvg(const Section& section, const std::string& caption);
void WriteSectionSvg(const Section& section, const std::string& caption, const std::string& path);

}  // namespace zembrati::scene
