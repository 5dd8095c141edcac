#include "catalogue_command.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "automation/object_creation.h"
#include "catalogue/catalogue_text.h"
#include "catalogue/configuration.h"
#include "catalogue_walk.h"
#include "cli_host.h"
#include "cli_support.h"
#include "geometry/dimension_checks.h"
#include "geometry/section_types.h"
#include "host/session_state.h"
#include "runtime/code_page.h"
#include "runtime/number_text.h"
#include "runtime/numeric_prefix.h"
#include "runtime/paths.h"
#include "runtime/status.h"
#include "scene_host.h"
#include "report/section_report.h"
#include "section_part.h"

namespace zembrati::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

struct CatalogueOptions {
  SettingsOptions settings;
  std::string folder;
  bool json = false;
  bool masses = false;
};

struct FamilyPlace {
  std::string name, indexPath, dataDir;
};

// The families the settings name, with their paths as the system composes them.
std::vector<FamilyPlace> FamiliesFromSettings(scene::SceneHost& host) {
  automation::ScopedObjectCreator creator(host);
  std::vector<FamilyPlace> places;
  const std::vector<std::string> names = catalogue::EnumerateFamilies();
  for (std::size_t n = 0; n < names.size(); ++n) {
    host::Session().NormTab = static_cast<std::int16_t>(n);
    catalogue::LoadTypePaths(0);
    places.push_back({names[n], host::Session().NormeDir + host::Session().IniFile, host::Session().DataDir});
  }
  return places;
}

// A family folder (holding the index file) or a folder of family folders.
std::vector<FamilyPlace> FamiliesInFolder(const std::string& folder, const scene::Settings& settings) {
  const std::string indexName = settings.Get(catalogue::kCatalogueKey, "File INI#0");
  const std::string dataName = settings.Get(catalogue::kCatalogueKey, "Data#0");
  const auto place = [&](const fs::path& dir) {
    const std::string prefix = dir.generic_string() + "/";
    return FamilyPlace{dir.filename().string(), prefix + indexName, prefix + dataName};
  };
  std::error_code error;
  if (fs::is_regular_file(fs::path(folder) / indexName, error)) return {place(fs::path(folder))};
  std::vector<FamilyPlace> places;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_directory(error) && fs::is_regular_file(entry.path() / indexName, error)) places.push_back(place(entry.path()));
  }
  std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  if (places.empty()) throw UsageError(folder + ": no standards index file \"" + indexName + "\" found");
  return places;
}

struct Problem {
  std::string file;
  int line;
  std::string what;
};

// The computed mass of one size (one wall of a hollow section), to compare with a mill's table.
struct SizeMass {
  std::string file;
  int line;
  std::string section;  // standard, size and wall
  double areaMm2;
  double kgPerMetre;
};

// Builds the size as a body on a scratch scene, so that whatever the generator and the host
// would refuse is found here rather than in a user's drawing. Returns the error, or the area.
std::string BuildError(std::int16_t code, const std::array<double, 21>& dims, double& area) {
  scene::SceneHost scratch;
  scene::NodePtr body;
  const runtime::Status status = scene::BuildSectionPart(scratch, code, "check", dims, body);
  if (status.ok() && body && body->section) area = body->section->area;
  return status.ok() ? std::string() : status.description;
}

// A numeric field written with a decimal comma ("6,5"), which reads as the number before the comma.
std::optional<std::string> DecimalComma(const std::string& line) {
  std::size_t from = line.find('|');
  while (from != std::string::npos) {
    const std::size_t to = line.find('|', from + 1);
    if (to == std::string::npos) break;
    const std::string field = catalogue::TrimSpaces(std::string_view(line).substr(from + 1, to - from - 1));
    const std::size_t comma = field.find(',');
    const auto digits = [&](std::size_t a, std::size_t b) {
      return b > a && std::all_of(field.begin() + static_cast<long>(a), field.begin() + static_cast<long>(b),
                                  [](char c) { return c >= '0' && c <= '9'; });
    };
    if (comma != std::string::npos && digits(field[0] == '-' || field[0] == '+' ? 1 : 0, comma) &&
        digits(comma + 1, field.size())) {
      return field;
    }
    from = to;
  }
  return std::nullopt;
}

void CheckSize(std::int16_t code, const CatalogueStandard& standard, const CatalogueSize& size,
               std::vector<Problem>& problems, std::vector<SizeMass>& masses) {
  const auto report = [&](const std::string& what, const std::string& detail) {
    problems.push_back({standard.sizeFile, size.line, standard.name + " " + size.name + what + ": " + detail});
  };
  if (const auto field = DecimalComma(size.text)) {
    report("", "the field \"" + *field + "\" has a decimal comma and reads as " +
                   runtime::GeneralForm(runtime::NumericPrefixValue(*field)) + "; write it with \".\"");
  }
  const int required = geometry::RequiredFieldCount(code);
  if (size.fieldCount < required) {
    report("", "needs " + std::to_string(required) + " numeric fields, has " + std::to_string(size.fieldCount));
    return;
  }
  const bool hasThickness = code >= 7 && code <= 10;
  if (hasThickness && size.thicknesses.empty()) report("", "no thickness group below the size line");
  std::vector<std::string> thicknesses = hasThickness ? size.thicknesses : std::vector<std::string>{""};
  for (const std::string& thickness : thicknesses) {
    std::array<double, 21> dims = size.dims;
    dims[1] = 1000;
    if (hasThickness) dims[2] = runtime::NumericPrefixValue(thickness);
    const std::string which = hasThickness ? " x " + thickness : "";
    for (const std::string& problem : geometry::CheckDimensions(code, dims)) report(which, problem);
    double area = 0;
    if (const std::string error = BuildError(code, dims, area); !error.empty()) {
      report(which, error);
    } else {
      masses.push_back({standard.sizeFile, size.line, standard.name + " " + size.name + which, area,
                        report::SteelMassKg(area * 1000)});
    }
  }
}

// Text that is UTF-8 in a file the system reads as Windows-1252: "ä" would show as "Ã¤".
void CheckCodePage(const std::string& path, std::vector<Problem>& problems) {
  std::ifstream in(runtime::PathFromUtf8(path), std::ios::binary);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (runtime::LooksLikeUtf8(line)) {
      problems.push_back({path, number, "the line looks like UTF-8 text; the catalogue is read as Windows-1252, "
                                        "where it reads \"" + runtime::Windows1252ToUtf8(line) + "\": save the file "
                                        "as Windows-1252 (ANSI)"});
    }
  }
}

std::vector<Problem> CheckFamily(const CatalogueFamily& family, int& standardCount, int& sizeCount,
                                 std::vector<SizeMass>& masses) {
  std::vector<Problem> problems;
  std::set<std::string> files{family.indexPath};
  for (const CatalogueMessage& message : family.messages) problems.push_back({family.indexPath, 0, message.where + ": " + message.text});
  for (const CatalogueType& type : family.types) {
    for (const CatalogueStandard& standard : type.standards) {
      ++standardCount;
      const auto report = [&](const std::string& what) {
        problems.push_back({family.indexPath, standard.line, standard.name + ": " + what});
      };
      if (standard.designation.empty()) report("no designation text (field 4)");
      if (standard.nameFormat.empty()) report("no name format (field 6)");
      if (standard.sizes.empty()) report("no sizes in " + standard.sizeFile);
      if (standard.materials.empty()) report("no materials in " + standard.materialsFile);
      files.insert(standard.sizeFile);
      files.insert(standard.materialsFile);
      std::map<std::string, int> seen;
      for (const CatalogueSize& size : standard.sizes) {
        ++sizeCount;
        if (const auto [first, added] = seen.emplace(size.name, size.line); !added) {
          problems.push_back({standard.sizeFile, size.line, standard.name + " " + size.name +
                                                                ": listed twice (first on line " +
                                                                std::to_string(first->second) + ")"});
        }
        CheckSize(type.code, standard, size, problems, masses);
      }
    }
  }
  for (const std::string& file : files) CheckCodePage(file, problems);
  return problems;
}

std::vector<CatalogueFamily> ReadFamilies(const CatalogueOptions& options) {
  scene::SceneHost host(scene::Document{}, LoadSettings(options.settings));
  const std::vector<FamilyPlace> places =
      options.folder.empty() ? FamiliesFromSettings(host) : FamiliesInFolder(options.folder, host.settings());
  if (places.empty()) throw UsageError("the settings name no standards family (\"Norme#0\" is missing)");
  std::vector<CatalogueFamily> families;
  for (const FamilyPlace& place : places) families.push_back(ReadFamily(place.name, place.indexPath, place.dataDir));
  return families;
}

int RunCheck(const CatalogueOptions& options) {
  const std::vector<CatalogueFamily> families = ReadFamilies(options);
  std::vector<Problem> problems;
  std::vector<SizeMass> masses;
  int standards = 0, sizes = 0;
  for (const CatalogueFamily& family : families) {
    const std::vector<Problem> found = CheckFamily(family, standards, sizes, masses);
    problems.insert(problems.end(), found.begin(), found.end());
  }
  if (options.json) {
    Json out = {{"families", Json::array()}, {"standards", standards}, {"sizes", sizes}, {"problems", Json::array()},
                {"masses", Json::array()}};
    for (const CatalogueFamily& family : families) out["families"].push_back(family.name);
    for (const Problem& p : problems) out["problems"].push_back({{"file", p.file}, {"line", p.line}, {"problem", p.what}});
    for (const SizeMass& m : masses) {
      out["masses"].push_back({{"file", m.file}, {"line", m.line}, {"section", m.section}, {"area_mm2", m.areaMm2},
                               {"kg_per_m", m.kgPerMetre}});
    }
    PrintJson(out);
  } else {
    if (options.masses) {
      for (const SizeMass& m : masses) {
        std::cout << m.file << ":" << m.line << ": " << m.section << ": "
                  << runtime::GeneralForm(std::round(m.kgPerMetre * 100) / 100) << " kg/m ("
                  << runtime::GeneralForm(std::round(m.areaMm2 * 10) / 10) << " mm²)\n";
      }
    }
    for (const Problem& p : problems) std::cout << p.file << ":" << p.line << ": " << p.what << "\n";
    std::cout << "Checked " << families.size() << " families, " << standards << " standards, " << sizes << " sizes: "
              << (problems.empty() ? "no problems" : std::to_string(problems.size()) + " problems") << ".\n";
  }
  return problems.empty() ? kExitSuccess : kExitSystemError;
}

// The size built as a solid and its section's properties, or its error.
Json PropertiesOfSize(std::int16_t code, std::array<double, 21> dims, double thickness) {
  dims[1] = 1000;
  if (code >= 7 && code <= 10) dims[2] = thickness;
  scene::SceneHost scratch;
  scene::NodePtr body;
  const runtime::Status status = scene::BuildSectionPart(scratch, code, "list", dims, body);
  if (!status.ok() || !body || !body->section) return {{"error", status.description}};
  return report::SectionPropertiesJson(*body->section, code);
}

Json SizeJson(const CatalogueSize& size, std::int16_t code) {
  const geometry::SectionType& type = *geometry::FindSectionType(code);
  Json dims = Json::object();
  for (std::size_t i = 0; i < type.dimsElements.size(); ++i) {
    const int element = type.dimsElements[i];
    if (element != 1 && !(element == 2 && code >= 7 && code <= 10)) {
      dims[std::string(type.parameterNames[i])] = size.dims[static_cast<std::size_t>(element)];
    }
  }
  Json out = {{"name", size.name}, {"line", size.line}, {"part_number", size.partNumber}, {"dimensions_mm", dims}};
  if (code >= 7 && code <= 10) {
    out["thicknesses_mm"] = size.thicknesses;
    Json sections = Json::array();
    for (const std::string& thickness : size.thicknesses) {
      Json section = PropertiesOfSize(code, size.dims, runtime::NumericPrefixValue(thickness));
      section["thickness"] = thickness;
      sections.push_back(section);
    }
    out["sections"] = sections;
  } else {
    out["section"] = PropertiesOfSize(code, size.dims, 0);
  }
  return out;
}

int RunList(const CatalogueOptions& options) {
  const std::vector<CatalogueFamily> families = ReadFamilies(options);
  Json out = {{"families", Json::array()}};
  for (const CatalogueFamily& family : families) {
    if (!options.json) std::cout << family.name << "  (" << family.indexPath << ")\n";
    Json types = Json::array();
    for (const CatalogueType& type : family.types) {
      const geometry::SectionType& info = *geometry::FindSectionType(type.code);
      Json standards = Json::array();
      if (!options.json) std::cout << "  [" << type.code << "] " << info.shortName << " (" << info.className << ")\n";
      for (const CatalogueStandard& standard : type.standards) {
        Json sizes = Json::array();
        std::string names;
        for (const CatalogueSize& size : standard.sizes) {
          sizes.push_back(SizeJson(size, type.code));
          names += " " + size.name;
        }
        standards.push_back({{"name", standard.name}, {"description", standard.description},
                             {"designation", standard.designation}, {"name_format", standard.nameFormat},
                             {"materials", standard.materials}, {"sizes", sizes}});
        if (!options.json) {
          std::cout << "    " << standard.name << ": " << standard.description << "\n      "
                    << standard.sizes.size() << " sizes:" << names << "\n      materials:";
          for (const std::string& m : standard.materials) std::cout << " " << m;
          std::cout << "\n";
        }
      }
      types.push_back({{"code", type.code}, {"type", info.shortName}, {"class", info.className}, {"standards", standards}});
    }
    out["families"].push_back({{"name", family.name}, {"index_file", family.indexPath}, {"types", types}});
    for (const CatalogueMessage& message : family.messages) std::cerr << message.where << ": " << message.text << "\n";
  }
  if (options.json) PrintJson(out);
  return kExitSuccess;
}

}  // namespace

void AddCatalogueCommand(CLI::App& app, int& exitCode) {
  CLI::App* catalogue = app.add_subcommand("catalogue", "Check or list the catalogue of standard sections.");
  catalogue->require_subcommand(1);

  auto checkOptions = std::make_shared<CatalogueOptions>();
  CLI::App* check = catalogue->add_subcommand(
      "check", "Read every file of the catalogue through the system's own readers, check every size's dimensions "
               "for its section type and build it, and report each problem with its file and line: a size that "
               "cannot be built, too few numeric fields, a decimal comma, a size listed twice, UTF-8 text in a "
               "file read as Windows-1252. Exits 1 when there are problems.");
  check->add_option("DIR", checkOptions->folder,
                    "A family folder (holding the standards index file) or a folder of family folders; "
                    "default: the families the settings name");
  check->add_flag("--json", checkOptions->json, "Print the result as one JSON object, every size's mass included");
  check->add_flag("--masses", checkOptions->masses,
                  "Also print every size's computed mass per metre and area, to compare with a mill's table");
  AddSettingsOptions(*check, checkOptions->settings);
  check->footer("Example:\n  zembrati catalogue check ~/my-catalogue/en");
  check->callback([checkOptions, &exitCode] {
    exitCode = RunReportingErrors(checkOptions->json, [&] { return RunCheck(*checkOptions); });
  });

  auto listOptions = std::make_shared<CatalogueOptions>();
  CLI::App* list = catalogue->add_subcommand("list", "Print the families, types, standards, sizes and materials.");
  list->add_option("DIR", listOptions->folder, "A family folder or a folder of family folders");
  list->add_flag("--json", listOptions->json, "Print everything, dimensions included, as one JSON object");
  AddSettingsOptions(*list, listOptions->settings);
  list->footer("Example:\n  zembrati catalogue list --json > catalogue.json");
  list->callback([listOptions, &exitCode] {
    exitCode = RunReportingErrors(listOptions->json, [&] { return RunList(*listOptions); });
  });
}

}  // namespace zembrati::cli
