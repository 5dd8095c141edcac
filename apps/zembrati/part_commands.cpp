#include "part_commands.h"

#include <iostream>
#include <memory>

#include "addin/class_table.h"
#include "addin/sessions.h"
#include "automation/invoke.h"
#include "cli_support.h"
#include "drop_hook.h"
#include "export/mesh.h"
#include "export/stl_export.h"
#include "export/svg_export.h"
#include "host/scene_members.h"
#include "parts/part_data.h"
#include "scene_objects.h"
#include "scene_session.h"
#include "step/step_export.h"

namespace zembrati::cli {
namespace {

using Json = nlohmann::ordered_json;

struct PartOptions {
  SettingsOptions settings;
  DialogChoices choices;
  std::string scene, part, at, on, lengthText, step, stl, svg, units;
  bool json = false;
};

void AddCommon(CLI::App& command, PartOptions& options, bool needsPart) {
  command.add_option("--scene", options.scene, "Scene file (JSON); a new scene when it does not exist")->required();
  if (needsPart) command.add_option("--part", options.part, "Name of the part")->required();
  AddSettingsOptions(command, options.settings);
}

// The parts a command leaves new in the scene: those that were not there before.
std::vector<scene::NodePtr> NewParts(const std::vector<scene::NodePtr>& before, const std::vector<scene::NodePtr>& after) {
  std::vector<scene::NodePtr> added;
  for (const scene::NodePtr& part : after) {
    if (std::find(before.begin(), before.end(), part) == before.end()) added.push_back(part);
  }
  return added;
}

int Report(SceneSession& session, bool completed, const std::vector<scene::NodePtr>& made, bool json) {
  PrintMessages(session.messages);
  if (!session.status.ok()) {
    std::cerr << "zembrati: error " << session.status.number << ": " << session.status.description << "\n";
  }
  if (json) {
    Json out = {{"ok", completed}, {"parts", Json::array()}, {"messages", MessagesJson(session.messages)}};
    if (!session.status.ok()) out["error"] = {{"number", session.status.number}, {"description", session.status.description}};
    for (const scene::NodePtr& part : made) out["parts"].push_back(PartJson(session.host(), part));
    std::cout << out.dump(2) << "\n";
  } else {
    for (const scene::NodePtr& part : made) PrintPart(session.host(), part);
    if (completed && made.empty()) std::cout << "Nothing changed.\n";
  }
  return completed ? kExitSuccess : kExitSystemError;
}

scene::Vector3 ParsePoint(const std::string& text) {
  const std::vector<double> values = ParseNumberList(text, "--at");
  if (values.size() != 3) throw UsageError("--at takes X,Y,Z");
  return {values[0], values[1], values[2]};
}

int RunDrop(const PartOptions& options) {
  SceneSession session(options.scene, options.settings);
  scene::SceneHost& host = session.host();
  if (!options.units.empty()) {
    if (!host.document().Parts().empty()) throw UsageError("--units sets the unit of a new scene only");
    host.document().unit = *scene::LengthUnitFromName(options.units);
  }
  const auto before = host.document().Parts();
  std::function<runtime::Status()> start;
  if (!options.at.empty() || !options.on.empty()) {
    scene::DropHit hit;
    if (!options.at.empty()) {
      hit = scene::DropOnEmptySpace(ParsePoint(options.at));
    } else {
      const std::size_t colon = options.on.rfind(':');
      const std::string partName = colon == std::string::npos ? options.on : options.on.substr(0, colon);
      const std::string face = colon == std::string::npos ? "end" : options.on.substr(colon + 1);
      hit = scene::DropOnFace(session.FindPart(partName), face);
    }
    const automation::ObjectRef hook = scene::MakeDropHook(host.context(), hit);
    start = [hook] { return addin::OnDragDrop(hook); };
  } else {
    // The catalogue item lands as a placeholder at the origin, which the drop session removes.
    const automation::ObjectRef placeholder = parts::AddPartShape(host.ActivePage());
    start = [placeholder] { return addin::Drop(placeholder); };
  }
  const bool completed = session.RunWithDialog(options.choices, start);
  session.Save();
  return Report(session, completed, NewParts(before, host.document().Parts()), options.json);
}

int RunEdit(const PartOptions& options) {
  SceneSession session(options.scene, options.settings);
  scene::SceneHost& host = session.host();
  const scene::NodePtr part = session.FindPart(options.part);
  const auto before = host.document().Parts();
  const scene::NodePtr block = part->FirstComponent(34);
  const std::string className = block ? block->keyedVariables[{2, 1}].ToText() : "";
  const addin::ComponentClass* partClass = addin::FindComponentClass(className);
  if (partClass == nullptr || partClass->typeCode == 0) throw UsageError("\"" + options.part + "\" is not a part of this system");
  const automation::ObjectRef shape = host.Wrap(part);
  const bool completed = session.RunWithDialog(options.choices, [&] { return addin::DblClick(shape, partClass->typeCode); });
  session.Save();
  return Report(session, completed, NewParts(before, host.document().Parts()), options.json);
}

int RunSetLength(const PartOptions& options) {
  SceneSession session(options.scene, options.settings);
  scene::SceneHost& host = session.host();
  const scene::NodePtr part = session.FindPart(options.part);
  const double length = ParseNumber(options.lengthText, "--length");
  const automation::ObjectRef shape = host.Wrap(part);
  // As the host does: the extrusion length changes, the part's class is told, the page rebuilds.
  session.status = runtime::Trap([&] {
    const automation::ObjectRef body = host::Item(host::Shapes(host::Item(host::Components(shape, 23), std::int16_t{1})), std::int16_t{1});
    host::SetValue(host::Variable(host::Item(host::Components(body, 1), std::int16_t{1}), 3), length);
  });
  if (session.status.ok()) session.status = addin::PreUpdate(shape);
  if (session.status.ok()) session.status = runtime::Trap([&] { host::Update(host.ActivePage()); });
  if (session.status.ok()) session.Save();
  return Report(session, session.status.ok(), {part}, options.json);
}

int RunShow(const PartOptions& options) {
  SceneSession session(options.scene, options.settings);
  std::vector<scene::NodePtr> parts = session.host().document().Parts();
  if (!options.part.empty()) parts = {session.FindPart(options.part)};
  if (options.json) {
    Json out = {{"parts", Json::array()}};
    for (const scene::NodePtr& part : parts) out["parts"].push_back(PartJson(session.host(), part));
    std::cout << out.dump(2) << "\n";
  } else {
    if (parts.empty()) std::cout << "The scene holds no parts.\n";
    for (const scene::NodePtr& part : parts) PrintPart(session.host(), part);
  }
  return kExitSuccess;
}

int RunExport(const PartOptions& options) {
  if (options.step.empty() && options.stl.empty() && options.svg.empty()) {
    throw UsageError("say what to write: --step FILE, --stl FILE or --svg FILE");
  }
  SceneSession session(options.scene, options.settings);
  std::vector<scene::NodePtr> parts = session.host().document().Parts();
  if (!options.part.empty()) parts = {session.FindPart(options.part)};
  std::vector<scene::PlacedBody> bodies;
  for (const scene::NodePtr& part : parts) {
    for (const scene::NodePtr& child : part->ChildShapes()) {
      if (child->section) bodies.push_back({child.get(), part->placement.After(child->placement)});
    }
  }
  if (bodies.empty()) throw UsageError("nothing to export: the scene holds no part with a solid");
  if (!options.svg.empty() && parts.size() != 1) throw UsageError("--svg draws one part's section: name it with --part");
  const runtime::Status status = runtime::Trap([&] {
    if (!options.step.empty()) scene::WriteStep(bodies, options.step);
    if (!options.stl.empty()) {
      scene::Mesh all;
      for (const scene::PlacedBody& placed : bodies) {
        const scene::Mesh mesh = scene::MeshOfBody(*placed.body, placed.placement);
        all.triangles.insert(all.triangles.end(), mesh.triangles.begin(), mesh.triangles.end());
      }
      scene::WriteStl(all, options.stl, parts.size() == 1 ? parts.front()->name : "zembrati scene");
    }
    if (!options.svg.empty()) scene::WriteSectionSvg(*bodies.front().body->section, parts.front()->name, options.svg);
  });
  if (!status.ok()) {
    std::cerr << "zembrati: error " << status.number << ": " << status.description << "\n";
    return kExitSystemError;
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
  dropCommand->add_option("--at", drop->at, "Drop through the host's hook at the point X,Y,Z");
  dropCommand->add_option("--on", drop->on, "Drop through the hook onto a part's face: PART[:start|end|side N]");
  dropCommand->add_option("--units", drop->units, "Length unit of a new scene (the system works in mm only)")
      ->check(CLI::IsMember({"mm", "cm", "m", "in", "ft"}));
  dropCommand->add_flag("--json", drop->json, "Print the new part and the messages as JSON");
  dropCommand->footer("Example:\n  zembrati drop --scene out/scene.json --type HE --standard HEA --size 200 --length 1500");
  dropCommand->callback([drop, &exitCode] { exitCode = RunDrop(*drop); });

  auto edit = std::make_shared<PartOptions>();
  CLI::App* editCommand = app.add_subcommand(
      "edit", "Double-click a part: the dialog opens on its stored choices, takes the given changes, and OK "
              "rebuilds the part (keeping what you added to its name) unless nothing changed.");
  AddCommon(*editCommand, *edit, true);
  AddDialogChoiceOptions(*editCommand, edit->choices);
  editCommand->add_flag("--json", edit->json, "Print the rebuilt part and the messages as JSON");
  editCommand->footer("Example:\n  zembrati edit --scene out/scene.json --part \"HEA 200 x 1500\" --length 2000");
  editCommand->callback([edit, &exitCode] { exitCode = RunEdit(*edit); });

  auto setLength = std::make_shared<PartOptions>();
  CLI::App* setLengthCommand = app.add_subcommand(
      "set-length", "Change a part's length as the host does; the part's length is cut to a whole number and its "
                    "name, length property and description follow.");
  AddCommon(*setLengthCommand, *setLength, true);
  setLengthCommand->add_option("--length", setLength->lengthText, "New extrusion length in mm")->required();
  setLengthCommand->add_flag("--json", setLength->json, "Print the part as JSON");
  setLengthCommand->footer("Example:\n  zembrati set-length --scene out/scene.json --part \"HEA 200 x 1500\" --length 12.9");
  setLengthCommand->callback([setLength, &exitCode] { exitCode = RunSetLength(*setLength); });

  auto show = std::make_shared<PartOptions>();
  CLI::App* showCommand = app.add_subcommand(
      "show", "Show every part of a scene: name, class, standard, size, material, length, part variables with "
              "their types, properties, summary, section area, volume and mass.");
  showCommand->add_option("--scene", show->scene, "Scene file")->required()->check(CLI::ExistingFile);
  showCommand->add_option("--part", show->part, "Only the part of this name");
  showCommand->add_flag("--json", show->json, "Print {\"parts\": [...]} in scene order");
  AddSettingsOptions(*showCommand, show->settings);
  showCommand->footer("Example:\n  zembrati show --scene out/scene.json --json");
  showCommand->callback([show, &exitCode] { exitCode = RunShow(*show); });

  auto exportOptions = std::make_shared<PartOptions>();
  CLI::App* exportCommand = app.add_subcommand(
      "export", "Export a scene's parts (or one part) as STEP solids, a binary STL mesh, or an SVG drawing of a "
                "part's section.");
  exportCommand->add_option("--scene", exportOptions->scene, "Scene file")->required()->check(CLI::ExistingFile);
  exportCommand->add_option("--part", exportOptions->part, "Only the part of this name");
  exportCommand->add_option("--step", exportOptions->step, "Write STEP solids to this file");
  exportCommand->add_option("--stl", exportOptions->stl, "Write a binary STL mesh to this file");
  exportCommand->add_option("--svg", exportOptions->svg, "Write an SVG drawing of the part's section");
  AddSettingsOptions(*exportCommand, exportOptions->settings);
  exportCommand->footer("Example:\n  zembrati export --scene out/scene.json --step out/parts.step");
  exportCommand->callback([exportOptions, &exitCode] { exitCode = RunExport(*exportOptions); });
}

}  // namespace zembrati::cli
