#include "step/cope_exchange.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepTools_WireExplorer.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <TopExp.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Vertex.hxx>

#include <cmath>
#include <numbers>

#include "scene_error.h"
#include "step/body_solid.h"

namespace zembrati::scene {
namespace {

Point2 Flat(const gp_Pnt& p) { return {p.X(), p.Y()}; }

// The signed angle an arc turns through from `from` to `to` about `centre`, passing `middle`.
double SweepThrough(Point2 centre, Point2 from, Point2 middle, Point2 to) {
  const auto angle = [&](Point2 p) { return std::atan2(p.y - centre.y, p.x - centre.x); };
  const auto counterClockwise = [](double a, double b) {  // from a to b, in [0, 2π)
    double d = std::fmod(b - a, 2 * std::numbers::pi);
    return d < 0 ? d + 2 * std::numbers::pi : d;
  };
  const double a = angle(from), m = angle(middle), b = angle(to);
  const double toEnd = counterClockwise(a, b), toMiddle = counterClockwise(a, m);
  return toMiddle <= toEnd ? toEnd : toEnd - 2 * std::numbers::pi;
}

double VolumeOf(const TopoDS_Shape& shape) {
  GProp_GProps properties;
  BRepGProp::VolumeProperties(shape, properties);
  return properties.Mass();
}

}  // namespace

Boundary GrownCopeOutline(const CopeTool& tool) {
  if (!(tool.gap > 0)) return tool.outline;
  Boundary grown;
  for (BRepTools_WireExplorer edges(CopeWire(tool)); edges.More(); edges.Next()) {
    const TopoDS_Edge& edge = edges.Current();
    const BRepAdaptor_Curve curve(edge);
    BoundaryElement element;
    element.from = Flat(BRep_Tool::Pnt(TopExp::FirstVertex(edge, true)));
    element.to = Flat(BRep_Tool::Pnt(TopExp::LastVertex(edge, true)));
    if (curve.GetType() == GeomAbs_Circle) {
      element.kind = BoundaryElement::Kind::Arc;
      element.centre = Flat(curve.Circle().Location());
      element.radius = curve.Circle().Radius();
      const Point2 middle = Flat(curve.Value((curve.FirstParameter() + curve.LastParameter()) / 2));
      element.sweep = SweepThrough(element.centre, element.from, middle, element.to);
      if (element.from == element.to) element.sweep = 2 * std::numbers::pi;
    } else if (curve.GetType() != GeomAbs_Line) {
      RaiseSceneError(scene_error::kBadLoopLayout, "The modeller grew a cope's outline into a curve that is neither line nor arc");
    }
    grown.elements.push_back(element);
  }
  return grown;
}

std::vector<Box3> CopeOffcutBoxes(const Node& body) {
  if (!body.section || !body.cuts || !body.cuts->HasCope()) return {};
  const TopoDS_Shape pieces = PiecesAfterCuts(body);
  const TopoDS_Shape member = LargestSolid(pieces, body.name);
  // Clear of what the cut surfaces may have left in the pieces' boxes by rounding.
  constexpr double kClearanceMm = 0.05;
  std::vector<Box3> boxes;
  for (TopExp_Explorer solid(pieces, TopAbs_SOLID); solid.More(); solid.Next()) {
    if (solid.Current().IsSame(member)) continue;
    Bnd_Box bounds;
    BRepBndLib::AddOptimal(solid.Current(), bounds, false, false);
    double x0 = 0, y0 = 0, z0 = 0, x1 = 0, y1 = 0, z1 = 0;
    bounds.Get(x0, y0, z0, x1, y1, z1);
    const Box3 box{{x0 - kClearanceMm, y0 - kClearanceMm, z0 - kClearanceMm}, {x1 + kClearanceMm, y1 + kClearanceMm, z1 + kClearanceMm}};
    const TopoDS_Shape block = BRepPrimAPI_MakeBox(gp_Pnt(box.min.x, box.min.y, box.min.z), gp_Pnt(box.max.x, box.max.y, box.max.z)).Shape();
    if (VolumeOf(BRepAlgoAPI_Common(member, block).Shape()) > 1e-9) {
      RaiseSceneError(scene_error::kBadLoopLayout, "A box around an offcut of \"" + body.name + "\" would cut the member");
    }
    boxes.push_back(box);
  }
  return boxes;
}

}  // namespace zembrati::scene
