#include "step/member_views.h"

#include <BRepAdaptor_Curve.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <HLRAlgo_Projector.hxx>
#include <HLRBRep_Algo.hxx>
#include <HLRBRep_HLRToShape.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <gp_Ax2.hxx>

#include "scene_error.h"
#include "step/body_solid.h"

namespace zembrati::scene {
namespace {

// Curves drawn within a twentieth of a millimetre.
constexpr double kDeflectionMm = 0.05;

void AddLines(const TopoDS_Shape& edges, std::vector<std::vector<Point2>>& lines) {
  if (edges.IsNull()) return;
  for (TopExp_Explorer explorer(edges, TopAbs_EDGE); explorer.More(); explorer.Next()) {
    const BRepAdaptor_Curve curve(TopoDS::Edge(explorer.Current()));
    GCPnts_QuasiUniformDeflection points(curve, kDeflectionMm);
    if (!points.IsDone() || points.NbPoints() < 2) continue;
    std::vector<Point2> line;
    for (Standard_Integer i = 1; i <= points.NbPoints(); ++i) line.push_back({points.Value(i).X(), points.Value(i).Y()});
    lines.push_back(std::move(line));
  }
}

// The view from the side `toward` points to (the eye looks back along it), with the body's z
// axis running across it to the right.
MemberView ViewOf(const Node& body, gp_Dir toward) {
  SilenceModeller();
  try {
    const TopoDS_Shape solid = BodySolid(body, {});
    Handle(HLRBRep_Algo) algorithm = new HLRBRep_Algo();
    algorithm->Add(solid);
    algorithm->Projector(HLRAlgo_Projector(gp_Ax2(gp::Origin(), toward, gp::DZ())));
    algorithm->Update();
    algorithm->Hide();
    HLRBRep_HLRToShape shapes(algorithm);
    MemberView view;
    AddLines(shapes.VCompound(), view.visible);
    AddLines(shapes.OutLineVCompound(), view.visible);
    AddLines(shapes.Rg1LineVCompound(), view.visible);
    AddLines(shapes.HCompound(), view.hidden);
    AddLines(shapes.OutLineHCompound(), view.hidden);
    return view;
  } catch (const Standard_Failure& failure) {
    RaiseSceneError(scene_error::kBadLoopLayout, std::string("The modeller could not draw the member: ") +
                                                     failure.GetMessageString());
  }
}

}  // namespace

// Seen from -x the view's up is +y; seen from +y its up is +x: both with z to the right.
MemberView ElevationOf(const Node& body) { return ViewOf(body, -gp::DX()); }
MemberView PlanOf(const Node& body) { return ViewOf(body, gp::DY()); }

}  // namespace zembrati::scene
