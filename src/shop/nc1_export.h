#pragma once

#include <string>
#include <vector>

#include "document.h"
#include "nc1_piece.h"

namespace zembrati::shop {

// One NC file: the distinct piece it describes, its file name and the parts it stands for.
struct Nc1File {
  std::string fileName;
  Nc1Piece piece;
  std::vector<std::string> parts;
};

struct Nc1Export {
  std::vector<Nc1File> files;
  // What could not be described, part by part (a cope on a section the contours do not cover).
  std::vector<std::string> notes;
};

// The scene's parts as DSTV NC1 pieces, one file per distinct piece (same designation, grade,
// cut length, end cuts and contours) with its quantity, in the scene's order. `order` names the
// job (the scene's name). A file is named after the piece's mark, or where it has none its part
// number, made unique and safe as a file name.
Nc1Export Nc1FilesOf(const std::vector<scene::NodePtr>& parts, const std::string& order);

// The description of one part, quantity one, named `piece`; the note says why there is none.
std::optional<Nc1Piece> Nc1PieceOf(const scene::NodePtr& part, const std::string& order, const std::string& piece,
                                   std::string& note);

}  // namespace zembrati::shop
