#pragma once

#include <string>
#include <vector>

#include "document.h"

namespace zembrati::scene {

// A body to export and where it stands in the scene.
struct PlacedBody {
  const Node* body;
  RigidTransform placement;
};

// Writes the bodies as solids to a STEP file (AP214, millimetres), each solid built by the solid
// modeller from the body's exact lines and arcs and extruded to its length. Raises a host error
// when a solid cannot be made or the file cannot be written.
void WriteStep(const std::vector<PlacedBody>& bodies, const std::string& path);

// What a STEP file holds, read back by the modeller: the number of solids and their total volume.
struct StepContents {
  int solids = 0;
  double volume = 0;  // mm³
};
StepContents ReadStepContents(const std::string& path);

}  // namespace zembrati::scene
