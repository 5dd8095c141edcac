#include "export/stl_export.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "file_output.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

void PutUint32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutFloat(std::string& out, double value) {
  PutUint32(out, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

Vector3 Normal(const std::array<Vector3, 3>& t) {
  const Vector3 u{t[1].x - t[0].x, t[1].y - t[0].y, t[1].z - t[0].z};
  const Vector3 v{t[2].x - t[0].x, t[2].y - t[0].y, t[2].z - t[0].z};
  return Normalized({u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x});
}

}  // namespace

void WriteStl(const Mesh& mesh, const std::string& path, const std::string& title) {
  WriteStl(std::vector<PlacedMesh>{{&mesh, {}}}, path, title);
}

void WriteStl(const std::vector<PlacedMesh>& meshes, const std::string& path, const std::string& title) {
  std::uint64_t count = 0;
  for (const PlacedMesh& placed : meshes) count += placed.mesh->triangles.size();
  if (count > std::numeric_limits<std::uint32_t>::max()) {
    RaiseSceneError(scene_error::kBadDocument, "Cannot write the STL file " + path + ": " + std::to_string(count) +
                                                   " triangles are more than STL can count; the file was left as it was");
  }
  WriteFileInPieces(path, "STL file", [&](const FileSink& sink) {
    std::string bytes = title.substr(0, 80);
    bytes.resize(80, ' ');
    PutUint32(bytes, static_cast<std::uint32_t>(count));
    // About a megabyte at a time: 50 bytes a triangle.
    constexpr std::size_t kPieceBytes = 50 * 20'000;
    for (const PlacedMesh& placed : meshes) {
      for (const auto& local : placed.mesh->triangles) {
        const std::array<Vector3, 3> triangle{placed.placement.Map(local[0]), placed.placement.Map(local[1]),
                                              placed.placement.Map(local[2])};
        const Vector3 n = Normal(triangle);
        for (const double c : {n.x, n.y, n.z}) PutFloat(bytes, c);
        for (const Vector3& v : triangle) {
          for (const double c : {v.x, v.y, v.z}) PutFloat(bytes, c);
        }
        bytes += std::string(2, '\0');
        if (bytes.size() >= kPieceBytes) {
          sink(bytes);
          bytes.clear();
        }
      }
    }
    sink(bytes);
    return true;
  });
}

}  // namespace zembrati::scene
