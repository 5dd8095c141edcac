#include "section_command.h"

#include <cmath>
#include <iomanip>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_support.h"
#include "report/section_report.h"
#include "export/mesh.h"
#include "export/stl_export.h"
#include "export/svg_export.h"
#include "geometry/section_types.h"
#include "runtime/number_text.h"
#include "runtime/status.h"
#include "scene_host.h"
#include "section_part.h"
#include "step/step_export.h"

namespace zembrati::cli {
namespace {

using runtime::GeneralForm;

struct SectionOptions {
  std::string type;
  std::string dims;
  std::string length;
  std::string name;
  std::string step, stl, svg;
  bool json = false;
};

// The elements of the dimension array the user gives, in the generator's order: each element
// once (the square types name their side once), the length (element 1) apart.
std::vector<int> UserElements(const geometry::SectionType& type) {
  std::vector<int> elements;
  for (const int element : type.dimsElements) {
    if (element != 1 && std::find(elements.begin(), elements.end(), element) == elements.end())
      elements.push_back(element);
  }
  return elements;
}

std::string ParameterList(const geometry::SectionType& type) {
  std::string names;
  const std::vector<int> elements = UserElements(type);
  for (const int element : elements) {
    const auto at = std::find(type.dimsElements.begin(), type.dimsElements.end(), element);
    names += (names.empty() ? "" : ",") +
             std::string(type.parameterNames[static_cast<std::size_t>(at - type.dimsElements.begin())]);
  }
  return names;
}

const geometry::SectionType& TypeFromOption(const std::string& text) {
  const geometry::SectionType* type = geometry::FindSectionType(text);
  if (!type && !text.empty() && std::isdigit(static_cast<unsigned char>(text[0]))) {
    const double code = ParseNumber(text, "--type");
    if (code >= 1 && code <= 12) type = geometry::FindSectionType(static_cast<std::int16_t>(code));
  }
  if (!type) {
    std::string known;
    for (const auto& t : geometry::SectionTypes()) known += " " + std::string(t.shortName);
    throw UsageError("--type: unknown section type \"" + text + "\"; use 1 to 12 or one of" + known);
  }
  return *type;
}

std::string DefaultName(const geometry::SectionType& type, const std::vector<double>& values) {
  std::string name = std::string(type.shortName) + " ";
  for (std::size_t i = 0; i < values.size(); ++i) name += (i ? "x" : "") + GeneralForm(values[i]);
  return name;
}

void PrintReport(const SectionOptions& options, const geometry::SectionType& type,
                 const std::vector<double>& values, const scene::Node& body) {
  const scene::Section& section = *body.section;
  const double volume = section.area * body.length;
  const double mass = report::SteelMassKg(volume);
  const std::string names = ParameterList(type);
  if (options.json) {
    nlohmann::ordered_json parameters = nlohmann::ordered_json::object();
    std::istringstream nameStream(names);
    std::string parameterName;
    for (std::size_t i = 0; std::getline(nameStream, parameterName, ','); ++i) parameters[parameterName] = values[i];
    nlohmann::ordered_json out = {
        {"type", type.shortName},
        {"class", type.className},
        {"name", body.name},
        {"parameters_mm", parameters},
        {"length_mm", body.length},
        {"area_mm2", section.area},
        {"centroid_mm", {section.centroid.x, section.centroid.y}},
        {"bbox_mm", {{"min", {section.box.minX, section.box.minY, 0.0}}, {"max", {section.box.maxX, section.box.maxY, body.length}}}},
        {"volume_mm3", volume},
        {"mass_kg", mass},
        {"density_kg_m3", report::kSteelDensityKgPerM3},
        {"properties", report::SectionPropertiesJson(section, type.code)}};
    PrintJson(out);
    return;
  }
  std::cout << body.name << "  (" << type.className << ", " << type.generatorName << ")\n"
            << "  dimensions    " << names << " = ";
  for (std::size_t i = 0; i < values.size(); ++i) std::cout << (i ? ", " : "") << GeneralForm(values[i]);
  std::cout << " mm; length " << GeneralForm(body.length) << " mm\n"
            << std::fixed << std::setprecision(3)
            << "  section area  " << section.area << " mm²\n"
            << "  centroid      (" << section.centroid.x << ", " << section.centroid.y << ") mm\n"
            << "  bounding box  " << section.box.Width() << " x " << section.box.Height() << " x "
            << body.length << " mm  (x " << section.box.minX << " .. " << section.box.maxX << ", y "
            << section.box.minY << " .. " << section.box.maxY << ")\n"
            << std::setprecision(1) << "  volume        " << volume << " mm³\n"
            << std::setprecision(3) << "  mass          " << mass << " kg at "
            << GeneralForm(report::kSteelDensityKgPerM3) << " kg/m³\n"
            << report::SectionPropertiesText(section, type.code, "  ");
}

void WriteFiles(const SectionOptions& options, const scene::Node& body) {
  if (!options.step.empty()) scene::WriteStep({{&body, {}}}, options.step, body.name);
  if (!options.stl.empty()) scene::WriteStl(scene::MeshOfBody(body, {}), options.stl, body.name);
  if (!options.svg.empty()) scene::WriteSectionSvg(*body.section, body.name, options.svg);
}

int RunSection(const SectionOptions& options) {
  const geometry::SectionType& type = TypeFromOption(options.type);
  const std::vector<int> elements = UserElements(type);
  const std::vector<double> values = ParseNumberList(options.dims, "--dims");
  if (values.size() != elements.size()) {
    throw UsageError("--dims: " + std::string(type.shortName) + " takes " + std::to_string(elements.size()) +
                     " dimensions (" + ParameterList(type) + "), not " + std::to_string(values.size()));
  }
  std::array<double, 21> dims{};
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (std::fabs(values[i]) > kMaxLengthMm) throw UsageError("--dims: " + options.dims + " holds a dimension beyond 1000000 mm");
    dims[static_cast<std::size_t>(elements[i])] = values[i];
  }
  dims[1] = ParseLength(options.length, "--length");
  const std::string name = options.name.empty() ? DefaultName(type, values) : options.name;

  scene::SceneHost host;
  scene::NodePtr body;
  runtime::Status status = scene::BuildSectionPart(host, type.code, name, dims, body);
  if (status.ok()) status = runtime::Trap([&] { WriteFiles(options, *body); });
  if (!status.ok()) {
    std::cerr << "zembrati: error " << status.number << ": " << status.description << "\n";
    return kExitSystemError;
  }
  PrintReport(options, type, values, *body);
  return kExitSuccess;
}

}  // namespace

void AddSectionCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<SectionOptions>();
  CLI::App* command = app.add_subcommand(
      "section", "Build one section body through the system's own generator and report its area, centroid, "
                 "bounding box, volume and mass.");
  command->footer(
      "Dimensions, in millimetres and in the generator's order (the square types give their side once):\n"
      "  HE h,b,tw,tf,r   IPN/UPN h,b,tw,tf,r1,r2   L a,b,t,r1,r2   T b,h,t   TARR b,h,t,r1,r2,r3\n"
      "  TUBO D,t   RETTCAVO A,B,t   QUADCAVO A,t   PIATTO A,B   TONDO D   QUADRO A\n\n"
      "Example:\n  zembrati section --type HE --dims 190,200,6.5,10,18 --length 1500 --svg hea200.svg");
  command->add_option("--type", options->type, "Section type: 1..12 or HE, IPN, UPN, L, T, TARR, TUBO, "
                                               "RETTCAVO, QUADCAVO, PIATTO, TONDO, QUADRO")
      ->required();
  command->add_option("--dims", options->dims, "Comma-separated dimensions in mm")->required();
  command->add_option("--length", options->length, "Extrusion length in mm")->required();
  command->add_option("--name", options->name, "Name of the body (default: type and dimensions)");
  command->add_flag("--json", options->json, "Print the report as one JSON object");
  command->add_option("--step", options->step, "Write the solid to this STEP file");
  command->add_option("--stl", options->stl, "Write a binary STL mesh to this file");
  command->add_option("--svg", options->svg, "Write an SVG drawing of the section to this file");
  command->callback([options, &exitCode] { exitCode = RunReportingErrors(options->json, [&] { return RunSection(*options); }); });
}

}  // namespace zembrati::cli
