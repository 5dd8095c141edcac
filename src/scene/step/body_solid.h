#pragma once

#include <TopoDS_Shape.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Trsf.hxx>

#include <string>

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
// The same solid in the body's own coordinates, for a file that places it where each part stands;
// the placements are checked apart (CheckPlacementInRange).
TopoDS_Shape LocalBodySolid(const Node& body);
void CheckPlacementInRange(const Node& body, const RigidTransform& placement);
// The modeller's transform for a placement.
gp_Trsf TransformOf(const RigidTransform& placement);

// The volume of a body's solid after its cuts, and the lowest and highest z it reaches in the
// body's coordinates, measured on the modeller's solid.
CutExtent MeasuredExtent(const Node& body);

// The wire a cope is shaped around: the other member's outline grown by the gap.
TopoDS_Wire CopeWire(const CopeTool& tool);
// A jointed body's stock cut by its end planes and copes, every piece the cuts leave kept.
TopoDS_Shape PiecesAfterCuts(const Node& body);
// Of a shape's solids, the largest; raises a host error naming `name` when there is none.
TopoDS_Shape LargestSolid(const TopoDS_Shape& shape, const std::string& name);

}  // namespace zembrati::scene
