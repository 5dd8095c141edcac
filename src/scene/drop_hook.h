#pragma once

#include <optional>
#include <string>
#include <vector>

#include "automation/object.h"
#include "scene_context.h"

namespace zembrati::scene {

// Where a simulated drop landed: on empty space at a point, or on a face of a part. Points of a
// face hit are given in the hit part's own coordinates (its pick point and normal), as the host
// reports them; the hit point is in scene coordinates.
struct DropHit {
  Vector3 point;                // the hit point in the scene
  NodePtr part;                 // the part that was hit, or null for empty space
  int elementType = 0;          // 2 for a face
  Vector3 pickPoint;            // on the face, in the part's coordinates
  Vector3 normal{0, 0, 1};      // of the face, in the part's coordinates
};

// A drop onto empty space at `point`.
DropHit DropOnEmptySpace(Vector3 point);

// A drop onto a face of a part's first body: "start" (the end at z = 0), "end" (z = length) or
// "side N" (the face along the N-th element of the outline, from 1). The pick point is the centre
// of the face. Raises a host error when the part has no body or no such face.
DropHit DropOnFace(const NodePtr& part, const std::string& face);

// The faces of a part's first body a drop can land on: "start", "end" and "side 1" to "side N",
// one side for each element (line or arc) of the section's outline in drawing order. Raises a
// host error when the part has no body with a solid.
std::vector<std::string> FaceNames(const NodePtr& part);

// The host's drag-and-drop hook object for a drop: Page, ShapePath, HitElementType,
// HitPointX/Y/Z, HitNormalX/Y/Z and HitElement (PickPointX/Y/Z, part).
automation::ObjectRef MakeDropHook(const ContextPtr& context, const DropHit& hit);

}  // namespace zembrati::scene
