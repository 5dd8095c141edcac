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

// Writes the bodies to a STEP file (AP214, millimetres) as an assembly: a root product named
// `sceneName`, one product per distinct solid (bodies alike in section, length and end cuts,
// with the same part number and material, share one), and one placed instance of it per body,
// named after its part. Each solid is built by the solid modeller from the body's exact lines and
// arcs, extruded to its length and cut at its ends; a product's id is its part number and its
// material is recorded on it. A building's thousand repeats of a column are one solid in the
// file. Raises a host error when a solid cannot be made or the file cannot be written; the file
// is then left as it was.
void WriteStep(const std::vector<PlacedBody>& bodies, const std::string& path, const std::string& sceneName);

// The same solids written as they were before assemblies: one product per body, its solid in
// full at its place. Kept to measure the assembly against and to check that both give the same
// solids.
void WriteStepSolidPerPart(const std::vector<PlacedBody>& bodies, const std::string& path);

// A solid as a STEP file places it, read back by the modeller: the name of its instance (its
// product's, for a solid outside any assembly), its volume and the box around it where it
// stands (its lowest and highest x, y and z).
struct StepSolidRead {
  std::string name;
  double volume = 0;  // mm³
  std::array<double, 6> box{};
};

// What a STEP file holds, read back by the modeller: the placed solids in the file's order, the
// names and ids of its products, how many solids the file writes out (shared ones once) and how
// many placed instances it has.
struct StepContents {
  std::vector<StepSolidRead> solids;
  double volume = 0;  // mm³, of all placed solids
  std::vector<std::string> names;  // of the products
  std::vector<std::string> ids;
  int solidsWritten = 0;  // MANIFOLD_SOLID_BREP entities
  int instances = 0;      // NEXT_ASSEMBLY_USAGE_OCCURRENCE entities
};
StepContents ReadStepContents(const std::string& path);

}  // namespace zembrati::scene
