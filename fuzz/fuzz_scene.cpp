// The scene loader, given any text: a document or a host error saying it is damaged. A document
// it loads saves as text that loads into the same document again (load, save, load, save: the
// two saves are the same bytes), the host can walk it, its joints solve or say why not, whatever
// members they join, and its IFC export is a whole exchange file or a host error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "document_file.h"
#include "fuzz_input_file.h"
#include "ifc/ifc_export.h"
#include "joints.h"
#include "runtime/runtime_error.h"
#include "shop/nc1_export.h"
#include "shop/order_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace scene = zembrati::scene;
  const std::string text(reinterpret_cast<const char*>(data), size);
  scene::Document document;
  try {
    document = scene::DocumentFromJson(text);
  } catch (const zembrati::runtime::RuntimeError&) {
    return 0;
  }
  for (const scene::NodePtr& part : document.Parts()) {
    for (const scene::NodePtr& child : part->ChildShapes()) (void)child->OwningShape();
  }
  (void)document.Bodies();
  const std::size_t joints = document.joints.size();
  for (const zembrati::frame::JointProblem& problem : zembrati::frame::SolveJoints(document)) {
    if (problem.index >= document.joints.size() || problem.reason.empty()) zembrati::fuzz::Finding("a problem of no joint");
  }
  if (document.joints.size() > joints) zembrati::fuzz::Finding("solving made joints");
  // Coped bodies are left out of the IFC export here: their solids are the modeller's, which the
  // joint solving above has already been given, and building them again would cost most of the
  // run.
  zembrati::ifc::IfcModel model{"fuzz", "2026-01-01T00:00:00", {}};
  for (const scene::NodePtr& part : document.Parts()) {
    const scene::NodePtr body = scene::FirstBody(*part);
    if (!body || !body->cuts || !body->cuts->HasCope()) model.parts.push_back({part, std::to_string(part->id)});
  }
  try {
    std::vector<std::string> notes;
    const std::string ifc = zembrati::ifc::IfcText(model, notes);
    if (!ifc.starts_with("ISO-10303-21;\n") || !ifc.ends_with("\nEND-ISO-10303-21;\n")) {
      zembrati::fuzz::Finding("an IFC file that is not whole");
    }
  } catch (const zembrati::runtime::RuntimeError&) {
  }
  // The shop's outputs of the same parts: the bars to order, and NC files whole (ST first, EN
  // last) whatever the parts hold.
  std::vector<scene::NodePtr> uncoped;
  for (const auto& [part, key] : model.parts) uncoped.push_back(part);
  try {
    const auto order = zembrati::shop::OrderListOf(zembrati::shop::CuttingListOf(uncoped), {{6000, 12000}, 3, 10});
    for (const zembrati::shop::OrderGroup& group : order) {
      if (group.nesting.bars.size() < static_cast<std::size_t>(group.nesting.continuousBoundBars)) {
        zembrati::fuzz::Finding("fewer bars than the bound");
      }
    }
    for (const zembrati::shop::Nc1File& file : zembrati::shop::Nc1FilesOf(uncoped, "fuzz").files) {
      const std::string nc = zembrati::shop::Nc1Text(file.piece);
      if (!nc.starts_with("ST\r\n") || !nc.ends_with("\r\nEN\r\n")) zembrati::fuzz::Finding("an NC file that is not whole");
    }
  } catch (const zembrati::runtime::RuntimeError&) {
  } catch (const std::invalid_argument&) {  // a cut length beyond any bar's, refused
  }
  const std::string saved = scene::DocumentToJson(document);
  scene::Document again;
  try {
    again = scene::DocumentFromJson(saved);
  } catch (const zembrati::runtime::RuntimeError&) {
    zembrati::fuzz::Finding("a saved scene could not be loaded again");
  }
  if (scene::DocumentToJson(again) != saved) zembrati::fuzz::Finding("load, save, load, save changed the text");
  return 0;
}
