#include "export/stl_export.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

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
  std::string bytes = title.substr(0, 80);
  bytes.resize(80, ' ');
  PutUint32(bytes, static_cast<std::uint32_t>(mesh.triangles.size()));
  for (const auto& triangle : mesh.triangles) {
    const Vector3 n = Normal(triangle);
    for (const double c : {n.x, n.y, n.z}) PutFloat(bytes, c);
    for (const Vector3& v : triangle) {
      for (const double c : {v.x, v.y, v.z}) PutFloat(bytes, c);
    }
    bytes += std::string(2, '\0');
  }
  WriteWholeFile(path, bytes, "STL file");
}

}  // namespace zembrati::scene
