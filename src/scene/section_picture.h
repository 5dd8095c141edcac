#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "section/section.h"

namespace zembrati::scene {

// The outline of a section as the system's own generator draws it, for pictures: the loops as
// polylines (outline first), built on a scratch document. Nothing when the dimensions make no
// sound section.
std::optional<std::vector<std::vector<Point2>>> SectionPicture(std::int16_t typeCode,
                                                                const std::array<double, 21>& dims);

}  // namespace zembrati::scene
