#include "step/body_solid.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepOffsetAPI_MakeOffset.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <TopExp_Explorer.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <TopoDS.hxx>
#include <gp_Circ.hxx>
#include <gp_Pln.hxx>
#include <gp_Quaternion.hxx>
#include <gp_Trsf.hxx>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene_error.h"
#include "section/section_properties.h"
#include "step/cut_solids.h"

namespace zembrati::scene {

void SilenceModeller() {
  static const bool silenced = [] {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    return true;
  }();
  (void)silenced;
}

gp_Trsf TransformOf(const RigidTransform& placement) {
  gp_Trsf transform;
  const auto& q = placement.rotation;
  transform.SetRotation(gp_Quaternion(q[1], q[2], q[3], q[0]));
  transform.SetTranslationPart(gp_Vec(placement.translation.x, placement.translation.y, placement.translation.z));
  return transform;
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



// The section's face (outline and holes), in the plane z = 0 its wires are drawn in.
TopoDS_Face SectionFace(const Section& section) {
  BRepBuilderAPI_MakeFace face(gp_Pln(gp::XOY()), WireOf(section.outline, true));
  for (const Boundary& hole : section.holes) face.Add(WireOf(hole, false));
  if (!face.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not make the section face");
  return face.Face();
}

// A face in the plane z = 0 extruded from z = `from` to z = `to`.
TopoDS_Shape Extruded(const TopoDS_Face& face, double from, double to) {
  const TopoDS_Shape prism = BRepPrimAPI_MakePrism(face, gp_Vec(0, 0, to - from)).Shape();
  if (from == 0) return prism;
  gp_Trsf shift;
  shift.SetTranslation(gp_Vec(0, 0, from));
  return BRepBuilderAPI_Transform(prism, shift, true).Shape();
}

gp_Pnt At(Vector3 p) { return gp_Pnt(p.x, p.y, p.z); }
gp_Dir DirectionOf(Vector3 v) { return gp_Dir(v.x, v.y, v.z); }

// What lies on the outer side of a cut plane within `reach` of its point, as a solid to cut away:
// a block standing on the plane. (The modeller's infinite half-spaces left some cuts undone.)
TopoDS_Shape OuterSide(const CutPlane& plane, double reach) {
  const gp_Pln onPlane(gp_Ax3(At(plane.point), DirectionOf(plane.normal)));
  const TopoDS_Face face = BRepBuilderAPI_MakeFace(onPlane, -reach, reach, -reach, reach).Face();
  const gp_Vec out(plane.normal.x * reach, plane.normal.y * reach, plane.normal.z * reach);
  return BRepPrimAPI_MakePrism(face, out).Shape();
}

// How far from a cut plane's point the stock reaches: the distance to its farthest corner.
double ReachOf(const CutPlane& plane, const Box2& box, double zMin, double zMax) {
  double reach = 0;
  for (const double x : {box.minX, box.maxX}) {
    for (const double y : {box.minY, box.maxY}) {
      for (const double z : {zMin, zMax}) {
        reach = std::max(reach, std::hypot(x - plane.point.x, y - plane.point.y, z - plane.point.z));
      }
    }
  }
  return 2 * reach + 1;
}

}  // namespace

TopoDS_Wire CopeWire(const CopeTool& tool) {
  TopoDS_Wire wire = WireOf(tool.outline, true);
  if (tool.gap > 0) {
    BRepOffsetAPI_MakeOffset offset(wire, GeomAbs_Arc);
    offset.Perform(tool.gap);
    if (!offset.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not grow the cope by its gap");
    TopExp_Explorer grown(offset.Shape(), TopAbs_WIRE);
    if (!grown.More()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not grow the cope by its gap");
    wire = TopoDS::Wire(grown.Current());
  }
  return wire;
}

namespace {

// The solid of the member a coped end is shaped around: its outline grown by the gap (arcs about
// convex corners, exactly), extruded along its length, where it stands in this body.
TopoDS_Shape CopeToolSolid(const CopeTool& tool) {
  BRepBuilderAPI_MakeFace face(gp_Pln(gp::XOY()), CopeWire(tool));
  if (!face.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not make the cope's face");
  return BRepBuilderAPI_Transform(Extruded(face.Face(), tool.zMin, tool.zMax), TransformOf(tool.frame), true).Shape();
}

TopoDS_Shape Cut(const TopoDS_Shape& from, const TopoDS_Shape& tool, const std::string& name) {
  BRepAlgoAPI_Cut cut(from, tool);
  if (!cut.IsDone()) RaiseSceneError(scene_error::kBadLoopLayout, "The modeller could not cut the end of \"" + name + "\"");
  return cut.Shape();
}

}  // namespace

// Of the pieces a cope leaves, the member's own: the largest. What lies beyond the other member
// or in the hollows of its section is an offcut.
TopoDS_Shape LargestSolid(const TopoDS_Shape& shape, const std::string& name) {
  TopoDS_Shape largest;
  double largestVolume = 0;
  for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
    GProp_GProps properties;
    BRepGProp::VolumeProperties(solid.Current(), properties);
    if (properties.Mass() > largestVolume) {
      largestVolume = properties.Mass();
      largest = solid.Current();
    }
  }
  if (largest.IsNull()) RaiseSceneError(scene_error::kBadLoopLayout, "Nothing is left of \"" + name + "\" after its cuts");
  return largest;
}

TopoDS_Shape PiecesAfterCuts(const Node& body) {
  const BodyCuts& cuts = *body.cuts;
  const CutExtent stock = PlanesExtent(*body.section, body.length, cuts);
  constexpr double kMarginMm = 1;
  const double zLo = stock.zMin - kMarginMm, zHi = stock.zMax + kMarginMm;
  TopoDS_Shape solid = Extruded(SectionFace(*body.section), zLo, zHi);
  for (const CutPlane& plane : {EndPlane(cuts.start, false, body.length), EndPlane(cuts.end, true, body.length)}) {
    solid = Cut(solid, OuterSide(plane, ReachOf(plane, body.section->box, zLo, zHi)), body.name);
  }
  for (const EndCut* end : {&cuts.start, &cuts.end}) {
    if (end->cope) solid = Cut(solid, CopeToolSolid(*end->cope), body.name);
  }
  return solid;
}

namespace {

// The body's solid in its own coordinates: the prism, and for a jointed member, the stock its
// end planes need cut on them, less what its copes take.
TopoDS_Shape LocalSolid(const Node& body) {
  if (!body.cuts) return Extruded(SectionFace(*body.section), 0, body.length);
  return LargestSolid(PiecesAfterCuts(body), body.name);
}

// A body without a section, or with a length or section beyond the modeller's range, never
// reaches the modeller.
void CheckBodyInRange(const Node& body) {
  if (!body.section) RaiseSceneError(scene_error::kNoSuchObject, "The body has no solid to export");
  const std::string what = "The body \"" + body.name + "\"";
  CheckInModellingRange(body.length, what);
  const Box2& box = body.section->box;
  for (const double v : {box.minX, box.minY, box.maxX, box.maxY}) CheckInModellingRange(v, what);
}

}  // namespace

void CheckPlacementInRange(const Node& body, const RigidTransform& placement) {
  const std::string what = "The body \"" + body.name + "\"";
  for (const double v : {placement.translation.x, placement.translation.y, placement.translation.z}) {
    CheckInModellingRange(v, what);
  }
  for (const double v : placement.rotation) CheckInModellingRange(v, what);
}

TopoDS_Shape LocalBodySolid(const Node& body) {
  CheckBodyInRange(body);
  const TopoDS_Shape solid = LocalSolid(body);
  if (!BRepCheck_Analyzer(solid).IsValid()) {
    RaiseSceneError(scene_error::kBadLoopLayout, "The modeller found the solid of \"" + body.name + "\" invalid");
  }
  return solid;
}

TopoDS_Shape BodySolid(const Node& body, const RigidTransform& placement) {
  CheckBodyInRange(body);
  CheckPlacementInRange(body, placement);
  return BRepBuilderAPI_Transform(LocalBodySolid(body), TransformOf(placement), true).Shape();
}

CutExtent MeasuredExtent(const Node& body) {
  CheckBodyInRange(body);
  const TopoDS_Shape solid = LocalSolid(body);
  GProp_GProps properties;
  BRepGProp::VolumeProperties(solid, properties);
  Bnd_Box box;
  BRepBndLib::AddOptimal(solid, box, false, false);
  double xMin = 0, yMin = 0, zMin = 0, xMax = 0, yMax = 0, zMax = 0;
  box.Get(xMin, yMin, zMin, xMax, yMax, zMax);
  return {properties.Mass(), zMin, zMax};
}

}  // namespace zembrati::scene
