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
  // The end caps lie on the end planes: square ones, or the planes a joint cut the ends on. Over
  // a plane, z is linear in x and y, so its caps and side faces are exact.
  static const BodyCuts kSquare;
  const BodyCuts& cuts = body.cuts ? *body.cuts : kSquare;
  if (cuts.HasCope()) RaiseSceneError(scene_error::kBadLoopLayout, "A coped body is meshed by the solid modeller");
  const CutPlane startPlane = EndPlane(cuts.start, false, body.length), endPlane = EndPlane(cuts.end, true, body.length);
  const auto start = [&](Point2 p) { return placement.Map({p.x, p.y, startPlane.ZAt(p.x, p.y)}); };
  const auto end = [&](Point2 p) { return placement.Map({p.x, p.y, endPlane.ZAt(p.x, p.y)}); };

  Mesh mesh;
  for (const auto& t : caps.triangles) {
    const Point2 a = caps.points[t[0]], b = caps.points[t[1]], c = caps.points[t[2]];
    mesh.triangles.push_back({end(a), end(b), end(c)});
    mesh.triangles.push_back({start(a), start(c), start(b)});
  }
  // With the material left of travel, each edge's side face looks to its right: outwards.
  for (const auto& ring : rings) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Point2 p = ring[i], q = ring[(i + 1) % ring.size()];
      mesh.triangles.push_back({start(p), start(q), end(q)});
      mesh.triangles.push_back({start(p), end(q), end(p)});
    }
  }
  return mesh;
}

}  // namespace zembrati::scene
