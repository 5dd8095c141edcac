#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document.h"
#include "nc1_piece.h"
#include "nc1_profile.h"

namespace zembrati::shop {

// The face plates of a coped body as the format describes them, x from the piece's start
// (`zStart`, its lowest z) to its cut `length`. An I section or channel: the web (v, y from the bottom flange's
// underside, over the full height) and both flanges (o the top, u the bottom; y across the
// flange from its edge on the section's -x side, a channel's from its web's back). An angle: its
// first leg (v) and its second (u), y from the heel. A tee: its web (v, y from the flange's
// underside) and its flange (u). A round tube: its skin rolled out flat (v, y along the outer
// circumference from the section's top, towards +x). Only the plates the cope changes are given.
// None where the format cannot describe the cut: a cope on another section, or a plate the cope
// divides; `note` says which.
std::optional<std::vector<FaceContour>> CopedContours(const scene::Node& body, std::int16_t typeCode, const Nc1Profile& profile,
                                                      double zStart, double length, std::string& note);

// A closed polyline anticlockwise, starting at its lowest-left point, points on a straight run
// between others left out; the first point repeated last.
std::vector<PlatePoint> AnticlockwiseOutline(std::vector<PlatePoint> points);

}  // namespace zembrati::shop
