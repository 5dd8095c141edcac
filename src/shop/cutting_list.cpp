#include "cutting_list.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "report/part_report.h"
#include "section/boundary_queries.h"

namespace zembrati::shop {
namespace {

using Json = nlohmann::ordered_json;

double Tenths(double value) { return std::round(value * 10) / 10 + 0.0; }

EndAngles AnglesOf(const Json& report) {
  EndAngles angles{};
  for (std::size_t i = 0; i < 2 && i < report["ends"].size(); ++i) {
    angles[2 * i] = Tenths(report["ends"][i]["angle_web_deg"].get<double>());
    angles[2 * i + 1] = Tenths(report["ends"][i]["angle_flange_deg"].get<double>());
  }
  return angles;
}

}  // namespace

// A piece may lie on the saw bed either way round: turned end for end about its y axis (when its
// section is its own mirror image across that axis) the start becomes the end and the flange
// angles change sign; about its x axis, the web angles do; a round piece turns any way. Of the
// ways a piece can lie, the list names it by one, so that pieces cut alike are counted as one.
EndAngles AsTheSawSeesIt(EndAngles a, const scene::Section& section) {
  const auto zero = [](double v) { return v + 0.0; };
  std::vector<EndAngles> ways{a};
  if (scene::IsRound(section)) ways.push_back({a[2], a[3], a[0], a[1]});
  const bool acrossY = scene::MirrorsOntoItself(section, false), acrossX = scene::MirrorsOntoItself(section, true);
  if (acrossY) ways.push_back({a[2], zero(-a[3]), a[0], zero(-a[1])});
  if (acrossX) ways.push_back({zero(-a[2]), a[3], zero(-a[0]), a[1]});
  if (acrossX && acrossY) ways.push_back({zero(-a[0]), zero(-a[1]), zero(-a[2]), zero(-a[3])});
  return *std::min_element(ways.begin(), ways.end());
}


std::vector<CutPiece> CutPiecesOf(const std::vector<scene::NodePtr>& parts) {
  std::vector<CutPiece> pieces;
  for (const scene::NodePtr& part : parts) {
    const Json report = report::PartReport(part);
    if (!report.contains("mass_kg") || !report["mass_kg"].is_number()) continue;
    pieces.push_back({part->name, report::PartMark(*part), report["standard"],
                      report.contains("summary") ? report["summary"]["part_number"].get<std::string>() : "", report["material"],
                      Tenths(report["cut_length_mm"].get<double>()), AnglesOf(report), report["mass_kg"].get<double>(),
                      report["section"]["mass_kg_per_m"].get<double>()});
  }
  return pieces;
}

std::vector<CuttingLine> CuttingListOf(const std::vector<scene::NodePtr>& parts) {
  std::map<std::tuple<std::string, std::string, std::string, double, EndAngles>, CuttingLine> lines;
  for (const scene::NodePtr& part : parts) {
    for (const CutPiece& piece : CutPiecesOf({part})) {
      const EndAngles angles = AsTheSawSeesIt(piece.angles, *scene::FirstBody(*part)->section);
      CuttingLine& line = lines[{piece.standard, piece.designation, piece.material, piece.lengthMm, angles}];
      line.standard = piece.standard;
      line.designation = piece.designation;
      line.material = piece.material;
      line.lengthMm = piece.lengthMm;
      line.angles = angles;
      line.unitMassKg = piece.massKg;
      line.massPerMetreKg = piece.massPerMetreKg;
      ++line.count;
      if (!piece.mark.empty()) line.marks.push_back(piece.mark);
      line.pieces.push_back(piece.mark.empty() ? piece.name : piece.mark);
    }
  }
  std::vector<CuttingLine> list;
  for (auto& [key, line] : lines) list.push_back(std::move(line));
  return list;
}

}  // namespace zembrati::shop
