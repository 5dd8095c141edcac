#pragma once

#include <string>
#include <vector>

#include "export/mesh.h"

namespace zembrati::scene {

// Writes a mesh as binary STL (little-endian, millimetres). Raises a host error when the file
// cannot be written.
void WriteStl(const Mesh& mesh, const std::string& path, const std::string& title);

// A mesh in its own coordinates and where it stands: a scene's repeated members are one mesh
// placed many times.
struct PlacedMesh {
  const Mesh* mesh;
  RigidTransform placement;
};
// Writes the placed meshes as one binary STL, each triangle moved by its mesh's placement as it
// is written (nothing of the whole is held at once). Raises a host error when the file cannot
// be written or would hold more triangles than STL counts; the file is then left as it was.
void WriteStl(const std::vector<PlacedMesh>& meshes, const std::string& path, const std::string& title);

}  // namespace zembrati::scene
