#pragma once

#include <string>

#include "export/mesh.h"

namespace zembrati::scene {

// Writes a mesh as binary STL (little-endian, millimetres). Raises a host error when the file
// cannot be written.
void WriteStl(const Mesh& mesh, const std::string& path, const std::string& title);

}  // namespace zembrati::scene
