// Stands in for the STEP exporter in a build without the solid modeller: everything else of the
// built-in host works, and asking for STEP says why it cannot be had.
#include "scene_error.h"
#include "step/brep_text.h"
#include "step/cope_exchange.h"
#include "step/cut_solids.h"
#include "step/face_outlines.h"
#include "step/member_views.h"
#include "step/step_export.h"

namespace zembrati::scene {

namespace {
[[noreturn]] void RaiseUnavailable() {
  RaiseSceneError(scene_error::kBadDocument,
                  "This build has no solid modeller (Open CASCADE was not found when it was built): no STEP export, "
                  "and no coped members");
}
}  // namespace

void WriteStep(const std::vector<PlacedBody>&, const std::string&, const std::string&) { RaiseUnavailable(); }

void WriteStepSolidPerPart(const std::vector<PlacedBody>&, const std::string&) { RaiseUnavailable(); }

StepContents ReadStepContents(const std::string&) { RaiseUnavailable(); }

std::string SolidBrepText(const Node&, const RigidTransform&) { RaiseUnavailable(); }

CutExtent ExtentOf(const Node& body) {
  if (!body.section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid");
  if (const auto exact = PlaneCutExtent(*body.section, body.length, body.cuts.get())) return *exact;
  RaiseUnavailable();
}

Boundary GrownCopeOutline(const CopeTool& tool) {
  if (tool.gap > 0) RaiseUnavailable();
  return tool.outline;
}

std::vector<Box3> CopeOffcutBoxes(const Node& body) {
  if (body.cuts && body.cuts->HasCope()) RaiseUnavailable();
  return {};
}

MemberView ElevationOf(const Node&) { RaiseUnavailable(); }
MemberView PlanOf(const Node&) { RaiseUnavailable(); }

Mesh ExportMesh(const Node& body, const RigidTransform& placement) {
  if (body.cuts && body.cuts->HasCope()) RaiseUnavailable();
  return MeshOfBody(body, placement);
}

std::vector<std::vector<std::vector<Point2>>> PlaneSectionLoops(const Node&, const std::vector<AxialPlane>&) {
  RaiseUnavailable();
}

std::vector<std::optional<std::pair<double, double>>> ExtentsAlongAxis(const Node&, const std::vector<Point2>&) {
  RaiseUnavailable();
}

}  // namespace zembrati::scene
