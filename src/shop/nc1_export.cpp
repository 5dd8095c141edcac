#include "nc1_export.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "cutting_list.h"
#include "nc1_contours.h"
#include "nc1_profile.h"
#include "report/part_report.h"
#include "runtime/runtime_error.h"
#include "step/cut_solids.h"

namespace zembrati::shop {
namespace {

using Json = nlohmann::ordered_json;

double OuterPerimeterMm(const scene::Section& section) {
  double perimeter = 0;
  for (const scene::BoundaryElement& e : section.outline.elements) {
    perimeter += e.kind == scene::BoundaryElement::Kind::Arc ? e.radius * std::fabs(e.sweep)
                                                             : std::hypot(e.to.x - e.from.x, e.to.y - e.from.y);
  }
  return perimeter;
}

// Where the mark goes: on the web (the v plate), a little in from the start, half way across.
PlatePoint MarkPlace(const Nc1Piece& piece) {
  const double across = piece.profileCode == "RO" ? std::numbers::pi * piece.height / 4 : piece.height / 2;
  return {std::min(50.0, piece.length / 4), std::round(across * 100) / 100};
}

// The report's angles are positive where an end reaches farther on the section's +y (web) or +x
// (flange) side. The format's are anticlockwise in its views: the web's front view looks with
// the piece's start on the left and +y up, so a start reaching farther on top is positive and an
// end reaching farther on top negative; its bottom view has the section's -x up, which turns the
// flange's signs the other way. A piece with plain ends lies on the bed as the cutting list
// names it, so that pieces cut alike are one file.
void SetCutAngles(Nc1Piece& piece, const Json& report, const scene::Node& body) {
  const Json& ends = report["ends"];
  EndAngles a{ends[0]["angle_web_deg"].get<double>(), ends[0]["angle_flange_deg"].get<double>(),
              ends[1]["angle_web_deg"].get<double>(), ends[1]["angle_flange_deg"].get<double>()};
  if (!body.cuts || !body.cuts->HasCope()) a = AsTheSawSeesIt(a, *body.section);
  piece.webStartCut = a[0];
  piece.flangeStartCut = -a[1];
  piece.webEndCut = -a[2];
  piece.flangeEndCut = a[3];
  // A coped end is described by the contours, and the format then wants 0 for it in the header.
  if (body.cuts && body.cuts->start.cope) piece.webStartCut = piece.flangeStartCut = 0;
  if (body.cuts && body.cuts->end.cope) piece.webEndCut = piece.flangeEndCut = 0;
}

std::string SafeFileName(const std::string& name) {
  std::string safe;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    safe += std::isalnum(byte) || c == '-' || c == '_' || c == '.' ? c : '_';
  }
  while (!safe.empty() && safe.front() == '.') safe.erase(safe.begin());
  return safe.empty() ? "piece" : safe;
}

std::string LowerCaseAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// What makes two pieces the same piece: the whole file but its name, quantity and texts.
std::string SamenessKey(Nc1Piece piece) {
  piece.drawing = piece.piece = piece.mark = "";
  piece.texts.clear();
  return Nc1Text(piece);
}

}  // namespace

std::optional<Nc1Piece> Nc1PieceOf(const scene::NodePtr& part, const std::string& order, const std::string& pieceName,
                                   std::string& note) {
  const scene::NodePtr body = scene::FirstBody(*part);
  const std::int16_t typeCode = report::StoredTypeCode(part);
  if (!body || !body->section || !body->builtFrom || typeCode == 0) {
    note = "it is not a section of this system";
    return std::nullopt;
  }
  const Json report = report::PartReport(part);
  if (!report["cut_length_mm"].is_number()) {
    note = "the modeller cannot make its cuts";
    return std::nullopt;
  }
  const scene::Section& section = *body->section;
  const auto profile = Nc1ProfileOf(typeCode, *body->builtFrom, section.box.Width(), section.box.Height());
  if (!profile) {
    note = "its section type is unknown";
    return std::nullopt;
  }
  Nc1Piece piece;
  piece.order = order;
  piece.drawing = piece.piece = pieceName;
  piece.grade = report["material"];
  piece.profile = report::PartNumberOf(*part);
  if (piece.profile.empty()) piece.profile = report::PartDesignation(*part);
  piece.profileCode = profile->code;
  piece.length = report["cut_length_mm"].get<double>();
  piece.height = profile->height;
  piece.flangeWidth = profile->flangeWidth;
  piece.flangeThickness = profile->flangeThickness;
  piece.webThickness = profile->webThickness;
  piece.radius = profile->radius;
  piece.weightPerMetre = report["section"]["mass_kg_per_m"].get<double>();
  piece.paintPerMetre = OuterPerimeterMm(section) / 1000;
  SetCutAngles(piece, report, *body);
  piece.texts = {part->name};
  if (body->cuts && body->cuts->HasCope()) {
    try {
      const scene::CutExtent extent = scene::ExtentOf(*body);
      auto contours = CopedContours(*body, typeCode, *profile, extent.zMin, piece.length, note);
      if (!contours) return std::nullopt;
      piece.contours = std::move(*contours);
    } catch (const runtime::RuntimeError& error) {
      note = "the modeller cannot trace its cope (" + error.description() + ")";
      return std::nullopt;
    }
  }
  piece.mark = pieceName;
  piece.markAt = MarkPlace(piece);
  return piece;
}

Nc1Export Nc1FilesOf(const std::vector<scene::NodePtr>& parts, const std::string& order) {
  Nc1Export out;
  std::map<std::string, std::size_t> byKey;
  std::vector<std::vector<std::string>> marks;
  for (const scene::NodePtr& part : parts) {
    std::string note;
    const std::string mark = report::PartMark(*part);
    auto piece = Nc1PieceOf(part, order, mark, note);
    if (!piece) {
      out.notes.push_back(part->name + ": no NC file, " + note);
      continue;
    }
    auto [found, added] = byKey.emplace(SamenessKey(*piece), out.files.size());
    if (added) {
      out.files.push_back({"", std::move(*piece), {}});
      marks.emplace_back();
    } else {
      ++out.files[found->second].piece.quantity;
    }
    out.files[found->second].parts.push_back(part->name);
    if (!mark.empty()) marks[found->second].push_back(mark);
  }
  // Named after the first mark, or the part number; the same name twice made unique.
  std::set<std::string> taken;
  for (std::size_t i = 0; i < out.files.size(); ++i) {
    Nc1Piece& piece = out.files[i].piece;
    std::string name = marks[i].empty() ? piece.profile : marks[i].front();
    std::string unique = name;
    for (int n = 2; !taken.insert(LowerCaseAscii(SafeFileName(unique))).second; ++n) unique = name + "-" + std::to_string(n);
    piece.drawing = piece.piece = piece.mark = unique;
    std::string all;
    for (const std::string& m : marks[i]) all += (all.empty() ? "" : " ") + m;
    if (!all.empty()) piece.texts.push_back(all);
    out.files[i].fileName = SafeFileName(unique) + ".nc1";
  }
  return out;
}

}  // namespace zembrati::shop
