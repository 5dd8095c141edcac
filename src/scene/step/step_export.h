#pragma once

#include <array>

#include <string>
#include <vector>

#include "document.h"

namespace zembrati::scene {

// A body to export, where it stands in the scene, and what the file says of it: the name of its
// part, its part number and its material (empty ones are left out).
struct PlacedBody {
  const Node* body;
  RigidTransform placement;
  std::string name = {};
  std::string partNumber = {};
  std::string material = {};
};

// Writes the bodies as solids to a STEP file (AP214, millimetres), each solid built by the solid
// modeller from the body's exact lines and arcs and extruded to its length, each a product named
// after its part (its part number as the product's id) with its material. Raises a host error
// when a solid cannot be made or the file cannot be written.
void WriteStep(const std::vector<PlacedBody>& bodies, const std::string& path);

// What a STEP file holds, read back by the modeller: the number of solids, their total volume,
// the box around each solid (its lowest and highest x, y and z, in the file's order of solids),
// and the names and ids of its products.
struct StepContents {
  int solids = 0;
  double volume = 0;  // mm³
  std::vector<std::array<double, 6>> boxes;
  std::vector<std::string> names;
  std::vector<std::string> ids;
};
StepContents ReadStepContents(const std::string& path);

}  // namespace zembrati::scene
