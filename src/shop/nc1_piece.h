#pragma once

#include <string>
#include <vector>

namespace zembrati::shop {

// A point of a face plate as NC files give it: x along the piece from its start, y across the face.
struct PlatePoint {
  double x = 0, y = 0;
};

// The outline of one face plate where a cope or notch changes it: `face` is the format's letter
// (v the web's front, o the top flange, u the bottom flange, h behind), the points anticlockwise,
// the first repeated last.
struct FaceContour {
  char face = 'v';
  std::vector<PlatePoint> points;
};

// One piece as a DSTV NC1 file describes it: the header's lines in the format's order, the
// contours and the mark.
struct Nc1Piece {
  std::string order, drawing, phase = "1", piece, grade;
  int quantity = 1;
  std::string profile, profileCode;
  double length = 0, height = 0, flangeWidth = 0, flangeThickness = 0, webThickness = 0, radius = 0;
  double weightPerMetre = 0, paintPerMetre = 0;
  double webStartCut = 0, webEndCut = 0, flangeStartCut = 0, flangeEndCut = 0;
  std::vector<std::string> texts;  // up to four lines of text about the piece
  std::vector<FaceContour> contours;
  // The mark written on the web, where on it, and the letters' height in mm.
  std::string mark;
  PlatePoint markAt;
  int markHeight = 10;
};

// The file's text: ST with its 24 lines, AK per contour, SI, EN; lines end CR LF as the format's
// DOS machines wrote them, data lines start with two blanks, lengths with two decimals and
// weights, surfaces and angles with three, a decimal point always; texts in ASCII (other
// characters as "?"), at most 80 characters (the mark 40).
std::string Nc1Text(const Nc1Piece& piece);

}  // namespace zembrati::shop
