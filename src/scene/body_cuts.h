#pragma once

#include <memory>
#include <optional>
#include <string>

#include "rigid_transform.h"
#include "section/section.h"

namespace zembrati::scene {

struct Node;

// A plane that cuts an end of a body: a point on it and its unit normal pointing out of the
// material that is kept, both in the body's own coordinates (the section in x and y, the
// extrusion along z from 0 to the body's length).
struct CutPlane {
  Vector3 point;
  Vector3 normal;
  // The z at which the plane passes the section point (x, y): the plane is never parallel to the
  // axis (a cut within 89.9° of square).
  double ZAt(double x, double y) const {
    return point.z - (normal.x * (x - point.x) + normal.y * (y - point.y)) / normal.z;
  }
};

// The solid of another member that a coped end is shaped around: the outer boundary of its
// section (holes filled: a tube is coped to its skin, not into its bore) grown by `gap`,
// extruded from `zMin` to `zMax` along its own z axis, standing where `frame` (the other body's
// coordinates into this body's) puts it. The end keeps what lies outside it, and of the pieces
// that leaves, the one the rest of the member belongs to.
struct CopeTool {
  Boundary outline;
  double gap = 0;
  RigidTransform frame;
  double zMin = 0, zMax = 0;
};

// What a joint says of the end it made, for the reports: its kind, the member at the other side
// and the gap.
struct EndJoint {
  std::string kind;
  std::weak_ptr<const Node> other;
  double gap = 0;
};

// How one end of a body is cut. Without a plane the end is square at its axis point (z = 0 at
// the start, the length at the end). A coped end is cut square beyond the other member and then
// shaped around it; `facePlane` is then the plane of the other member's face where the axis meets
// it, which the angles of the end are given on (the angle of the intersection, as a shop sets it
// out). `bend` is the unit normal of the plane of the joint's bend (the plane of both members'
// axes), in the body's coordinates; zero where the axes are parallel or the end has no joint.
struct EndCut {
  std::optional<CutPlane> plane;
  std::optional<CopeTool> cope;
  std::optional<CutPlane> facePlane;
  std::optional<EndJoint> joint;
  Vector3 bend;
};

// The end cuts of a body, as its joints were last solved.
struct BodyCuts {
  EndCut start, end;
  bool HasCope() const { return start.cope || end.cope; }
};

// What the cuts leave of a body cut only by planes, exactly: the volume (the area times the
// distance between the planes at the centroid, the planes being linear over the section) and the
// lowest and highest z any point of it reaches (tip to tip along the axis). For a body without
// cuts, its prism. None for a coped body, whose shape only the solid modeller knows.
struct CutExtent {
  double volume = 0;
  double zMin = 0, zMax = 0;
};
std::optional<CutExtent> PlaneCutExtent(const Section& section, double length, const BodyCuts* cuts);
// The same for the end planes alone, copes left out: the stock a coped body is shaped from.
CutExtent PlanesExtent(const Section& section, double length, const BodyCuts& cuts);

// The shortest distance along z between the planes of the two ends over the section (coped ends
// by their square cut): where it is not positive the cuts cross inside the member, and nothing of
// it is left there.
double ShortestFibre(const Section& section, double length, const BodyCuts& cuts);

// The plane an end of a body is cut on: its own, or the square end of the extrusion.
CutPlane EndPlane(const EndCut& cut, bool atEnd, double length);

// The angles in degrees by which an end's cut leans from square, seen in two planes along the
// axis: for a section with a web and flanges (or sides), the web's plane (y, z) and the flanges'
// plane (x, z), positive where the end reaches farther out on the +y (+x) side; for a round one
// (a tube, a round bar), which may be turned any way, the plane of the joint's bend and the plane
// across it, as sizes.
struct EndAngles {
  double web = 0, flange = 0;
};
EndAngles AnglesOf(const Section& section, const EndCut& cut);

// Whether a section is round (its outline one full circle): a tube or a round bar, which has no
// web and no flange to measure an angle in.
bool IsRound(const Section& section);

}  // namespace zembrati::scene
