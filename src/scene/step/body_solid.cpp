#include "step/body_solid.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <TopoDS.hxx>
#include <gp_Circ.hxx>
#include <gp_Pln.hxx>
#include <gp_Quaternion.hxx>
#include <gp_Trsf.hxx>

#include <cmath>
#include <numbers>

#include "scene_error.h"
#include "section/section_properties.h"

namespace zembrati::scene {

void SilenceModeller() {
  static const bool silenced = [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    return true;
  }();
  (void)silenced;
}

namespace {

gp_Pnt At(Point2 p) { return gp_Pnt(p.x, p.y, 0); }

TopoDS_Edge EdgeOf(const BoundaryElement& e) {
  if (e.kind == BoundaryElement::Kind::Line) return BRepBuilderAPI_MakeEdge(At(e.from), At(e.to));
  const gp_Ax2 axis(At(e.centre), e.sweep > 0 ? gp::DZ() : -gp::DZ());
  const gp_Circ circle(axis, e.radius);
  if (std::fabs(std::fabs(e.sweep) - 2 * std::numbers::pi) < 1e-12) return BRepBuilderAPI_MakeEdge(circle);
  const double t = std::atan2(e.from.y - e.centre.y, e.from.x - e.centre.x) + e.sweep / 2;
  const gp_Pnt middle(e.centre.x + e.radius * std::cos(t), e.centre.y + e.radius * std::sin(t), 0);
  return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(At(e.from), middle, At(e.to)).Value());
}

// The wire of a boundary, turned so that it runs counter-clockwise for the outline and
// clockwise for a hole, as a face with holes needs.
TopoDS_Wire WireOf(const Boundary& boundary, bool counterClockwise) {
  BRepBuilderAPI_MakeWire wire;
  for (const BoundaryElement& e : boundary.elements) wire.Add(EdgeOf(e));
  if (!wire.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not join a loop's edges");
  TopoDS_Wire result = wire.Wire();
  if ((MomentsOf(boundary).area > 0) != counterClockwise) result.Reverse();
  return result;
}

// The modeller works in a bounded space: a coordinate that is not finite, or one far beyond any
// building, makes it fail in ways it does not report. 1e9 mm is a thousand kilometres.
constexpr double kModellingRange = 1e9;

void CheckInModellingRange(double value, const std::string& what) {
  if (!std::isfinite(value) || std::fabs(value) > kModellingRange) {
    RaiseSceneError(scene_error::kNonFinite, what + " lies outside the range the modeller works in (" +
                                                 std::to_string(value) + " mm)");
  }
}

}  // namespace

TopoDS_Shape BodySolid(const Node& body, const RigidTransform& placement) {
  if (!body.section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid to export");
  const std::string what = "The body \"" + body.name + "\"";
  CheckInModellingRange(body.length, what);
  for (const double v : {placement.translation.x, placement.translation.y, placement.translation.z}) {
    CheckInModellingRange(v, what);
  }
  const Box2& box = body.section->box;
  for (const double v : {box.minX, box.minY, box.maxX, box.maxY}) CheckInModellingRange(v, what);
  for (const double v : placement.rotation) CheckInModellingRange(v, what);
  BRepBuilderAPI_MakeFace face(gp_Pln(gp::XOY()), WireOf(body.section->outline, true));
  for (const Boundary& hole : body.section->holes) face.Add(WireOf(hole, false));
  if (!face.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not make the section face");
  const TopoDS_Shape prism = BRepPrimAPI_MakePrism(face.Face(), gp_Vec(0, 0, body.length)).Shape();
  if (!BRepCheck_Analyzer(prism).IsValid()) {
    RaiseSceneError(scene_error::kBadLoopLayout, "The modeller found the solid of \"" + body.name + "\" invalid");
  }
  gp_Trsf transform;
  const auto& q = placement.rotation;
  transform.SetRotation(gp_Quaternion(q[1], q[2], q[3], q[0]));
  transform.SetTranslationPart(gp_Vec(placement.translation.x, placement.translation.y, placement.translation.z));
  return BRepBuilderAPI_Transform(prism, transform, true).Shape();
}

}  // namespace zembrati::scene
