#include "drop_hook.h"

#include <cmath>

#include "member_call.h"
#include "runtime/runtime_error.h"
#include "scene_error.h"
#include "scene_objects.h"
#include "section/section_properties.h"

namespace zembrati::scene {
namespace {

class HitElementObject : public AnsweringObject {
 public:
  HitElementObject(ContextPtr context, DropHit hit) : context_(std::move(context)), hit_(std::move(hit)) {}
  std::string ClassName() const override { return "HitElement"; }
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("PickPointX", 0)) return hit_.pickPoint.x;
    if (call.Gets("PickPointY", 0)) return hit_.pickPoint.y;
    if (call.Gets("PickPointZ", 0)) return hit_.pickPoint.z;
    if (call.Gets("part", 1)) return hit_.part ? WrapNode(context_, hit_.part) : Variant::Nothing();
    RaiseUnknownMember(call, ClassName());
  }

 private:
  ContextPtr context_;
  DropHit hit_;
};

class DropHookObject : public AnsweringObject {
 public:
  DropHookObject(ContextPtr context, DropHit hit) : context_(std::move(context)), hit_(std::move(hit)) {}
  std::string ClassName() const override { return "DropHook"; }
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("Page", 0)) return MakePage(context_);
    if (call.Gets("ShapePath", 0)) return MakeShapePath(context_, Path());
    if (call.Gets("HitElementType", 0)) return std::int32_t{hit_.elementType};
    if (call.Gets("HitElement", 0)) return ObjectRef(std::make_shared<HitElementObject>(context_, hit_));
    if (call.Gets("HitPointX", 1)) return hit_.point.x;
    if (call.Gets("HitPointY", 1)) return hit_.point.y;
    if (call.Gets("HitPointZ", 1)) return hit_.point.z;
    if (call.Gets("HitNormalX", 1)) return hit_.normal.x;
    if (call.Gets("HitNormalY", 1)) return hit_.normal.y;
    if (call.Gets("HitNormalZ", 1)) return hit_.normal.z;
    RaiseUnknownMember(call, ClassName());
  }

 private:
  // From the scene root down to the hit part.
  std::vector<NodePtr> Path() const {
    std::vector<NodePtr> path;
    for (NodePtr shape = hit_.part; shape; shape = shape->OwningShape()) {
      path.insert(path.begin(), shape);
    }
    if (path.empty()) path.push_back(context_->document.root);
    return path;
  }

  ContextPtr context_;
  DropHit hit_;
};

// The part's first body, rebuilt when it has no solid yet.
const Node& SolidBody(const NodePtr& part) {
  const NodePtr body = FirstBody(*part);
  if (!body) {
    RaiseSceneError(scene_error::kNoSuchObject, "The part \"" + part->name + "\" has no body to drop onto");
  }
  if (!body->section) RebuildBody(*body);
  return *body;
}

}  // namespace

DropHit DropOnEmptySpace(Vector3 point) { return DropHit{point, nullptr, 0, point, {0, 0, 1}}; }

std::vector<std::string> FaceNames(const NodePtr& part) {
  std::vector<std::string> names{"start", "end"};
  const std::size_t sides = SolidBody(part).section->outline.elements.size();
  for (std::size_t i = 1; i <= sides; ++i) names.push_back("side " + std::to_string(i));
  return names;
}

DropHit DropOnFace(const NodePtr& part, const std::string& face) {
  const Node& body = SolidBody(part);
  const Section& section = *body.section;
  DropHit hit;
  hit.part = part;
  hit.elementType = 2;
  if (face == "end" || face == "start") {
    const bool atEnd = face == "end";
    hit.pickPoint = {section.centroid.x, section.centroid.y, atEnd ? body.length : 0};
    hit.normal = {0, 0, atEnd ? 1.0 : -1.0};
  } else if (face.rfind("side ", 0) == 0) {
    const auto& elements = section.outline.elements;
    const int index = std::atoi(face.c_str() + 5);
    if (index < 1 || static_cast<std::size_t>(index) > elements.size()) {
      RaiseSceneError(scene_error::kNoSuchObject,
                      "The part has " + std::to_string(elements.size()) + " side faces; there is no " + face);
    }
    const BoundaryElement& e = elements[static_cast<std::size_t>(index - 1)];
    Point2 middle{(e.from.x + e.to.x) / 2, (e.from.y + e.to.y) / 2};
    Point2 direction{e.to.x - e.from.x, e.to.y - e.from.y};
    if (e.kind == BoundaryElement::Kind::Arc) {
      const double t = std::atan2(e.from.y - e.centre.y, e.from.x - e.centre.x) + e.sweep / 2;
      middle = {e.centre.x + e.radius * std::cos(t), e.centre.y + e.radius * std::sin(t)};
      direction = {-std::sin(t) * e.sweep, std::cos(t) * e.sweep};
    }
    // Material lies left of a counter-clockwise outline; the face looks the other way.
    const double orientation = MomentsOf(section.outline).area > 0 ? 1.0 : -1.0;
    const Vector3 outward = Normalized({direction.y * orientation, -direction.x * orientation, 0});
    hit.pickPoint = {middle.x, middle.y, body.length / 2};
    hit.normal = outward;
  } else {
    RaiseSceneError(scene_error::kNoSuchObject,
                    "Unknown face \"" + face + "\"; use start, end or side N");
  }
  hit.point = part->placement.Map(hit.pickPoint);
  return hit;
}

automation::ObjectRef MakeDropHook(const ContextPtr& context, const DropHit& hit) {
  return std::make_shared<DropHookObject>(context, hit);
}

}  // namespace zembrati::scene
