#include "bom_command.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>

#include "cli_support.h"
#include "section/boundary_queries.h"
#include "report/part_report.h"
#include "runtime/file_replacement.h"
#include "runtime/number_text.h"
#include "scene_session.h"

namespace zembrati::cli {
namespace {

using Json = nlohmann::ordered_json;

struct BomOptions {
  SettingsOptions settings;
  std::string scene, csv;
  bool json = false;
};

// How a piece's ends are cut: the angles from square in the web's and the flanges' planes at its
// start and at its end, in degrees to a tenth.
using EndAngles = std::array<double, 4>;

// One line of the cutting list: the pieces of one standard, designation (size and thickness, as
// the catalogue's part number gives them), material, cut length (tip to tip, as the saw cuts it)
// and end angles.
struct BomLine {
  std::string standard, designation, material;
  double lengthMm = 0;
  EndAngles angles{};
  int count = 0;
  double unitMassKg = 0;
  std::vector<std::string> marks;
};

double Tenths(double value) { return std::round(value * 10) / 10 + 0.0; }

EndAngles AnglesOf(const Json& report) {
  EndAngles angles{};
  for (std::size_t i = 0; i < 2 && i < report["ends"].size(); ++i) {
    angles[2 * i] = Tenths(report["ends"][i]["angle_web_deg"].get<double>());
    angles[2 * i + 1] = Tenths(report["ends"][i]["angle_flange_deg"].get<double>());
  }
  return angles;
}

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

std::vector<BomLine> CuttingList(const std::vector<scene::NodePtr>& parts) {
  std::map<std::tuple<std::string, std::string, std::string, double, EndAngles>, BomLine> lines;
  for (const scene::NodePtr& part : parts) {
    const Json report = report::PartReport(part);
    // Not a part with a solid of this system, or one whose cuts the modeller could not make.
    if (!report.contains("mass_kg") || !report["mass_kg"].is_number()) continue;
    const std::string designation = report.contains("summary") ? report["summary"]["part_number"].get<std::string>() : "";
    const double length = Tenths(report["cut_length_mm"].get<double>());
    const EndAngles angles = AsTheSawSeesIt(AnglesOf(report), *scene::FirstBody(*part)->section);
    BomLine& line = lines[{report["standard"], designation, report["material"], length, angles}];
    line.standard = report["standard"];
    line.designation = designation;
    line.material = report["material"];
    line.lengthMm = length;
    line.angles = angles;
    line.unitMassKg = report["mass_kg"].get<double>();
    ++line.count;
    if (const std::string mark = report::PartMark(*part); !mark.empty()) line.marks.push_back(mark);
  }
  std::vector<BomLine> list;
  for (auto& [key, line] : lines) list.push_back(std::move(line));
  return list;
}

std::string Kg(double kg) { return runtime::GeneralForm(std::round(kg * 100) / 100); }
std::string Degrees(double degrees) { return runtime::GeneralForm(degrees); }
// An end's two angles as the table prints them: "0/0" for a square end.
std::string EndText(const EndAngles& angles, std::size_t end) {
  return Degrees(angles[2 * end]) + "/" + Degrees(angles[2 * end + 1]);
}
std::string Mm(double mm) { return runtime::GeneralForm(std::round(mm * 10) / 10); }

std::string Joined(const std::vector<std::string>& marks, const char* separator) {
  std::string text;
  for (const std::string& mark : marks) text += (text.empty() ? "" : separator) + mark;
  return text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string CsvText(const std::vector<BomLine>& list) {
  std::ostringstream out;
  out << "standard,designation,material,length_mm,start_angle_web_deg,start_angle_flange_deg,end_angle_web_deg,"
         "end_angle_flange_deg,count,unit_mass_kg,total_length_mm,total_mass_kg,marks\n";
  for (const BomLine& l : list) {
    out << CsvField(l.standard) << ',' << CsvField(l.designation) << ',' << CsvField(l.material) << ',' << Mm(l.lengthMm);
    for (const double angle : l.angles) out << ',' << Degrees(angle);
    out << ',' << l.count << ',' << Kg(l.unitMassKg) << ',' << Mm(l.lengthMm * l.count) << ','
        << Kg(l.unitMassKg * l.count) << ',' << CsvField(Joined(l.marks, " ")) << '\n';
  }
  return out.str();
}

Json JsonOf(const std::vector<BomLine>& list) {
  Json lines = Json::array();
  std::map<std::string, double> byMaterial;
  double total = 0;
  for (const BomLine& l : list) {
    lines.push_back({{"standard", l.standard}, {"designation", l.designation}, {"material", l.material},
                     {"length_mm", l.lengthMm}, {"start_angle_web_deg", l.angles[0]},
                     {"start_angle_flange_deg", l.angles[1]}, {"end_angle_web_deg", l.angles[2]},
                     {"end_angle_flange_deg", l.angles[3]}, {"count", l.count}, {"unit_mass_kg", l.unitMassKg},
                     {"total_length_mm", l.lengthMm * l.count}, {"total_mass_kg", l.unitMassKg * l.count},
                     {"marks", l.marks}});
    byMaterial[l.material] += l.unitMassKg * l.count;
    total += l.unitMassKg * l.count;
  }
  Json materials = Json::array();
  for (const auto& [material, mass] : byMaterial) materials.push_back({{"material", material}, {"mass_kg", mass}});
  return {{"lines", lines}, {"materials", materials}, {"total_mass_kg", total}};
}

void PrintTable(const std::vector<BomLine>& list) {
  std::map<std::string, std::pair<int, double>> byMaterial;
  double total = 0;
  int pieces = 0;
  std::cout << std::left << std::setw(16) << "standard" << std::setw(18) << "designation" << std::setw(10) << "material"
            << std::right << std::setw(10) << "length" << std::setw(12) << "start" << std::setw(12) << "end"
            << std::setw(6) << "count" << std::setw(11) << "kg/piece"
            << std::setw(12) << "total mm" << std::setw(11) << "total kg" << "  marks\n";
  for (const BomLine& l : list) {
    std::cout << std::left << std::setw(16) << l.standard << std::setw(18) << l.designation << std::setw(10) << l.material
              << std::right << std::setw(10) << Mm(l.lengthMm) << std::setw(12) << EndText(l.angles, 0) << std::setw(12)
              << EndText(l.angles, 1) << std::setw(6) << l.count << std::setw(11)
              << Kg(l.unitMassKg) << std::setw(12) << Mm(l.lengthMm * l.count) << std::setw(11)
              << Kg(l.unitMassKg * l.count) << "  " << Joined(l.marks, " ") << "\n";
    byMaterial[l.material].first += l.count;
    byMaterial[l.material].second += l.unitMassKg * l.count;
    total += l.unitMassKg * l.count;
    pieces += l.count;
  }
  for (const auto& [material, sum] : byMaterial) {
    std::cout << "total " << material << ": " << sum.first << " pieces, " << Kg(sum.second) << " kg\n";
  }
  std::cout << "total: " << pieces << " pieces, " << Kg(total) << " kg\n";
}

int RunBom(const BomOptions& options) {
  SceneSession session(options.scene, options.settings, SceneSession::Access::Read);
  const std::vector<BomLine> list = CuttingList(session.host().document().Parts());
  if (!options.csv.empty()) {
    RequirePlainText(options.csv, "--csv");
    const runtime::Status status = runtime::Trap([&] { runtime::ReplaceFileContent(options.csv, CsvText(list)); });
    if (!status.ok()) throw CommandFailure(options.csv + ": " + status.description);
  }
  if (options.json) {
    PrintJson(JsonOf(list));
  } else if (options.csv.empty()) {
    PrintTable(list);
  }
  return kExitSuccess;
}

}  // namespace

void AddBomCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<BomOptions>();
  CLI::App* command = app.add_subcommand(
      "bom", "The cutting list of a scene: one line per standard, designation (size and thickness), material, "
             "cut length (tip to tip) and end angles (from square, in the web's and the flanges' planes, at the "
             "start and the end; for tubes and round bars in the plane of the joint and across it), with the count, the mass of one piece from its exact section, the total length and mass and "
             "the marks; then the totals per material and overall.");
  command->add_option("--scene", options->scene, "Scene file")->required()->check(CLI::ExistingFile);
  command->add_option("--csv", options->csv, "Write the list as CSV to this file");
  command->add_flag("--json", options->json, "Print the list and its totals as JSON");
  AddSettingsOptions(*command, options->settings);
  command->footer("Example:\n  zembrati bom --scene out/portal.json --csv out/portal-cutting-list.csv");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunBom(*options); }); });
}

}  // namespace zembrati::cli
