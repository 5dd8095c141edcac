#include "bom_command.h"

#include <cmath>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>

#include "cli_support.h"
#include "parts/name_template.h"
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

// One line of the cutting list: the pieces of one standard, designation (size and thickness, as
// the catalogue's part number gives them), material and length.
struct BomLine {
  std::string standard, designation, material;
  double lengthMm = 0;
  int count = 0;
  double unitMassKg = 0;
  std::vector<std::string> marks;
};

// The mark of a part: what the user added to its generated name.
std::string MarkOf(const Json& report) {
  for (const Json& variable : report["part_variables"]) {
    if (variable["kind"] == 2 && variable["index"] == 2 && variable["value"].is_string()) {
      return TrimmedBlanks(parts::UserSuffix(report["name"].get<std::string>(), variable["value"].get<std::string>()));
    }
  }
  return {};
}

std::vector<BomLine> CuttingList(const std::vector<scene::NodePtr>& parts) {
  std::map<std::tuple<std::string, std::string, std::string, double>, BomLine> lines;
  for (const scene::NodePtr& part : parts) {
    const Json report = report::PartReport(part);
    if (!report.contains("mass_kg")) continue;  // not a part with a solid of this system
    const std::string designation = report.contains("summary") ? report["summary"]["part_number"].get<std::string>() : "";
    const double length = report["length_mm"].get<double>();
    BomLine& line = lines[{report["standard"], designation, report["material"], length}];
    line.standard = report["standard"];
    line.designation = designation;
    line.material = report["material"];
    line.lengthMm = length;
    line.unitMassKg = report["mass_kg"].get<double>();
    ++line.count;
    if (const std::string mark = MarkOf(report); !mark.empty()) line.marks.push_back(mark);
  }
  std::vector<BomLine> list;
  for (auto& [key, line] : lines) list.push_back(std::move(line));
  return list;
}

std::string Kg(double kg) { return runtime::GeneralForm(std::round(kg * 100) / 100); }
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
  out << "standard,designation,material,length_mm,count,unit_mass_kg,total_length_mm,total_mass_kg,marks\n";
  for (const BomLine& l : list) {
    out << CsvField(l.standard) << ',' << CsvField(l.designation) << ',' << CsvField(l.material) << ',' << Mm(l.lengthMm)
        << ',' << l.count << ',' << Kg(l.unitMassKg) << ',' << Mm(l.lengthMm * l.count) << ','
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
                     {"length_mm", l.lengthMm}, {"count", l.count}, {"unit_mass_kg", l.unitMassKg},
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
            << std::right << std::setw(10) << "length" << std::setw(6) << "count" << std::setw(11) << "kg/piece"
            << std::setw(12) << "total mm" << std::setw(11) << "total kg" << "  marks\n";
  for (const BomLine& l : list) {
    std::cout << std::left << std::setw(16) << l.standard << std::setw(18) << l.designation << std::setw(10) << l.material
              << std::right << std::setw(10) << Mm(l.lengthMm) << std::setw(6) << l.count << std::setw(11)
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
      "bom", "The cutting list of a scene: one line per standard, designation (size and thickness), material and "
             "length, with the count, the mass of one piece from its exact section, the total length and mass and "
             "the marks; then the totals per material and overall.");
  command->add_option("--scene", options->scene, "Scene file")->required()->check(CLI::ExistingFile);
  command->add_option("--csv", options->csv, "Write the list as CSV to this file");
  command->add_flag("--json", options->json, "Print the list and its totals as JSON");
  AddSettingsOptions(*command, options->settings);
  command->footer("Example:\n  zembrati bom --scene out/portal.json --csv out/portal-cutting-list.csv");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunBom(*options); }); });
}

}  // namespace zembrati::cli
