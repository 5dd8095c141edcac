#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "automation/variant.h"
#include "body_cuts.h"
#include "flat_map.h"
#include "joint_record.h"
#include "rigid_transform.h"
#include "section/loop_sketch.h"
#include "section/section.h"

namespace zembrati::scene {

// Everything in the built-in host's document is a node of one tree, in one of four roles:
// shapes (the scene root, parts, bodies), the components that shapes carry by kind (with their
// variables and the shapes they hold), a body's profile, and the profile's loops.
enum class NodeRole { Shape, Component, Profile, Loop };

struct Node;
using NodePtr = std::shared_ptr<Node>;

// The kinds the built-in host gives a meaning to.
namespace kind {
inline constexpr std::int32_t kRootShape = 0;
inline constexpr std::int32_t kPartShape = 3;         // Shapes(3) of the root's kind-2 component
inline constexpr std::int32_t kBodyShape = 5;         // Shapes(5) of a part's kind-23 component
inline constexpr std::int32_t kPartHolder = 2;        // root component holding the parts
inline constexpr std::int32_t kBodyHolder = 23;       // part component holding the bodies
inline constexpr std::int32_t kExtrusion = 1;         // body component: variable 3 is the length
inline constexpr std::int32_t kProfileHolder = 15;    // body component carrying the profile
inline constexpr std::int32_t kLoop = 3;              // profile components: the loops
inline constexpr std::int32_t kLengthVariable = 3;
}  // namespace kind

// A shape's bounding box in its own coordinates, as fitted by ResetSizeBox.
struct SizeBox {
  Vector3 min, max;
};

struct Node {
  NodeRole role = NodeRole::Shape;
  std::int32_t kind = 0;
  std::string name;
  RigidTransform placement;  // shapes: where they stand in their parent shape
  // Parts: the identity the host gives a part once something refers to it (a joint), which
  // renaming, edits and saving keep; 0 for none yet.
  std::uint64_t id = 0;

  std::map<std::int32_t, std::vector<NodePtr>> components;  // shapes and profiles, by kind
  std::vector<NodePtr> shapes;                              // components: the shapes they hold
  FlatMap<std::int32_t, automation::Variant> variables;    // Variable(index)
  FlatMap<std::pair<std::int32_t, std::int16_t>, automation::Variant> keyedVariables;
  NodePtr profile;                                          // kind-15 components
  // Loops: the loop as drawn (none before the first call). Held apart, as the size box is, so
  // that the many nodes that are not loops or bodies stay small; loops read from a file share one
  // copy of a sketch drawn alike, and drawing on a shared one first makes it the loop's own.
  std::shared_ptr<LoopSketch> sketch;
  FlatMap<std::string, automation::ObjectRef> dataObjects;  // shapes: on their tree item

  std::weak_ptr<Node> owner;  // the node that holds this one

  // Bodies: the section and length of the last rebuild, and the fitted size box. Bodies drawn
  // with the same loops share one section and one copy of the loops (a frame of a thousand
  // HEA 200 holds one HEA 200 section).
  std::shared_ptr<const Section> section;
  double length = 0;
  std::shared_ptr<const std::vector<LoopSketch>> builtFrom;  // the loops the section was built from
  std::unique_ptr<SizeBox> sizeBox;
  // Bodies of jointed members: their end cuts as the joints were last solved (not saved: the
  // joints are, and their cuts are solved from them).
  std::shared_ptr<const BodyCuts> cuts;

  // The shape that holds this node (a shape's parent shape; a component's shape).
  NodePtr OwningShape() const;
  // The shapes held in this shape's components, in kind order: its children in the scene tree.
  std::vector<NodePtr> ChildShapes() const;
  // Calls `visit` with each of those, in that order, without copying the list (a scene of
  // thousands of parts walks its tree at every update).
  template <typename Visit>
  void ForEachChildShape(Visit&& visit) const {
    for (const auto& [componentKind, list] : components) {
      for (const NodePtr& component : list) {
        for (const NodePtr& shape : component->shapes) visit(shape);
      }
    }
  }
  // The first component of a kind, or null.
  NodePtr FirstComponent(std::int32_t componentKind) const;
};

// A loop node's sketch; an empty one for a loop not drawn yet.
const LoopSketch& SketchOf(const Node& loop);
// The loop's sketch to draw on: its own, copied first when other loops share it.
LoopSketch& SketchToDraw(Node& loop);
// A sketch as loops read from a file hold it: one copy for all sketches drawn alike.
std::shared_ptr<LoopSketch> SharedSketch(LoopSketch sketch);

// The first body (shape of kind 5) among a part's child shapes, or null.
NodePtr FirstBody(const Node& part);

// Makes a node with the components the host gives a new node of its role and kind: the root
// holds parts in a kind-2 component, a part holds bodies in a kind-23 component, a body carries
// the components 1, 4, 5, 14 and 15 (with the profile), a profile a kind-4 component.
NodePtr MakeNode(NodeRole role, std::int32_t kind, const NodePtr& owner);
// Adds a component of `componentKind` to `node` (a loop when `node` is a profile and the kind 3).
NodePtr AddComponent(const NodePtr& node, std::int32_t componentKind);
// Adds a shape of `shapeKind` to a component.
NodePtr AddShape(const NodePtr& component, std::int32_t shapeKind);

// Length units of a page; UnitsEx(2) answers the unit's number.
enum class LengthUnit : std::int32_t { Millimetre = 0, Centimetre = 1, Metre = 2, Inch = 3, Foot = 4 };
std::optional<LengthUnit> LengthUnitFromName(const std::string& name);
std::string LengthUnitName(LengthUnit unit);

struct Document {
  LengthUnit unit = LengthUnit::Millimetre;
  NodePtr root = MakeNode(NodeRole::Shape, kind::kRootShape, nullptr);

  // Bodies changed through the host's objects since the page was last updated: a page update
  // rebuilds these rather than comparing every body of a scene of thousands.
  std::vector<std::weak_ptr<Node>> changedBodies;

  // The joints between parts, in the order they were made.
  std::vector<JointRecord> joints;

  // The highest identity given or found so far: a scene of thousands of parts, each given one
  // as it is made, looks for the highest among them once, not at every part.
  std::uint64_t highestIdentity = 0;
  bool identitiesKnown = false;

  // The parts: the shapes under the root, in scene order.
  std::vector<NodePtr> Parts() const { return root->ChildShapes(); }
  // The part's identity, given it now (NextIdentity) if it has none.
  std::uint64_t IdentityOf(const NodePtr& part);
  // One above every identity the parts have now.
  std::uint64_t NextIdentity() const;
  // Looks for the highest identity the parts have, once: before parts are taken out of the tree
  // for a while (PartsSetAside), so that none of theirs is given again meanwhile.
  void RememberIdentities();
  // The part with that identity, or null (a part removed from the scene).
  NodePtr PartWithIdentity(std::uint64_t id) const;
  // Every body of the document, in scene order.
  std::vector<NodePtr> Bodies() const;
};

// Notes that `node` (a body or anything a body holds: its components, profile, loops) has
// changed, so that the next page update rebuilds its body. Anything outside a body is ignored.
void NoteChange(Document& document, const NodePtr& node);

// Rebuilds a body from its profile and length: the exact section, the volume it encloses. Raises
// a host error for a profile that makes no sound section or a length that is not a positive
// finite number; the body then has no solid until it is rebuilt. A body whose loops have not
// changed since its last rebuild keeps its section.
void RebuildBody(Node& body);
// Rebuilds every body under `shape` (the shape itself included).
void RebuildBodies(const NodePtr& shape);
// Rebuilds the bodies noted as changed, in the order they changed. A body that fails stays
// noted with those after it, so every later page update raises its error again until it is
// mended, as a full rebuild would.
void RebuildChangedBodies(Document& document);

}  // namespace zembrati::scene
