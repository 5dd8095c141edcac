// Stands in for the STEP exporter in a build without the solid modeller: everything else of the
// built-in host works, and asking for STEP says why it cannot be had.
#include "scene_error.h"
#include "step/brep_text.h"
#include "step/step_export.h"

namespace zembrati::scene {

namespace {
[[noreturn]] void RaiseUnavailable() {
  RaiseSceneError(scene_error::kBadDocument,
                  "This build has no STEP export: Open CASCADE was not found when it was built");
}
}  // namespace

void WriteStep(const std::vector<PlacedBody>&, const std::string&) { RaiseUnavailable(); }

StepContents ReadStepContents(const std::string&) { RaiseUnavailable(); }

std::string SolidBrepText(const Node&, const RigidTransform&) { RaiseUnavailable(); }

}  // namespace zembrati::scene
