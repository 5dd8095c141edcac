#include "part_operations.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "addin/class_table.h"
#include "addin/sessions.h"
#include "automation/object_creation.h"
#include "catalogue/configuration.h"
#include "document_file.h"
#include "drop_hook.h"
#include "host/scene_members.h"
#include "ifc/ifc_export.h"
#include "joints.h"
#include "parts/part_data.h"
#include "python_ui.h"
#include "report/part_report.h"
#include "runtime/status.h"
#include "scene_error.h"
#include "scene_host.h"
#include "shop/cutting_list.h"
#include "shop/order_json.h"
#include "step/brep_text.h"

namespace zembrati::freecad {
namespace {

using Json = nlohmann::ordered_json;

scene::Settings LoadSettings(const SessionSetup& setup) {
  scene::Settings settings = scene::Settings::Load(setup.settingsFile);
  if (!setup.prefsFile.empty()) {
    settings.Set(catalogue::kProductKey, "ApplDir", "");
    settings.Set(catalogue::kCatalogueKey, "File Prefs", setup.prefsFile);
  }
  if (!setup.language.empty()) settings.Set(catalogue::kProductKey, "Language", setup.language);
  return settings;
}

// The part's one-part document, with the name and placement it has in FreeCAD now: the user may
// have renamed it (a name suffix the system keeps) or moved it.
scene::Document DocumentOf(const FreecadPart& part) {
  scene::Document document = scene::DocumentFromJson(part.document);
  const std::vector<scene::NodePtr> parts = document.Parts();
  if (parts.size() != 1) {
    scene::RaiseSceneError(scene::scene_error::kBadDocument,
                           "The FreeCAD object does not hold one part of this system (it holds " +
                               std::to_string(parts.size()) + ")");
  }
  parts.front()->name = part.label;
  parts.front()->placement = scene::RigidTransform::FromPlacement(part.placement);
  return document;
}

// A part alone in a document of its own, as a FreeCAD object keeps it: the document copied, and
// every other part taken out of the copy.
std::string OnePartDocument(const scene::Document& document, const scene::NodePtr& part) {
  const std::vector<scene::NodePtr> parts = document.Parts();
  const auto index = std::find(parts.begin(), parts.end(), part) - parts.begin();
  scene::Document copy = scene::DocumentFromJson(scene::DocumentToJson(document));
  const scene::NodePtr kept = copy.Parts().at(static_cast<std::size_t>(index));
  for (auto& [kind, components] : copy.root->components) {
    for (const scene::NodePtr& component : components) {
      std::erase_if(component->shapes, [&](const scene::NodePtr& shape) { return shape != kept; });
    }
  }
  return scene::DocumentToJson(copy);
}

Json PartJson(const scene::Document& document, const scene::NodePtr& part) {
  const scene::NodePtr body = scene::FirstBody(*part);
  if (!body || !body->section) {
    scene::RaiseSceneError(scene::scene_error::kNoSuchObject, "The part \"" + part->name + "\" has no solid");
  }
  return {{"report", report::PartReport(part)},
          {"document", OnePartDocument(document, part)},
          {"brep", scene::SolidBrepText(*body, body->placement)}};
}

std::vector<scene::NodePtr> Added(const std::vector<scene::NodePtr>& before, const std::vector<scene::NodePtr>& after) {
  std::vector<scene::NodePtr> added;
  for (const scene::NodePtr& part : after) {
    if (std::find(before.begin(), before.end(), part) == before.end()) added.push_back(part);
  }
  return added;
}

std::string ResultJson(const runtime::Status& status, const Json& parts) {
  const Json error = status.ok() ? Json(nullptr) : Json{{"number", status.number}, {"description", status.description}};
  const Json result = {{"ok", status.ok()}, {"error", error}, {"completed", !parts.empty()}, {"parts", parts}};
  return result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Runs one call of the host into the system with the session's windows, and reports the parts
// `made` finds afterwards.
std::string Run(scene::SceneHost& host, pybind11::object ui, const std::function<runtime::Status()>& call,
                const std::function<std::vector<scene::NodePtr>()>& made) {
  automation::ScopedObjectCreator creator(host);
  PythonUi windows(std::move(ui));
  runtime::Status status = call();
  windows.RethrowFailure();
  Json parts = Json::array();
  if (status.ok()) {
    status = runtime::Trap([&] {
      for (const scene::NodePtr& part : made()) parts.push_back(PartJson(host.document(), part));
    });
    if (!status.ok()) parts = Json::array();
  }
  return ResultJson(status, parts);
}

// Runs an operation; a part document or settings file it cannot read is its failure too.
std::string Reporting(const std::function<std::string()>& operation) {
  try {
    return operation();
  } catch (const runtime::RuntimeError& error) {
    return ResultJson(runtime::Status::From(error), Json::array());
  }
}

}  // namespace

std::string InsertPart(const SessionSetup& setup, pybind11::object ui, const std::optional<DropTarget>& onto) {
  return Reporting([&] {
    const bool onPart = onto && onto->part;
    scene::SceneHost host(onPart ? DocumentOf(*onto->part) : scene::Document{}, LoadSettings(setup));
    const std::vector<scene::NodePtr> before = host.document().Parts();
    std::function<runtime::Status()> call;
    if (onto) {
      scene::DropHit hit = scene::DropOnEmptySpace(onto->scenePoint);
      if (onPart) {
        hit.part = before.front();
        hit.elementType = 2;
        hit.pickPoint = onto->pickPoint;
        hit.normal = onto->normal;
      }
      const automation::ObjectRef hook = scene::MakeDropHook(host.context(), hit);
      call = [hook] { return addin::OnDragDrop(hook); };
    } else {
      // The catalogue item lands as a placeholder at the origin, which the drop session removes.
      call = [&host] {
        automation::ObjectRef placeholder;
        const runtime::Status added = runtime::Trap([&] { placeholder = parts::AddPartShape(host.ActivePage()); });
        return added.ok() ? addin::Drop(placeholder) : added;
      };
    }
    return Run(host, std::move(ui), call, [&] { return Added(before, host.document().Parts()); });
  });
}

std::string EditPart(const SessionSetup& setup, pybind11::object ui, const FreecadPart& part) {
  return Reporting([&] {
    scene::SceneHost host(DocumentOf(part), LoadSettings(setup));
    const std::vector<scene::NodePtr> before = host.document().Parts();
    const scene::NodePtr edited = before.front();
    const addin::ComponentClass* partClass = addin::FindComponentClass(report::PartReport(edited)["class"].get<std::string>());
    if (partClass == nullptr || partClass->typeCode == 0) {
      scene::RaiseSceneError(scene::scene_error::kBadDocument, "\"" + part.label + "\" is not a part of this system");
    }
    const automation::ObjectRef shape = host.Wrap(edited);
    const std::int16_t typeCode = partClass->typeCode;
    return Run(host, std::move(ui), [&] { return addin::DblClick(shape, typeCode); },
               [&] { return Added(before, host.document().Parts()); });
  });
}

std::string SetPartLength(const SessionSetup& setup, pybind11::object ui, const FreecadPart& part, double length) {
  return Reporting([&] {
    scene::SceneHost host(DocumentOf(part), LoadSettings(setup));
    const scene::NodePtr changed = host.document().Parts().front();
    const automation::ObjectRef shape = host.Wrap(changed);
    // As the host does: the extrusion length changes, the part's class is told, the page rebuilds.
    const auto call = [&] {
      runtime::Status status = runtime::Trap([&] {
        const automation::ObjectRef body = host::Item(host::Shapes(host::Item(host::Components(shape, 23), std::int16_t{1})), std::int16_t{1});
        host::SetValue(host::Variable(host::Item(host::Components(body, 1), std::int16_t{1}), 3), length);
      });
      if (status.ok()) status = addin::PreUpdate(shape);
      if (status.ok()) status = runtime::Trap([&] { host::Update(host.ActivePage()); });
      return status;
    };
    return Run(host, std::move(ui), call, [&] { return std::vector<scene::NodePtr>{changed}; });
  });
}

namespace {

// One scene of every part given, each the one its FreeCAD object holds, with an identity of its
// own, and the joints between them solved; the joints that could not be made are told in
// `problems` ({"joint", "reason"}), their ends left square.
scene::Document JointedScene(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints, Json& problems) {
  scene::Document document;
  const scene::NodePtr holder = document.root->FirstComponent(scene::kind::kPartHolder);
  for (const FreecadPart& part : parts) {
    const scene::NodePtr node = DocumentOf(part).Parts().front();
    node->owner = holder;
    node->id = 0;
    holder->shapes.push_back(node);
  }
  problems = Json::array();
  for (std::size_t i = 0; i < joints.size(); ++i) {
    const FreecadJoint& joint = joints[i];
    if (joint.member >= parts.size() || joint.other >= parts.size()) {
      problems.push_back({{"joint", i}, {"reason", "the joint names a part that is not there"}});
      continue;
    }
    const std::optional<scene::JointKind> kind = scene::JointKindFromName(joint.kind);
    const std::optional<scene::MemberEnd> end = scene::MemberEndFromName(joint.end);
    if (!kind || (!end && !joint.end.empty())) {
      problems.push_back({{"joint", i}, {"reason", "no joint kind \"" + joint.kind + "\" or end \"" + joint.end + "\""}});
      continue;
    }
    const scene::NodePtr member = holder->shapes[joint.member], other = holder->shapes[joint.other];
    try {
      frame::AddJoint(document, {member, end, *kind, other, joint.gap, joint.extend, joint.onFacePlane}, member->name,
                      other->name);
    } catch (const frame::JointError& error) {
      problems.push_back({{"joint", i}, {"reason", error.what()}});
    }
  }
  return document;
}

}  // namespace

std::string SolveJoints(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints) {
  return Reporting([&] {
    Json problems;
    const scene::Document document = JointedScene(parts, joints, problems);
    Json solved = Json::array();
    for (const scene::NodePtr& part : document.Parts()) {
      const scene::NodePtr body = scene::FirstBody(*part);
      if (!body || !body->section) {
        scene::RaiseSceneError(scene::scene_error::kNoSuchObject, "The part \"" + part->name + "\" has no solid");
      }
      solved.push_back({{"report", report::PartReport(part)}, {"brep", scene::SolidBrepText(*body, body->placement)}});
    }
    const Json result = {{"ok", true}, {"error", nullptr}, {"parts", solved}, {"problems", problems}};
    return result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  });
}

std::string ExportIfc(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints, const IfcTarget& target) {
  return Reporting([&] {
    Json problems;
    const scene::Document document = JointedScene(parts, joints, problems);
    ifc::IfcModel model{target.name, target.timeStamp, {}};
    const std::vector<scene::NodePtr> inScene = document.Parts();
    for (std::size_t i = 0; i < inScene.size(); ++i) model.parts.push_back({inScene[i], parts[i].key});
    const std::vector<std::string> notes = ifc::WriteIfc(model, target.path);
    const Json result = {{"ok", true}, {"error", nullptr}, {"notes", notes}, {"problems", problems}};
    return result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  });
}

Json PiecesJson(const std::vector<shop::CutPiece>& pieces) {
  Json list = Json::array();
  for (const shop::CutPiece& p : pieces) {
    list.push_back({{"name", p.name}, {"mark", p.mark}, {"standard", p.standard}, {"designation", p.designation},
                    {"material", p.material}, {"cut_length_mm", p.lengthMm}, {"start_angle_web_deg", p.angles[0]},
                    {"start_angle_flange_deg", p.angles[1]}, {"end_angle_web_deg", p.angles[2]},
                    {"end_angle_flange_deg", p.angles[3]}, {"mass_kg", p.massKg}});
  }
  return list;
}

Json LinesJson(const std::vector<shop::CuttingLine>& lines) {
  Json list = Json::array();
  for (const shop::CuttingLine& l : lines) {
    list.push_back({{"standard", l.standard}, {"designation", l.designation}, {"material", l.material},
                    {"length_mm", l.lengthMm}, {"count", l.count}, {"unit_mass_kg", l.unitMassKg}, {"marks", l.marks}});
  }
  return list;
}

std::string CuttingList(const std::vector<FreecadPart>& parts, const std::vector<FreecadJoint>& joints, const StockRequest& stock) {
  return Reporting([&] {
    Json problems;
    const scene::Document document = JointedScene(parts, joints, problems);
    const std::vector<scene::NodePtr> inScene = document.Parts();
    const std::vector<shop::CuttingLine> lines = shop::CuttingListOf(inScene);
    Json result = {{"ok", true}, {"error", nullptr}, {"pieces", PiecesJson(shop::CutPiecesOf(inScene))}, {"lines", LinesJson(lines)}};
    if (!stock.stockMm.empty()) {
      const shop::StockOptions options{stock.stockMm, stock.kerfMm, stock.trimMm};
      std::vector<shop::OrderGroup> order;
      try {
        order = shop::OrderListOf(lines, options);
      } catch (const std::invalid_argument& error) {
        scene::RaiseSceneError(scene::scene_error::kBadDocument, std::string("Cannot nest the pieces: ") + error.what());
      }
      result["order"] = shop::OrderSummaryJson(order, options);
      result["nesting"] = shop::NestingJson(order);
    }
    result["problems"] = problems;
    return result.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  });
}

}  // namespace zembrati::freecad
