#include "host_class_objects.h"

#include <array>
#include <cmath>

#include "automation/object.h"
#include "data_objects.h"
#include "host/host_classes.h"
#include "member_call.h"
#include "runtime/runtime_error.h"
#include "scene_error.h"
#include "scene_objects.h"

namespace zembrati::scene {
namespace {

class HostClassObject : public AnsweringObject {
 public:
  HostClassObject(ContextPtr context, std::string className)
      : context_(std::move(context)), className_(std::move(className)) {}
  std::string ClassName() const override { return className_; }

 protected:
  ContextPtr context_;
  std::string className_;
};

// P1..P3 position, P4..P7 rotation quaternion (w, x, y, z) of the target in its parent.
class PlacementObject : public HostClassObject {
 public:
  explicit PlacementObject(ContextPtr context) : HostClassObject(std::move(context), "Placement") {}

 protected:
  Variant Answer(const MemberCall& call) override {
    for (std::size_t i = 0; i < values_.size(); ++i) {
      const std::string name = "P" + std::to_string(i + 1);
      if (call.Gets(name, 0)) return values_[i];
      if (call.Puts(name, 0)) {
        values_[i] = call.PutValue().ToDouble();
        return {};
      }
    }
    if (call.Gets("SetTarget", 1)) {
      target_ = NodeOf(call.args[0].ToObject());
    } else if (call.Gets("Apply", 0)) {
      if (!target_) RaiseSceneError(scene_error::kBadArgument, "The placement has no target shape");
      for (const double value : values_) {
        if (!std::isfinite(value)) {
          RaiseSceneError(scene_error::kNonFinite, "A placement value is not a finite number; the shape stays where it was");
        }
      }
      target_->placement = RigidTransform::FromPlacement(values_);
    } else if (call.Gets("Capture", 1)) {
      values_ = NodeOf(call.args[0].ToObject())->placement.ToPlacement();
    } else {
      RaiseUnknownMember(call, ClassName());
    }
    return {};
  }

 private:
  std::array<double, 7> values_{};
  NodePtr target_;
};

class ShapeService : public HostClassObject {
 public:
  explicit ShapeService(ContextPtr context) : HostClassObject(std::move(context), "ShapeService") {}

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("GetParent", 1)) {
      const NodePtr parent = NodeOf(call.args[0].ToObject())->OwningShape();
      return parent ? WrapNode(context_, parent) : Variant::Nothing();
    }
    if (call.Gets("Remove", 1)) {
      Remove(NodeOf(call.args[0].ToObject()));
      return {};
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  static void Remove(const NodePtr& shape) {
    const NodePtr component = shape->owner.lock();
    if (!component || shape->role != NodeRole::Shape) {
      RaiseSceneError(scene_error::kBadArgument, "The scene root cannot be removed");
    }
    std::erase(component->shapes, shape);
    shape->owner.reset();
  }
};

class HandlerRegistry : public HostClassObject {
 public:
  explicit HandlerRegistry(ContextPtr context)
      : HostClassObject(std::move(context), "HandlerRegistry") {}

 protected:
  // The built-in host calls a part's class by its ProgID, so the handler is the ProgID itself.
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("GetHandler", 2)) return call.args[0].ToText();
    RaiseUnknownMember(call, ClassName());
  }
};

class RegistryReader : public HostClassObject {
 public:
  explicit RegistryReader(ContextPtr context)
      : HostClassObject(std::move(context), "RegistryReader") {}

 protected:
  // GetString(hive, key, value name, value): the value comes back in the fourth argument.
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("GetString", 4)) {
      call.args[3] = context_->settings.Get(call.args[1].ToText(), call.args[2].ToText());
      return std::int32_t{0};
    }
    RaiseUnknownMember(call, ClassName());
  }
};

class HostVector : public HostClassObject {
 public:
  explicit HostVector(ContextPtr context) : HostClassObject(std::move(context), "Vector") {}
  Vector3 value;

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("Normalize", 0)) {
      value = Normalized(value);
    } else if (call.Gets("SetXYZ", 3)) {
      value = {call.Double(0), call.Double(1), call.Double(2)};
    } else if (call.Gets("GetXYZ", 3)) {
      call.args[0] = value.x;
      call.args[1] = value.y;
      call.args[2] = value.z;
    } else {
      RaiseUnknownMember(call, ClassName());
    }
    return {};
  }
};

HostVector& VectorOf(const Variant& argument) {
  auto* vector = dynamic_cast<HostVector*>(argument.ToObject().get());
  if (!vector) RaiseSceneError(scene_error::kBadArgument, "A host vector was expected");
  return *vector;
}

class HostTransform : public HostClassObject {
 public:
  HostTransform(ContextPtr context, RigidTransform transform = {})
      : HostClassObject(std::move(context), "Transform"), value(transform) {}
  RigidTransform value;

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("GetOrientation", 4)) {
      for (std::size_t i = 0; i < 4; ++i) call.args[i] = value.rotation[i];
    } else if (call.Gets("GetTranslation", 3)) {
      call.args[0] = value.translation.x;
      call.args[1] = value.translation.y;
      call.args[2] = value.translation.z;
    } else if (call.Gets("TransformPoint", 1)) {
      HostVector& point = VectorOf(call.args[0]);
      point.value = value.Map(point.value);
    } else if (call.Gets("Compose", 1)) {
      // This transform first, then the other: the other is the outer one.
      value = TransformOf(call.args[0]).After(value);
    } else if (call.Gets("CreateFromFrames", 4)) {
      value = RigidTransform::FromFrames(VectorOf(call.args[0]).value, VectorOf(call.args[1]).value,
                                         VectorOf(call.args[2]).value, VectorOf(call.args[3]).value);
    } else if (call.Gets("IsEqual", 1)) {
      return value.NearlyEquals(TransformOf(call.args[0]));
    } else {
      RaiseUnknownMember(call, ClassName());
    }
    return {};
  }

 private:
  static const RigidTransform& TransformOf(const Variant& argument) {
    auto* transform = dynamic_cast<HostTransform*>(argument.ToObject().get());
    if (!transform) RaiseSceneError(scene_error::kBadArgument, "A host transform was expected");
    return transform->value;
  }
};

class ShapeAndTransform : public HostClassObject {
 public:
  explicit ShapeAndTransform(ContextPtr context)
      : HostClassObject(std::move(context), "ShapeAndTransform") {}

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Puts("shape", 0)) {
      shape_ = NodeOf(call.PutValue().ToObject());
      return {};
    }
    if (call.Gets("shape", 0)) return shape_ ? WrapNode(context_, shape_) : Variant::Nothing();
    // The size box is the shape's own frame, so this is where the shape stands in its parent.
    if (call.Gets("SizeboxToParentTransform", 0)) {
      if (!shape_) RaiseSceneError(scene_error::kBadArgument, "No shape has been set");
      return ObjectRef(std::make_shared<HostTransform>(context_, shape_->placement));
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  NodePtr shape_;
};

}  // namespace

ObjectRef CreateHostClassObject(const ContextPtr& context, std::string_view classId) {
  const auto is = [&](const host::HostClass& hostClass) {
    return automation::NamesEqual(classId, hostClass.classId);
  };
  if (is(host::kPlacementObject)) return std::make_shared<PlacementObject>(context);
  if (is(host::kShapeService)) return std::make_shared<ShapeService>(context);
  if (is(host::kHandlerRegistry)) return std::make_shared<HandlerRegistry>(context);
  if (is(host::kRegistryReader)) return std::make_shared<RegistryReader>(context);
  if (is(host::kHostVector)) return std::make_shared<HostVector>(context);
  if (is(host::kHostTransform)) return std::make_shared<HostTransform>(context);
  if (is(host::kShapeAndTransform)) return std::make_shared<ShapeAndTransform>(context);
  if (is(host::kPropertyCollection)) return std::make_shared<PropertyCollectionObject>();
  if (is(host::kPropertyItem)) return std::make_shared<PropertyItemObject>();
  if (is(host::kSummaryObject)) return std::make_shared<SummaryObject>();
  return nullptr;
}

}  // namespace zembrati::scene
