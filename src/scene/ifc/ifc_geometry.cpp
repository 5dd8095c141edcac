#include "ifc/ifc_geometry.h"

#include <cmath>
#include <numbers>

#include "export/mesh.h"
#include "runtime/runtime_error.h"
#include "scene_error.h"
#include "step/cope_exchange.h"
#include "step/cut_solids.h"

namespace zembrati::ifc {
namespace {

using scene::Boundary;
using scene::BoundaryElement;
using scene::Point2;
using scene::Vector3;

std::string Coordinates(Vector3 p) { return Point(p.x, p.y, p.z); }

// A direction written as IFC reads it; a component within rounding of zero is zero.
Vector3 Tidy(Vector3 v) {
  const auto tidy = [](double c) { return std::fabs(c) < 1e-12 ? 0.0 : c; };
  return {tidy(v.x), tidy(v.y), tidy(v.z)};
}

Point2 OnArc(const BoundaryElement& arc, double turn) {
  const double start = std::atan2(arc.from.y - arc.centre.y, arc.from.x - arc.centre.x);
  return {arc.centre.x + arc.radius * std::cos(start + turn), arc.centre.y + arc.radius * std::sin(start + turn)};
}

bool IsFullCircle(const BoundaryElement& e) {
  return e.kind == BoundaryElement::Kind::Arc && std::fabs(std::fabs(e.sweep) - 2 * std::numbers::pi) < 1e-9;
}

bool IsSquare(const scene::CutPlane& plane) { return std::fabs(plane.normal.x) < 1e-12 && std::fabs(plane.normal.y) < 1e-12; }

}  // namespace

IfcGeometry::IfcGeometry(SpfWriter& writer) : w_(writer) { zUp_ = Direction({0, 0, 1}); }

EntityId IfcGeometry::Point(Vector3 p) {
  const auto key = std::make_tuple(p.x + 0.0, p.y + 0.0, p.z + 0.0);
  if (const auto found = points_.find(key); found != points_.end()) return found->second;
  return points_[key] = w_.Add("IFCCARTESIANPOINT", Coordinates(p));
}

EntityId IfcGeometry::Direction(Vector3 d) {
  d = Tidy(d);
  const auto key = std::make_tuple(d.x, d.y, d.z);
  if (const auto found = directions_.find(key); found != directions_.end()) return found->second;
  return directions_[key] = w_.Add("IFCDIRECTION", Coordinates(d));
}

EntityId IfcGeometry::Placement(Vector3 location, Vector3 axis, Vector3 refDirection) {
  axis = Tidy(axis);
  refDirection = Tidy(refDirection);
  const bool defaultAxes = axis == Vector3{0, 0, 1} && refDirection == Vector3{1, 0, 0};
  const std::string attributes = Ref(Point(location)) + "," + (defaultAxes ? "$,$" : Ref(Direction(axis)) + "," + Ref(Direction(refDirection)));
  if (const auto found = placements_.find(attributes); found != placements_.end()) return found->second;
  return placements_[attributes] = w_.Add("IFCAXIS2PLACEMENT3D", attributes);
}

EntityId IfcGeometry::Placement2D(double x, double y) {
  return w_.Add("IFCAXIS2PLACEMENT2D", Ref(w_.Add("IFCCARTESIANPOINT", ifc::Point(x, y))) + ",$");
}

EntityId IfcGeometry::Placement(const scene::RigidTransform& transform) {
  return Placement(transform.translation, transform.Rotate({0, 0, 1}), transform.Rotate({1, 0, 0}));
}

EntityId IfcGeometry::Parametric(const ProfileDefinition& profile, const std::string& name) {
  std::string attributes = ".AREA.," + OptionalString(name) + ",$";
  for (const std::string& value : profile.attributes) attributes += "," + value;
  return w_.Add(profile.entity, attributes);
}

// A closed boundary as an indexed poly curve: its points once each, lines by two indices and
// arcs by three (start, a point between, end); a full circle as two half circles.
EntityId IfcGeometry::Curve(const Boundary& boundary) {
  std::vector<Point2> points;
  std::string segments;
  const auto index = [&](Point2 p) {
    points.push_back(p);
    return points.size();
  };
  const auto segment = [&](const std::string& entity, const std::vector<std::size_t>& at) {
    std::string list;
    for (const std::size_t i : at) list += (list.empty() ? "" : ",") + std::to_string(i);
    segments += (segments.empty() ? "" : ",") + entity + "((" + list + "))";
  };
  if (boundary.elements.empty()) scene::RaiseSceneError(scene::scene_error::kBadLoopLayout, "An outline without edges");
  const std::size_t first = index(boundary.elements.front().from);
  std::size_t at = first;
  for (std::size_t i = 0; i < boundary.elements.size(); ++i) {
    const BoundaryElement& e = boundary.elements[i];
    const bool last = i + 1 == boundary.elements.size();
    if (IsFullCircle(e)) {
      const double half = e.sweep / 2;
      const std::size_t quarter = index(OnArc(e, half / 2)), opposite = index(OnArc(e, half));
      const std::size_t threeQuarters = index(OnArc(e, 1.5 * half));
      segment("IFCARCINDEX", {at, quarter, opposite});
      segment("IFCARCINDEX", {opposite, threeQuarters, last ? first : index(e.to)});
      at = last ? first : points.size();
      continue;
    }
    const std::size_t end = last ? first : index(e.to);
    if (e.kind == BoundaryElement::Kind::Arc) {
      // The point between is added after the end; the indices say the order.
      segment("IFCARCINDEX", {at, index(OnArc(e, e.sweep / 2)), end});
    } else {
      segment("IFCLINEINDEX", {at, end});
    }
    at = end;
  }
  std::string list;
  for (const Point2& p : points) list += (list.empty() ? "" : ",") + ifc::Point(p.x, p.y);
  const EntityId pointList = w_.Add("IFCCARTESIANPOINTLIST2D", "(" + list + ")");
  return w_.Add("IFCINDEXEDPOLYCURVE", Ref(pointList) + ",(" + segments + "),.F.");
}

EntityId IfcGeometry::Outline(const std::vector<const Boundary*>& loops, const std::string& name) {
  const EntityId outer = Curve(*loops.front());
  if (loops.size() == 1) return w_.Add("IFCARBITRARYCLOSEDPROFILEDEF", ".AREA.," + OptionalString(name) + "," + Ref(outer));
  std::vector<EntityId> inner;
  for (std::size_t i = 1; i < loops.size(); ++i) inner.push_back(Curve(*loops[i]));
  return w_.Add("IFCARBITRARYPROFILEDEFWITHVOIDS", ".AREA.," + OptionalString(name) + "," + Ref(outer) + "," + Refs(inner));
}

EntityId IfcGeometry::Extrusion(EntityId profile, EntityId position, double depth) {
  return w_.Add("IFCEXTRUDEDAREASOLID", Ref(profile) + "," + Ref(position) + "," + Ref(zUp_) + "," + Length(depth));
}

EntityId IfcGeometry::Extrusion(const PlacedProfile& profile, const scene::RigidTransform& frame, double from, double to) {
  const Vector3 x = profile.halfTurn ? Vector3{-1, 0, 0} : Vector3{1, 0, 0};
  const EntityId position = Placement(frame.Map({profile.centre.x, profile.centre.y, from}), frame.Rotate({0, 0, 1}), frame.Rotate(x));
  return Extrusion(profile.profile, position, to - from);
}

// What lies on the outer side of the plane (its normal points out of the material kept) is
// taken away: the half space on the side the normal points to, which IFC's agreement flag
// .F. selects.
EntityId IfcGeometry::Clipped(EntityId solid, const scene::CutPlane& plane) {
  const Vector3 n = scene::Normalized(plane.normal);
  const Vector3 across = std::fabs(n.z) < 0.9 ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
  // Any x axis in the plane: the component of `across` along the plane.
  const double along = across.x * n.x + across.y * n.y + across.z * n.z;
  const Vector3 x = scene::Normalized({across.x - along * n.x, across.y - along * n.y, across.z - along * n.z});
  const EntityId surface = w_.Add("IFCPLANE", Ref(Placement(plane.point, n, x)));
  const EntityId halfSpace = w_.Add("IFCHALFSPACESOLID", Ref(surface) + ",.F.");
  return w_.Add("IFCBOOLEANCLIPPINGRESULT", ".DIFFERENCE.," + Ref(solid) + "," + Ref(halfSpace));
}

EntityId IfcGeometry::FacetedSolid(const scene::Node& body) {
  const scene::Mesh mesh = scene::ExportMesh(body, {});
  std::vector<EntityId> faces;
  for (const auto& triangle : mesh.triangles) {
    std::string corners;
    for (const Vector3& corner : triangle) corners += (corners.empty() ? "" : ",") + Ref(Point(corner));
    const EntityId loop = w_.Add("IFCPOLYLOOP", "(" + corners + ")");
    const EntityId bound = w_.Add("IFCFACEOUTERBOUND", Ref(loop) + ",.T.");
    faces.push_back(w_.Add("IFCFACE", "(" + Ref(bound) + ")"));
  }
  const EntityId shell = w_.Add("IFCCLOSEDSHELL", Refs(faces));
  return w_.Add("IFCFACETEDBREP", Ref(shell));
}

IfcGeometry::Solid IfcGeometry::BodySolid(const scene::Node& body, const PlacedProfile& profile, const CopeProfiles& copeProfiles) {
  if (!body.cuts) return {Extrusion(profile, {}, 0, body.length), "SweptSolid", ""};
  const scene::BodyCuts& cuts = *body.cuts;
  // The stock reaches past each slanted end plane (by a millimetre, so that no face of the
  // extrusion lies in a cut plane); a square end is the extrusion's own end.
  const scene::CutExtent stock = scene::PlanesExtent(*body.section, body.length, cuts);
  constexpr double kMarginMm = 1;
  const scene::CutPlane startPlane = scene::EndPlane(cuts.start, false, body.length);
  const scene::CutPlane endPlane = scene::EndPlane(cuts.end, true, body.length);
  const bool clipStart = !IsSquare(startPlane), clipEnd = !IsSquare(endPlane);
  const double zLo = clipStart ? stock.zMin - kMarginMm : startPlane.ZAt(0, 0);
  const double zHi = clipEnd ? stock.zMax + kMarginMm : endPlane.ZAt(0, 0);
  EntityId solid = Extrusion(profile, {}, zLo, zHi);
  if (clipStart) solid = Clipped(solid, startPlane);
  if (clipEnd) solid = Clipped(solid, endPlane);
  if (!cuts.HasCope()) return {solid, clipStart || clipEnd ? "Clipping" : "SweptSolid", ""};
  std::vector<scene::Box3> offcuts;
  try {
    offcuts = scene::CopeOffcutBoxes(body);
  } catch (const runtime::RuntimeError& error) {
    return {FacetedSolid(body), "Brep", "\"" + body.name + "\": " + error.description() + "; its solid is written as facets"};
  }
  for (const scene::EndCut* end : {&cuts.start, &cuts.end}) {
    if (!end->cope) continue;
    const scene::CopeTool& tool = *end->cope;
    std::optional<PlacedProfile> toolProfile = copeProfiles(*end);
    if (!toolProfile) {
      const scene::Boundary grown = scene::GrownCopeOutline(tool);
      toolProfile = PlacedProfile{Outline({&grown}, ""), {0, 0}, false};
    }
    const EntityId toolSolid = Extrusion(*toolProfile, tool.frame, tool.zMin, tool.zMax);
    solid = w_.Add("IFCBOOLEANRESULT", ".DIFFERENCE.," + Ref(solid) + "," + Ref(toolSolid));
  }
  for (const scene::Box3& box : offcuts) {
    // A box as a rectangle (centred on its position, as every reader takes it) extruded from the
    // box's bottom to its top.
    const EntityId rectangle = w_.Add("IFCRECTANGLEPROFILEDEF", ".AREA.,$," + Ref(Placement2D((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2)) +
                                                                   "," + Length(box.max.x - box.min.x) + "," + Length(box.max.y - box.min.y));
    const EntityId block = Extrusion(rectangle, Placement(Vector3{0, 0, box.min.z}), box.max.z - box.min.z);
    solid = w_.Add("IFCBOOLEANRESULT", ".DIFFERENCE.," + Ref(solid) + "," + Ref(block));
  }
  return {solid, "CSG", ""};
}

EntityId IfcGeometry::Axis(double length) {
  return w_.Add("IFCPOLYLINE", "(" + Ref(Point({0, 0, 0})) + "," + Ref(Point({0, 0, length})) + ")");
}

}  // namespace zembrati::ifc
