#pragma once

#include <TopoDS_Shape.hxx>

#include "document.h"

// The solid modeller's view of a body, for the exporters inside this library.
namespace zembrati::scene {

// The modeller prints banners on its messenger; the programs speak for themselves.
void SilenceModeller();

// The body's solid: its exact section (lines and arcs, holes) as a face, extruded along z to its
// length, then placed. Raises a host error for a body without a section, a coordinate outside
// the range the modeller works in, or a solid the modeller finds invalid.
// A jointed member's body is cut on its end planes and shaped by its copes.
TopoDS_Shape BodySolid(const Node& body, const RigidTransform& placement);

// The volume of a body's solid after its cuts, and the lowest and highest z it reaches in the
// body's coordinates, measured on the modeller's solid.
CutExtent MeasuredExtent(const Node& body);

}  // namespace zembrati::scene
