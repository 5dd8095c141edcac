#include "step/cut_solids.h"

#include <BRepMesh_IncrementalMesh.hxx>
#include <BRep_Tool.hxx>
#include <Poly_Triangulation.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>

#include <numbers>

#include "scene_error.h"
#include "step/body_solid.h"

namespace zembrati::scene {
namespace {

// Arcs as the body's own mesh divides them (1/64 of a turn), and curves within 0.05 mm.
constexpr double kLinearDeflectionMm = 0.05;
constexpr double kAngularDeflection = std::numbers::pi / 32;

Mesh MeshOfShape(const TopoDS_Shape& shape) {
  BRepMesh_IncrementalMesh(shape, kLinearDeflectionMm, false, kAngularDeflection, true);
  Mesh mesh;
  for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangulation = BRep_Tool::Triangulation(face, location);
    if (triangulation.IsNull()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not mesh a face");
    const gp_Trsf transform = location.Transformation();
    const bool reversed = face.Orientation() == TopAbs_REVERSED;
    for (Standard_Integer i = 1; i <= triangulation->NbTriangles(); ++i) {
      Standard_Integer a = 0, b = 0, c = 0;
      triangulation->Triangle(i).Get(a, b, c);
      if (reversed) std::swap(b, c);
      const auto at = [&](Standard_Integer node) {
        const gp_Pnt p = triangulation->Node(node).Transformed(transform);
        return Vector3{p.X(), p.Y(), p.Z()};
      };
      mesh.triangles.push_back({at(a), at(b), at(c)});
    }
  }
  return mesh;
}

template <typename Work>
auto WithModeller(Work&& work) {
  SilenceModeller();
  try {
    return work();
  } catch (const Standard_Failure& failure) {
    RaiseSceneError(scene_error::kBadLoopLayout, std::string("The modeller failed: ") + failure.GetMessageString());
  }
}

}  // namespace

CutExtent ExtentOf(const Node& body) {
  if (!body.section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid");
  if (const auto exact = PlaneCutExtent(*body.section, body.length, body.cuts.get())) return *exact;
  return WithModeller([&] { return MeasuredExtent(body); });
}

Mesh ExportMesh(const Node& body, const RigidTransform& placement) {
  if (!body.cuts || !body.cuts->HasCope()) return MeshOfBody(body, placement);
  return WithModeller([&] { return MeshOfShape(BodySolid(body, placement)); });
}

}  // namespace zembrati::scene
