#include "nc1_piece.h"

#include <cmath>
#include <cstdio>

namespace zembrati::shop {
namespace {

constexpr const char* kLineEnd = "\r\n";

// Printable ASCII only, at most `most` characters: a machine's controller reads nothing else.
std::string Ascii(const std::string& text, std::size_t most) {
  std::string out;
  for (const char c : text) {
    if (out.size() == most) break;
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && (byte & 0xC0) == 0x80) continue;  // the rest of a character already replaced
    out += byte >= 0x20 && byte < 0x7F ? c : '?';
  }
  return out;
}

std::string Fixed(double value, int decimals) {
  if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;  // never "-0.00"
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// A number right-aligned in ten columns after the two blanks, as the format's examples align them.
std::string NumberLine(double value, int decimals) {
  const std::string text = Fixed(value, decimals);
  return "  " + std::string(text.size() < 10 ? 10 - text.size() : 0, ' ') + text + kLineEnd;
}

std::string TextLine(const std::string& text) { return "  " + Ascii(text, 80) + kLineEnd; }

std::string Column(const std::string& text, std::size_t width) {
  return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

}  // namespace

std::string Nc1Text(const Nc1Piece& p) {
  std::string out = std::string("ST") + kLineEnd;
  for (const std::string* text : {&p.order, &p.drawing, &p.phase, &p.piece, &p.grade}) out += TextLine(*text);
  out += "  " + std::to_string(p.quantity) + kLineEnd;
  out += TextLine(p.profile) + TextLine(p.profileCode);
  for (const double value : {p.length, p.height, p.flangeWidth, p.flangeThickness, p.webThickness, p.radius}) {
    out += NumberLine(value, 2);
  }
  for (const double value : {p.weightPerMetre, p.paintPerMetre, p.webStartCut, p.webEndCut, p.flangeStartCut, p.flangeEndCut}) {
    out += NumberLine(value, 3);
  }
  for (std::size_t i = 0; i < 4; ++i) out += TextLine(i < p.texts.size() ? p.texts[i] : "");
  for (const FaceContour& contour : p.contours) {
    out += std::string("AK") + kLineEnd;
    for (const PlatePoint& point : contour.points) {
      out += "  " + std::string(1, contour.face) + Column(Fixed(point.x, 2), 10) + "u" + Column(Fixed(point.y, 2), 10) +
             Column("0.00", 10) + kLineEnd;
    }
  }
  if (!p.mark.empty()) {
    out += std::string("SI") + kLineEnd;
    out += "  v" + Column(Fixed(p.markAt.x, 2), 10) + "u" + Column(Fixed(p.markAt.y, 2), 10) + Column("0.00", 10) +
           Column(std::to_string(p.markHeight), 5) + "r " + Ascii(p.mark, 40) + kLineEnd;
  }
  out += std::string("EN") + kLineEnd;
  return out;
}

}  // namespace zembrati::shop
