#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "document.h"
#include "ifc/ifc_profile.h"
#include "ifc/spf_writer.h"

// The geometric entities of an IFC file: points, directions and placements (shared where they
// repeat), profiles, and the solids of bodies with their end cuts.
namespace zembrati::ifc {

// A profile entity and how it stands in a section's own coordinates (see ProfileDefinition).
struct PlacedProfile {
  EntityId profile = 0;
  scene::Point2 centre;
  bool halfTurn = false;
};

// The profile a coped end's tool is extruded from where the file has one for it (the other
// member's own, filled), or none: the tool's exact outline is then written.
using CopeProfiles = std::function<std::optional<PlacedProfile>(const scene::EndCut&)>;

class IfcGeometry {
 public:
  explicit IfcGeometry(SpfWriter& writer);

  EntityId Point(scene::Vector3 p);
  EntityId Direction(scene::Vector3 d);
  // A placement with its z axis along `axis` and its x axis along `refDirection`; the default
  // axes are left unwritten, as IFC takes them.
  EntityId Placement(scene::Vector3 location, scene::Vector3 axis = {0, 0, 1}, scene::Vector3 refDirection = {1, 0, 0});
  EntityId Placement(const scene::RigidTransform& transform);
  EntityId Placement2D(double x, double y);

  // A profile entity: parametric, or the exact outline of the section's loops.
  EntityId Parametric(const ProfileDefinition& profile, const std::string& name);
  EntityId Outline(const std::vector<const scene::Boundary*>& loops, const std::string& name);

  // The body's solid in its own coordinates, from its profile: the extrusion, clipped by the end
  // planes, less what its copes take. The representation type it makes ("SweptSolid",
  // "Clipping", "CSG" or "Brep"). A coped end whose offcuts the modeller cannot box is written
  // as the modeller's facets (`note` says so).
  struct Solid {
    EntityId item = 0;
    std::string representationType;
    std::string note;
  };
  Solid BodySolid(const scene::Node& body, const PlacedProfile& profile, const CopeProfiles& copeProfiles);

  // The member's axis from its start to its end, in its own coordinates.
  EntityId Axis(double length);

 private:
  EntityId Curve(const scene::Boundary& boundary);
  EntityId Extrusion(EntityId profile, EntityId position, double depth);
  // The extrusion of a placed profile from z = `from` to `to` of the frame `frame`.
  EntityId Extrusion(const PlacedProfile& profile, const scene::RigidTransform& frame, double from, double to);
  EntityId Clipped(EntityId solid, const scene::CutPlane& plane);
  EntityId FacetedSolid(const scene::Node& body);

  SpfWriter& w_;
  std::map<std::tuple<double, double, double>, EntityId> points_, directions_;
  std::map<std::string, EntityId> placements_;
  EntityId zUp_ = 0;
};

}  // namespace zembrati::ifc
