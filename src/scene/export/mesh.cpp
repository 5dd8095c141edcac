#include "export/mesh.h"

#include <numbers>

#include "export/triangulation.h"
#include "scene_error.h"

namespace zembrati::scene {

Mesh MeshOfBody(const Node& body, const RigidTransform& placement) {
  if (!body.section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid to export");
  constexpr double kStep = std::numbers::pi / 32;
  std::vector<std::vector<Point2>> rings;
  for (const Boundary* loop : body.section->Loops()) rings.push_back(Polyline(*loop, kStep));
  rings = OrientRings(std::move(rings));
  const Triangulation caps = Triangulate(rings);
  const double length = body.length;
  const auto at = [&](Point2 p, double z) { return placement.Map({p.x, p.y, z}); };

  Mesh mesh;
  for (const auto& t : caps.triangles) {
    const Point2 a = caps.points[t[0]], b = caps.points[t[1]], c = caps.points[t[2]];
    mesh.triangles.push_back({at(a, length), at(b, length), at(c, length)});
    mesh.triangles.push_back({at(a, 0), at(c, 0), at(b, 0)});
  }
  // With the material left of travel, each edge's side face looks to its right: outwards.
  for (const auto& ring : rings) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Point2 p = ring[i], q = ring[(i + 1) % ring.size()];
      mesh.triangles.push_back({at(p, 0), at(q, 0), at(q, length)});
      mesh.triangles.push_back({at(p, 0), at(q, length), at(p, length)});
    }
  }
  return mesh;
}

}  // namespace zembrati::scene
