#pragma once

#include <array>
#include <string>
#include <vector>

#include "document.h"

namespace zembrati::shop {

// How a piece's ends are cut: the angles from square in the web's and the flanges' planes at its
// start and at its end, in degrees to a tenth.
using EndAngles = std::array<double, 4>;

// One piece as the saw cuts it: the part's name and mark, its standard, designation, material,
// cut length (to a tenth of a millimetre), end angles as the part reports them, and the mass
// of the cut piece and of a metre of its section.
struct CutPiece {
  std::string name, mark, standard, designation, material;
  double lengthMm = 0;
  EndAngles angles{};
  double massKg = 0;
  double massPerMetreKg = 0;
};

// The scene's parts with a solid of this system that the modeller can cut, in the scene's order.
std::vector<CutPiece> CutPiecesOf(const std::vector<scene::NodePtr>& parts);

// One line of the cutting list: the pieces of one standard, designation (size and thickness, as
// the catalogue's part number gives them), material, cut length (tip to tip, as the saw cuts it)
// and end angles.
struct CuttingLine {
  std::string standard, designation, material;
  double lengthMm = 0;
  EndAngles angles{};
  int count = 0;
  double unitMassKg = 0;
  // Of the uncut section, as the mill sells it.
  double massPerMetreKg = 0;
  // The marks the user gave the pieces (those without one have none here) ...
  std::vector<std::string> marks;
  // ... and every piece by its mark, or its name where it has no mark, in the scene's order.
  std::vector<std::string> pieces;
};

// Of the ways a piece may lie on the saw bed (turned end for end, or over, where its section
// is its own mirror image; any way for a round one), the one the lists name it by, so that
// pieces cut alike are counted as one: the least of the ways' angles.
EndAngles AsTheSawSeesIt(EndAngles angles, const scene::Section& section);

// The scene's parts as the saw cuts them, one line per standard, designation, material, cut
// length and end angles (a piece named by the way it lies on the saw bed that cuts it so), in
// that order. Parts without a solid of this system, or whose cuts the modeller cannot make, are
// left out.
std::vector<CuttingLine> CuttingListOf(const std::vector<scene::NodePtr>& parts);

}  // namespace zembrati::shop
