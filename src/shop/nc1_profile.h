#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "section/loop_sketch.h"

namespace zembrati::shop {

// A section as the NC header gives it: the format's profile code and the dimensions in the
// header's order, the catalogue's values as the outline was drawn with them.
struct Nc1Profile {
  std::string code;
  double height = 0, flangeWidth = 0, flangeThickness = 0, webThickness = 0, radius = 0;
};

// I for HE, IPE, IPN and the other I families; U channels; L angles; T tees; RO round tubes; M
// rectangular and square hollow sections; B flats and square bars (the format has no code of
// its own for a solid square: a bar of plate, its side the width and the thickness); RU round
// bars. None for a type code outside 1..12.
std::optional<std::string> Nc1ProfileCode(std::int16_t typeCode);

// The code and dimensions of a section of `typeCode` drawn as `loops`: height along the web (an
// angle's first leg, a hollow section's first side), flange width, flange and web thickness (the
// wall of a tube or hollow section), the root radius (a hollow section's outer corner). A flat's
// or square bar's width is its height and its thickness the web's, as the format lays out plates.
// Where the loops are not the type's outline (a rounded tee) the height and width are the drawn
// box's and the thicknesses 0.
std::optional<Nc1Profile> Nc1ProfileOf(std::int16_t typeCode, const std::vector<scene::LoopSketch>& loops, double boxWidth,
                                       double boxHeight);

}  // namespace zembrati::shop
