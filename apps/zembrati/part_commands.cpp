#include "part_commands.h"

#include <algorithm>
#include <ctime>
#include <sys/stat.h>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>

#include "addin/class_table.h"
#include "addin/sessions.h"
#include "automation/invoke.h"
#include "cli_support.h"
#include "data_objects.h"
#include "drop_hook.h"
#include "report/part_report.h"
#include "export/mesh.h"
#include "file_output.h"
#include "export/stl_export.h"
#include "export/svg_export.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "member_drop.h"
#include "parts/part_data.h"
#include "runtime/paths.h"
#include "scene_objects.h"
#include "scene_session.h"
#include "step/cut_solids.h"
#include "step/member_views.h"
#include "step/step_export.h"
#include "solid_key.h"
#include "ifc/ifc_export.h"
#include "runtime/file_replacement.h"
#include "shop/nc1_export.h"

namespace zembrati::cli {
namespace {

using Json = nlohmann::ordered_json;

struct PartOptions {
  SettingsOptions settings;
  DialogChoices choices;
  std::string scene, part, at, to, roll, on, lengthText, step, stl, svg, ifc, nc1, units;
  bool json = false;
  bool stepFlat = false;
};

void AddCommon(CLI::App& command, PartOptions& options, bool needsPart) {
  command.add_option("--scene", options.scene, "Scene file (JSON); a new scene when it does not exist")->required();
  if (needsPart) command.add_option("--part", options.part, "Name of the part")->required();
  AddSettingsOptions(command, options.settings);
}

// The class a part was made by, as its part variables say; empty for anything else.
std::string ClassNameOf(const scene::NodePtr& part) { return report::StoredText(*part, 1); }

// The parts a command leaves new in the scene: those that were not there before.
std::vector<scene::NodePtr> NewParts(const std::vector<scene::NodePtr>& before, const std::vector<scene::NodePtr>& after) {
  std::vector<scene::NodePtr> added;
  for (const scene::NodePtr& part : after) {
    if (std::find(before.begin(), before.end(), part) == before.end()) added.push_back(part);
  }
  return added;
}

Json PartsJson(const std::vector<scene::NodePtr>& parts) {
  report::SectionReports sections;
  Json list = Json::array();
  for (const scene::NodePtr& part : parts) list.push_back(report::PartReport(part, &sections));
  return list;
}

// {"parts": [...]} as PrintJson prints it, each part's report made, printed and dropped in turn:
// a scene of ten thousand parts is never one document in memory.
void PrintPartsJson(const std::vector<scene::NodePtr>& parts) {
  if (parts.empty()) return PrintJson(Json{{"parts", Json::array()}});
  report::SectionReports sections;
  std::cout << "{\n  \"parts\": [\n";
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string text = report::PartReport(parts[i], &sections).dump(2, ' ', false, Json::error_handler_t::replace);
    // Two levels in: every line of the part's text indented by four more spaces (no string in
    // it holds a raw line break; dump escapes them).
    std::string indented = "    ";
    for (const char c : text) {
      indented += c;
      if (c == '\n') indented += "    ";
    }
    std::cout << indented << (i + 1 < parts.size() ? ",\n" : "\n");
  }
  std::cout << "  ]\n}\n";
}


int Report(SceneSession& session, bool completed, const std::vector<scene::NodePtr>& made, bool json) {
  PrintMessages(session.messages);
  if (!session.status.ok()) {
    std::cerr << "zembrati: error " << session.status.number << ": " << session.status.description << "\n";
  }
  if (json) {
    Json out = {{"ok", completed}, {"parts", PartsJson(made)}, {"messages", MessagesJson(session.messages)}};
    if (!session.status.ok()) out["error"] = {{"number", session.status.number}, {"description", session.status.description}};
    PrintJson(out);
  } else {
    report::SectionReports sections;
    for (const scene::NodePtr& part : made) PrintPart(part, sections);
    if (completed && made.empty()) std::cout << "Nothing changed.\n";
  }
  return completed ? kExitSuccess : kExitSystemError;
}

scene::Vector3 ParsePoint(const std::string& text, const std::string& what) {
  const std::vector<double> values = ParseNumberList(text, what);
  if (values.size() != 3) throw UsageError(what + " takes X,Y,Z in mm, as 1000,0,250");
  for (const double v : values) {
    if (std::fabs(v) > kMaxCoordinateMm) throw UsageError(what + ": " + text + " lies more than 1000 km from the origin");
  }
  return {values[0], values[1], values[2]};
}

// "PART" or "PART:FACE"; the face must be one the part has.
scene::DropHit HitOnFace(SceneSession& session, const std::string& target) {
  RequirePlainText(target, "--on");
  const std::size_t colon = target.rfind(':');
  const std::string partName = colon == std::string::npos ? target : target.substr(0, colon);
  const std::string face = colon == std::string::npos ? "end" : target.substr(colon + 1);
  const scene::NodePtr part = session.FindPart(partName);
  std::vector<std::string> faces;
  try {
    faces = scene::FaceNames(part);
  } catch (const runtime::RuntimeError& error) {
    throw UsageError("--on: " + error.description());
  }
  if (std::find(faces.begin(), faces.end(), face) == faces.end()) {
    throw UsageError("--on: \"" + partName + "\" has no face \"" + face + "\"; its faces are start, end and side 1 to side " +
                     std::to_string(faces.size() - 2) + " (the sides in the order the section's outline is drawn)");
  }
  return scene::DropOnFace(part, face);
}

int RunDrop(const PartOptions& options) {
  CheckChoices(options.choices);
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  scene::SceneHost& host = session.host();
  if (!options.units.empty()) {
    if (!host.document().Parts().empty()) throw UsageError("--units sets the unit of a new scene only");
    host.document().unit = *scene::LengthUnitFromName(options.units);
  }
  const auto before = host.document().Parts();
  if (!options.to.empty()) {
    if (options.at.empty() || !options.on.empty()) throw UsageError("--to places a member from --at to --to: give both, and not --on");
    const MemberEnds ends{ParsePoint(options.at, "--at"), ParsePoint(options.to, "--to"),
                          options.roll.empty() ? 0.0 : ParseNumber(options.roll, "--roll")};
    const bool completed = DropMember(session, options.choices, ends, "") != nullptr;
    if (completed) session.SaveChanges();
    return Report(session, completed, NewParts(before, host.document().Parts()), options.json);
  }
  if (!options.roll.empty()) throw UsageError("--roll turns a member placed with --at and --to: give those too");
  std::function<runtime::Status()> start;
  if (!options.at.empty() || !options.on.empty()) {
    if (!options.at.empty() && !options.on.empty()) throw UsageError("give --at or --on, not both");
    const scene::DropHit hit =
        options.at.empty() ? HitOnFace(session, options.on) : scene::DropOnEmptySpace(ParsePoint(options.at, "--at"));
    const automation::ObjectRef hook = scene::MakeDropHook(host.context(), hit);
    start = [hook] { return addin::OnDragDrop(hook); };
  } else {
    // The catalogue item lands as a placeholder at the origin, which the drop session removes.
    const automation::ObjectRef placeholder = parts::AddPartShape(host.ActivePage());
    start = [placeholder] { return addin::Drop(placeholder); };
  }
  const bool completed = session.RunWithDialog(options.choices, start);
  if (completed) session.SaveChanges();
  return Report(session, completed, NewParts(before, host.document().Parts()), options.json);
}

int RunEdit(const PartOptions& options) {
  CheckChoices(options.choices);
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  scene::SceneHost& host = session.host();
  const scene::NodePtr part = session.FindPart(options.part);
  const auto before = host.document().Parts();
  const addin::ComponentClass* partClass = addin::FindComponentClass(ClassNameOf(part));
  if (partClass == nullptr || partClass->typeCode == 0) throw UsageError("\"" + options.part + "\" is not a part of this system");
  const automation::ObjectRef shape = host.Wrap(part);
  const bool completed = session.RunWithDialog(options.choices, [&] { return addin::DblClick(shape, partClass->typeCode); });
  // The system rebuilds an edited part as a new one in its place: the member it stands for, and
  // the joints that refer to it, carry over to that one.
  const std::vector<scene::NodePtr> made = NewParts(before, host.document().Parts());
  if (completed && made.size() == 1 && part->id != 0) made.front()->id = part->id;
  if (completed) session.SaveChanges();
  return Report(session, completed, made, options.json);
}

int RunSetLength(const PartOptions& options) {
  const double length = ParseLength(options.lengthText, "--length");
  SceneSession session(options.scene, options.settings, SceneSession::Access::Change);
  scene::SceneHost& host = session.host();
  const scene::NodePtr part = session.FindPart(options.part);
  const automation::ObjectRef shape = host.Wrap(part);
  // As the host does: the extrusion length changes, the part's class is told, the page rebuilds.
  session.status = runtime::Trap([&] {
    const automation::ObjectRef body = host::Item(host::Shapes(host::Item(host::Components(shape, 23), std::int16_t{1})), std::int16_t{1});
    host::SetValue(host::Variable(host::Item(host::Components(body, 1), std::int16_t{1}), 3), length);
  });
  if (session.status.ok()) session.status = addin::PreUpdate(shape);
  if (session.status.ok()) session.status = runtime::Trap([&] { host::Update(host.ActivePage()); });
  if (session.status.ok()) session.SaveChanges();
  return Report(session, session.status.ok(), {part}, options.json);
}

int RunShow(const PartOptions& options) {
  SceneSession session(options.scene, options.settings, SceneSession::Access::Read);
  std::vector<scene::NodePtr> parts = session.host().document().Parts();
  if (!options.part.empty()) parts = {session.FindPart(options.part)};
  if (options.json) {
    PrintPartsJson(parts);
  } else {
    if (parts.empty()) std::cout << "The scene holds no parts.\n";
    report::SectionReports sections;
    for (const scene::NodePtr& part : parts) PrintPart(part, sections);
  }
  return kExitSuccess;
}

// Two names for one file: the scene must never be overwritten by an export of itself.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  const auto canonicalA = std::filesystem::weakly_canonical(runtime::PathFromUtf8(a), error);
  if (error) return a == b;
  const auto canonicalB = std::filesystem::weakly_canonical(runtime::PathFromUtf8(b), error);
  return error ? a == b : canonicalA == canonicalB;
}

void CheckExportTargets(const PartOptions& options) {
  const std::vector<std::pair<std::string, std::string>> targets{
      {"--step", options.step}, {"--stl", options.stl}, {"--svg", options.svg}, {"--ifc", options.ifc}};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const auto& [option, path] = targets[i];
    if (path.empty()) continue;
    RequirePlainText(path, option);
    if (SameFile(path, options.scene)) throw UsageError(option + " names the scene file itself; give another file");
    for (std::size_t j = 0; j < i; ++j) {
      if (!targets[j].second.empty() && SameFile(path, targets[j].second)) {
        throw UsageError(option + " and " + targets[j].first + " name the same file");
      }
    }
  }
}

// A part's drawing: its section, and for a member cut by joints, its elevation and plan with the
// cut length and the ends' angles beside the section.
void WriteSvg(const scene::Node& body, const std::string& caption, const std::string& path) {
  if (!body.cuts) return scene::WriteSectionSvg(*body.section, caption, path);
  const scene::CutExtent extent = scene::ExtentOf(body);
  scene::MemberDrawing drawing{body.section.get(), scene::ElevationOf(body), scene::PlanOf(body), extent.zMin, extent.zMax,
                               scene::AnglesOf(*body.section, body.cuts->start), scene::AnglesOf(*body.section, body.cuts->end),
                               caption};
  scene::WriteMemberSvg(drawing, path);
}

// The bodies' meshes, one per distinct solid, each placed as every body that is that solid.
void WriteSceneStl(const std::vector<scene::PlacedBody>& bodies, const std::string& path, const std::string& title) {
  scene::SolidNumbers solids;
  std::vector<std::size_t> meshOfBody;
  std::vector<scene::Mesh> meshes;
  for (const scene::PlacedBody& placed : bodies) {
    const scene::SolidNumbers::Number solid = solids.Of(*placed.body);
    if (solid.first) meshes.push_back(scene::ExportMesh(*placed.body, {}));
    meshOfBody.push_back(solid.number);
  }
  std::vector<scene::PlacedMesh> placedMeshes;
  for (std::size_t i = 0; i < bodies.size(); ++i) placedMeshes.push_back({&meshes[meshOfBody[i]], bodies[i].placement});
  scene::WriteStl(placedMeshes, path, title);
}

// When the scene was last written, as IFC's file header gives a time (UTC, to the second).
std::string TimeStampOf(const std::filesystem::path& path) {
  struct stat facts {};
  if (::stat(path.c_str(), &facts) != 0) return "1970-01-01T00:00:00";
  const std::time_t time = facts.st_mtime;
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  return text;
}

// A file name's stem as UTF-8 text.
std::string StemOf(const std::filesystem::path& path) {
  const std::u8string stem = path.stem().u8string();
  return std::string(stem.begin(), stem.end());
}

// The IFC model of the parts: named after the scene, stamped with the scene's own time (so that
// exporting a scene again gives the same file), each part's GlobalId made from its identity.
ifc::IfcModel IfcModelOf(const std::string& scenePath, const std::vector<scene::NodePtr>& parts,
                         const std::vector<scene::NodePtr>& scenePartsInOrder) {
  const std::filesystem::path path = runtime::PathFromUtf8(scenePath);
  ifc::IfcModel model{StemOf(path), TimeStampOf(path), {}};
  for (const scene::NodePtr& part : parts) {
    std::string key = "part " + std::to_string(part->id);
    // A part of a scene saved before parts had identities of their own: by its place.
    if (part->id == 0) {
      key = "at " + std::to_string(std::find(scenePartsInOrder.begin(), scenePartsInOrder.end(), part) - scenePartsInOrder.begin());
    }
    model.parts.push_back({part, key});
  }
  return model;
}

// The NC files go in a folder of their own, made if it is missing; a file in their way is refused.
std::filesystem::path Nc1Folder(const PartOptions& options) {
  RequirePlainText(options.nc1, "--nc1");
  const std::filesystem::path folder = runtime::PathFromUtf8(options.nc1);
  std::error_code error;
  if (std::filesystem::exists(folder, error) && !std::filesystem::is_directory(folder, error)) {
    throw UsageError("--nc1 names a file, " + options.nc1 + "; give a folder for the NC files (it is made if missing)");
  }
  return folder;
}

// Writes one file per distinct piece; each is checked before any is written, so that a
// read-only file among them leaves the folder as it was.
std::vector<std::string> WriteNc1Files(const shop::Nc1Export& nc, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::vector<std::string> paths;
  for (const shop::Nc1File& file : nc.files) {
    const std::u8string path = (folder / runtime::PathFromUtf8(file.fileName)).u8string();
    paths.emplace_back(path.begin(), path.end());
    scene::CheckCanReplace(paths.back(), "NC file");
  }
  for (std::size_t i = 0; i < nc.files.size(); ++i) runtime::ReplaceFileContent(paths[i], shop::Nc1Text(nc.files[i].piece));
  return paths;
}

Json Nc1Report(const shop::Nc1Export& nc) {
  Json files = Json::array();
  for (const shop::Nc1File& file : nc.files) {
    files.push_back({{"file", file.fileName}, {"piece", file.piece.piece}, {"quantity", file.piece.quantity}, {"parts", file.parts}});
  }
  return {{"files", files}, {"notes", nc.notes}};
}

int RunExport(const PartOptions& options) {
  if (options.step.empty() && options.stl.empty() && options.svg.empty() && options.ifc.empty() && options.nc1.empty()) {
    throw UsageError("say what to write: --step FILE, --stl FILE, --svg FILE, --ifc FILE or --nc1 FOLDER");
  }
  CheckExportTargets(options);
  if (options.stepFlat && options.step.empty()) throw UsageError("--step-flat goes with --step FILE");
  const std::filesystem::path nc1Folder = options.nc1.empty() ? std::filesystem::path() : Nc1Folder(options);
  SceneSession session(options.scene, options.settings, SceneSession::Access::Read);
  std::vector<scene::NodePtr> parts = session.host().document().Parts();
  if (!options.part.empty()) parts = {session.FindPart(options.part)};
  std::vector<scene::PlacedBody> bodies;
  for (const scene::NodePtr& part : parts) {
    for (const scene::NodePtr& child : part->ChildShapes()) {
      if (child->section) {
        bodies.push_back({child.get(), part->placement.After(child->placement), part->name, report::PartNumberOf(*part),
                          report::StoredText(*part, 16)});
      }
    }
  }
  if (bodies.empty()) throw UsageError("nothing to export: the scene holds no part with a solid");
  if (!options.svg.empty() && parts.size() != 1) throw UsageError("--svg draws one part's section: name it with --part");
  std::vector<std::string> notes;
  shop::Nc1Export nc;
  const runtime::Status status = runtime::Trap([&] {
    // Every file is written whole or not at all; and none is written while another of them is
    // sure to fail: a missing folder or a read-only file is found before anything is written (the
    // IFC file, made in memory and written first, is the only one before the others).
    const std::vector<std::pair<std::string, const char*>> outputs{
        {options.ifc, "IFC file"}, {options.step, "STEP file"}, {options.stl, "STL file"}, {options.svg, "SVG file"}};
    for (const auto& [path, what] : outputs) {
      if (!path.empty()) scene::CheckCanReplace(path, what);
    }
    if (!options.ifc.empty()) notes = ifc::WriteIfc(IfcModelOf(options.scene, parts, session.host().document().Parts()), options.ifc);
    if (!options.step.empty() && options.stepFlat) scene::WriteStepSolidPerPart(bodies, options.step);
    if (!options.step.empty() && !options.stepFlat) scene::WriteStep(bodies, options.step, StemOf(runtime::PathFromUtf8(options.scene)));
    if (!options.stl.empty()) WriteSceneStl(bodies, options.stl, parts.size() == 1 ? parts.front()->name : "zembrati scene");
    if (!options.svg.empty()) WriteSvg(*bodies.front().body, parts.front()->name, options.svg);
    if (!options.nc1.empty()) {
      nc = shop::Nc1FilesOf(parts, StemOf(runtime::PathFromUtf8(options.scene)));
      WriteNc1Files(nc, nc1Folder);
    }
  });
  if (!options.json) {
    for (const std::string& note : notes) std::cerr << "[IFC] " << note << "\n";
    for (const std::string& note : nc.notes) std::cerr << "[NC1] " << note << "\n";
  }
  if (!status.ok()) {
    PrintError(options.json, "failure", status.description, status.number);
    return kExitSystemError;
  }
  if (options.json) {
    Json answer{{"ok", true}, {"notes", notes}};
    if (!options.nc1.empty()) answer["nc1"] = Nc1Report(nc);
    PrintJson(answer);
  } else if (!options.nc1.empty()) {
    std::cout << "Wrote " << nc.files.size() << " NC file" << (nc.files.size() == 1 ? "" : "s") << " in " << options.nc1 << ":";
    for (const shop::Nc1File& file : nc.files) std::cout << " " << file.fileName << " (" << file.piece.quantity << ")";
    std::cout << "\n";
  }
  return kExitSuccess;
}

}  // namespace

void AddPartCommands(CLI::App& app, int& exitCode) {
  auto drop = std::make_shared<PartOptions>();
  CLI::App* dropCommand = app.add_subcommand(
      "drop", "Drop a catalogue item into a scene: the selection dialog loads as in the host (preferences "
              "included), takes the given choices, OK makes the part, and the scene is saved.");
  AddCommon(*dropCommand, *drop, false);
  AddDialogChoiceOptions(*dropCommand, drop->choices);
  dropCommand->add_option("--at", drop->at, "Drop through the host's hook at the point X,Y,Z (with --to: where the member starts)");
  dropCommand->add_option("--to", drop->to,
                          "Place a member from --at to this point X,Y,Z: the distance is its length, its axis runs "
                          "from start to end, its section's y axis as near global +Z as the axis allows (+Y for a "
                          "vertical member)");
  dropCommand->add_option("--roll", drop->roll, "With --to: turn the member by this many degrees about its axis");
  dropCommand->add_option("--on", drop->on,
                          "Drop through the hook onto a face of a part: PART[:FACE], FACE start (the end at the part's "
                          "origin), end (the default) or side N (N from 1: the faces along the section's outline, one "
                          "per line or arc, in the order it is drawn)");
  dropCommand->add_option("--units", drop->units, "Length unit of a new scene (the system works in mm only)")
      ->check(CLI::IsMember({"mm", "cm", "m", "in", "ft"}));
  dropCommand->add_flag("--json", drop->json, "Print the new part and the messages as JSON");
  dropCommand->footer("Examples:\n  zembrati drop --scene out/scene.json --type HE --standard HEA --size 200 --length 1500\n"
                      "  zembrati drop --scene out/scene.json --type HE --standard IPE --size 240 --at 0,0,4000 --to 6000,0,4500");
  dropCommand->callback([drop, &exitCode] { exitCode = RunReportingErrors(drop->json, [&] { return RunDrop(*drop); }); });

  auto edit = std::make_shared<PartOptions>();
  CLI::App* editCommand = app.add_subcommand(
      "edit", "Double-click a part: the dialog opens on its stored choices, takes the given changes, and OK "
              "rebuilds the part (keeping what you added to its name) unless nothing changed.");
  AddCommon(*editCommand, *edit, true);
  AddDialogChoiceOptions(*editCommand, edit->choices);
  editCommand->add_flag("--json", edit->json, "Print the rebuilt part and the messages as JSON");
  editCommand->footer("Example:\n  zembrati edit --scene out/scene.json --part \"HEA 200 x 1500\" --length 2000");
  editCommand->callback([edit, &exitCode] { exitCode = RunReportingErrors(edit->json, [&] { return RunEdit(*edit); }); });

  auto setLength = std::make_shared<PartOptions>();
  CLI::App* setLengthCommand = app.add_subcommand(
      "set-length", "Change a part's length as the host does; the part's length is cut to a whole number and its "
                    "name, length property and description follow.");
  AddCommon(*setLengthCommand, *setLength, true);
  setLengthCommand->add_option("--length", setLength->lengthText, "New extrusion length in mm")->required();
  setLengthCommand->add_flag("--json", setLength->json, "Print the part as JSON");
  setLengthCommand->footer("Example:\n  zembrati set-length --scene out/scene.json --part \"HEA 200 x 1500\" --length 12.9");
  setLengthCommand->callback([setLength, &exitCode] { exitCode = RunReportingErrors(setLength->json, [&] { return RunSetLength(*setLength); }); });

  auto show = std::make_shared<PartOptions>();
  CLI::App* showCommand = app.add_subcommand(
      "show", "Show every part of a scene: name, class, standard, size, material, length, part variables with "
              "their types, properties, summary, section area, volume and mass.");
  showCommand->add_option("--scene", show->scene, "Scene file")->required()->check(CLI::ExistingFile);
  showCommand->add_option("--part", show->part, "Only the part of this name");
  showCommand->add_flag("--json", show->json, "Print {\"parts\": [...]} in scene order");
  AddSettingsOptions(*showCommand, show->settings);
  showCommand->footer("Example:\n  zembrati show --scene out/scene.json --json");
  showCommand->callback([show, &exitCode] { exitCode = RunReportingErrors(show->json, [&] { return RunShow(*show); }); });

  auto exportOptions = std::make_shared<PartOptions>();
  CLI::App* exportCommand = app.add_subcommand(
      "export", "Export a scene's parts (or one part) as STEP solids, an IFC4 model, a binary STL mesh, an SVG "
                "drawing of a part's section, or DSTV NC1 files of its pieces.");
  exportCommand->add_option("--scene", exportOptions->scene, "Scene file")->required()->check(CLI::ExistingFile);
  exportCommand->add_option("--part", exportOptions->part, "Only the part of this name");
  exportCommand->add_option("--step", exportOptions->step,
                            "Write STEP solids to this file: an assembly named after the scene, each distinct solid "
                            "written once and placed as each part, named after the part");
  exportCommand->add_flag("--step-flat", exportOptions->stepFlat,
                          "With --step: no assembly, every part a solid of its own in full where it stands (for "
                          "readers that take no assemblies; a larger file)");
  exportCommand->add_option("--stl", exportOptions->stl, "Write a binary STL mesh to this file");
  exportCommand->add_option("--svg", exportOptions->svg, "Write an SVG drawing of the part's section");
  exportCommand->add_option("--ifc", exportOptions->ifc,
                            "Write an IFC4 file: every part a beam, column or member with its profile, material, "
                            "solid, axis and quantities");
  exportCommand->add_option("--nc1", exportOptions->nc1,
                            "Write DSTV NC1 files for the saw and beam line into this folder (made if missing): one "
                            "file per distinct piece, named after its mark or part number, with its quantity");
  exportCommand->add_flag("--json", exportOptions->json, "Report the outcome (and any error) as JSON");
  AddSettingsOptions(*exportCommand, exportOptions->settings);
  exportCommand->footer("Examples:\n  zembrati export --scene out/scene.json --step out/parts.step\n"
                        "  zembrati export --scene out/scene.json --ifc out/model.ifc\n"
                        "  zembrati export --scene out/scene.json --nc1 out/nc");
  exportCommand->callback([exportOptions, &exitCode] { exitCode = RunReportingErrors(exportOptions->json, [&] { return RunExport(*exportOptions); }); });
}

}  // namespace zembrati::cli
