#include "bom_command.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "cli_support.h"
#include "csv_table.h"
#include "order_output.h"
#include "shop/cutting_list.h"
#include "runtime/file_replacement.h"
#include "runtime/number_text.h"
#include "scene_session.h"

namespace zembrati::cli {
namespace {

using Json = nlohmann::ordered_json;

struct BomOptions {
  SettingsOptions settings;
  std::string scene, csv, stock;
  std::string kerf = "0", trim = "0";
  bool json = false, strict = false;
};

// The stock lengths, kerf and trim as the shop gives them; a stock list names at least one length.
shop::StockOptions StockOptionsOf(const BomOptions& options) {
  shop::StockOptions stock;
  for (const double length : ParseNumberList(options.stock, "--stock")) {
    if (!(length > 0) || length > kMaxLengthMm) {
      throw UsageError("--stock: " + runtime::GeneralForm(length) + " mm is not a stock length; give lengths greater than 0 and at most 1000000 mm, as in --stock 6000,12000");
    }
    stock.stockMm.push_back(length);
  }
  const auto notNegative = [](const std::string& text, const char* what) {
    const double value = ParseNumber(text, what);
    if (!(value >= 0) || value > kMaxLengthMm) {
      throw UsageError(std::string(what) + ": " + text + " mm is not a cut width or trim; give 0 or more, at most 1000000 mm");
    }
    return value;
  };
  stock.kerfMm = notNegative(options.kerf, "--kerf");
  stock.trimMm = notNegative(options.trim, "--trim");
  return stock;
}

using shop::CuttingLine;
using shop::EndAngles;

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

std::string CsvText(const std::vector<CuttingLine>& list) {
  std::ostringstream out;
  out << "standard,designation,material,length_mm,start_angle_web_deg,start_angle_flange_deg,end_angle_web_deg,"
         "end_angle_flange_deg,count,unit_mass_kg,total_length_mm,total_mass_kg,marks\n";
  for (const CuttingLine& l : list) {
    out << CsvField(l.standard) << ',' << CsvField(l.designation) << ',' << CsvField(l.material) << ',' << Mm(l.lengthMm);
    for (const double angle : l.angles) out << ',' << Degrees(angle);
    out << ',' << l.count << ',' << Kg(l.unitMassKg) << ',' << Mm(l.lengthMm * l.count) << ','
        << Kg(l.unitMassKg * l.count) << ',' << CsvField(Joined(l.marks, " ")) << '\n';
  }
  return out.str();
}

Json JsonOf(const std::vector<CuttingLine>& list) {
  Json lines = Json::array();
  std::map<std::string, double> byMaterial;
  double total = 0;
  for (const CuttingLine& l : list) {
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

void PrintTable(const std::vector<CuttingLine>& list) {
  std::map<std::string, std::pair<int, double>> byMaterial;
  double total = 0;
  int pieces = 0;
  std::cout << std::left << std::setw(16) << "standard" << std::setw(18) << "designation" << std::setw(10) << "material"
            << std::right << std::setw(10) << "length" << std::setw(12) << "start" << std::setw(12) << "end"
            << std::setw(6) << "count" << std::setw(11) << "kg/piece"
            << std::setw(12) << "total mm" << std::setw(11) << "total kg" << "  marks\n";
  for (const CuttingLine& l : list) {
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
  const bool nesting = !options.stock.empty();
  if (!nesting && (options.kerf != "0" || options.trim != "0" || options.strict)) {
    throw UsageError("--kerf, --trim and --strict go with --stock: give the stock lengths to nest the pieces into, as in --stock 6000,12000");
  }
  const shop::StockOptions stock = nesting ? StockOptionsOf(options) : shop::StockOptions{};
  if (!options.csv.empty()) RequirePlainText(options.csv, "--csv");
  SceneSession session(options.scene, options.settings, SceneSession::Access::Read);
  const std::vector<CuttingLine> list = shop::CuttingListOf(session.host().document().Parts());
  std::vector<shop::OrderGroup> order;
  try {
    if (nesting) order = shop::OrderListOf(list, stock);
  } catch (const std::invalid_argument& error) {
    throw CommandFailure(std::string("cannot nest the pieces: ") + error.what());
  }
  if (!options.csv.empty()) {
    const std::string text = nesting ? OrderCsv(order) : CsvText(list);
    const runtime::Status status = runtime::Trap([&] { runtime::ReplaceFileContent(options.csv, text); });
    if (!status.ok()) throw CommandFailure(options.csv + ": " + status.description);
  }
  if (options.json) {
    Json answer = JsonOf(list);
    if (nesting) {
      answer["order"] = shop::OrderSummaryJson(order, stock);
      answer["nesting"] = shop::NestingJson(order);
    }
    PrintJson(answer);
  } else if (options.csv.empty()) {
    PrintTable(list);
    if (nesting) PrintOrder(order, stock);
  }
  const std::string unplaced = shop::UnplacedPieces(order);
  if (!unplaced.empty() && !options.json) {
    std::cerr << "zembrati: " << unplaced << " longer than every stock length (less the trim) and placed on no bar; "
              << "order them separately or give a longer stock length\n";
  }
  return options.strict && !unplaced.empty() ? kExitSystemError : kExitSuccess;
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
  command->add_option("--csv", options->csv, "Write the list as CSV to this file (with --stock, the bars to order)");
  command->add_flag("--json", options->json, "Print the list and its totals as JSON (with --stock, also the bars to order as \"nesting\")");
  command->add_option("--stock", options->stock,
                      "Nest the pieces of each standard, designation and material into stock bars of these lengths in mm "
                      "(\"6000,12000\"): the bars to order, the pieces cut from each in cutting order and the offcut, "
                      "with the least number of bars any nesting can take beside them");
  command->add_option("--kerf", options->kerf, "The saw's cut width in mm, taken after every piece but the last of a bar (default 0)");
  command->add_option("--trim", options->trim, "The length in mm cut off each bar before its first piece: the mill end and the cut that squares it (default 0)");
  command->add_flag("--strict", options->strict, "Exit with 1 when a piece is longer than every stock length");
  AddSettingsOptions(*command, options->settings);
  command->footer("Examples:\n  zembrati bom --scene out/portal.json --csv out/portal-cutting-list.csv\n"
                  "  zembrati bom --scene out/portal.json --stock 6000,12000 --kerf 3 --trim 10");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunBom(*options); }); });
}

}  // namespace zembrati::cli
