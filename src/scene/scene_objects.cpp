#include "scene_objects.h"

#include "member_call.h"
#include "runtime/runtime_error.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

using runtime::Raise;

std::size_t CheckedIndex(std::int32_t index, std::size_t count) {
  if (index < 1 || static_cast<std::size_t>(index) > count) {
    Raise(runtime::error::kSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(index - 1);
}

class SceneObject : public AnsweringObject {
 public:
  explicit SceneObject(ContextPtr context) : context_(std::move(context)) {}

 protected:
  ContextPtr context_;
};

// A variable of a component, by single or (kind, index) key: Value get and put, types kept. A
// variable never written reads as Empty; only a put adds it, so reading leaves the document as
// it was.
template <typename Key>
class VariableObject : public SceneObject {
 public:
  using Slots = FlatMap<Key, Variant>;
  VariableObject(ContextPtr context, NodePtr owner, Slots Node::*slots, Key key)
      : SceneObject(std::move(context)), owner_(std::move(owner)), slots_(slots), key_(key) {}
  std::string ClassName() const override { return "Variable"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    Slots& slots = (*owner_).*slots_;
    if (call.Gets("Value", 0)) {
      const auto found = slots.find(key_);
      return found == slots.end() ? Variant() : found->second;
    }
    if (call.Puts("Value", 0)) {
      if (call.PutValue().IsObject()) {
        RaiseSceneError(scene_error::kBadArgument, "A variable holds values, not objects");
      }
      slots[key_] = call.PutValue();
      NoteChange(context_->document, owner_);
      return {};
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  NodePtr owner_;
  Slots Node::*slots_;
  Key key_;
};

// Components(kind) of a shape or profile: Count, Item, Add.
class ComponentCollection : public SceneObject {
 public:
  ComponentCollection(ContextPtr context, NodePtr owner, std::int32_t kind)
      : SceneObject(std::move(context)), owner_(std::move(owner)), kind_(kind) {}
  std::string ClassName() const override { return "Components"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    // Asking for a kind the node does not carry finds an empty collection and adds nothing.
    static const std::vector<NodePtr> kNone;
    const auto found = owner_->components.find(kind_);
    const std::vector<NodePtr>& list = found == owner_->components.end() ? kNone : found->second;
    if (call.Gets("Count", 0)) return static_cast<std::int32_t>(list.size());
    if (call.Gets("Item", 1)) return WrapNode(context_, list[CheckedIndex(call.Long(0), list.size())]);
    if (call.Gets("Add", 0)) {
      NoteChange(context_->document, owner_);
      return WrapNode(context_, AddComponent(owner_, kind_));
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  NodePtr owner_;
  std::int32_t kind_;
};

// Shapes(kind) of a component (Count, Item, Add) or Shapes() (all of them: Count, Item).
class ShapeCollection : public SceneObject {
 public:
  ShapeCollection(ContextPtr context, NodePtr component, std::optional<std::int32_t> kind)
      : SceneObject(std::move(context)), component_(std::move(component)), kind_(kind) {}
  std::string ClassName() const override { return "Shapes"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    std::vector<NodePtr> shapes;
    for (const NodePtr& shape : component_->shapes) {
      if (!kind_ || shape->kind == *kind_) shapes.push_back(shape);
    }
    if (call.Gets("Count", 0)) return static_cast<std::int32_t>(shapes.size());
    if (call.Gets("Item", 1)) {
      return WrapNode(context_, shapes[CheckedIndex(call.Long(0), shapes.size())]);
    }
    if (kind_ && call.Gets("Add", 0)) {
      const NodePtr shape = AddShape(component_, *kind_);
      // A new part has its identity from the start, so that what is exchanged of it (its IFC
      // GlobalId) stays the same through edits, length changes and joints.
      if (shape->kind == kind::kPartShape && component_->owner.lock() == context_->document.root) {
        context_->document.IdentityOf(shape);
      }
      NoteChange(context_->document, shape);
      return WrapNode(context_, shape);
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  NodePtr component_;
  std::optional<std::int32_t> kind_;
};

// A drop's shape path: the shapes from the scene's root down to the one hit.
class ShapePath : public SceneObject {
 public:
  ShapePath(ContextPtr context, std::vector<NodePtr> shapes)
      : SceneObject(std::move(context)), shapes_(std::move(shapes)) {}
  std::string ClassName() const override { return "ShapePath"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("Count", 0)) return static_cast<std::int32_t>(shapes_.size());
    if (call.Gets("Item", 1)) return WrapNode(context_, shapes_[CheckedIndex(call.Long(0), shapes_.size())]);
    RaiseUnknownMember(call, ClassName());
  }

 private:
  std::vector<NodePtr> shapes_;
};

// ChildShapes of a shape or item: the shapes its components hold, read where they stand, so that
// the system's walk of a scene of thousands of parts copies no list.
class ChildShapeList : public SceneObject {
 public:
  ChildShapeList(ContextPtr context, NodePtr shape) : SceneObject(std::move(context)), shape_(std::move(shape)) {}
  std::string ClassName() const override { return "ChildShapes"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("Count", 0)) return static_cast<std::int32_t>(Count());
    if (call.Gets("Item", 1)) return MakeShapeItem(context_, At(CheckedIndex(call.Long(0), Count())));
    RaiseUnknownMember(call, ClassName());
  }

 private:
  std::size_t Count() const {
    std::size_t count = 0;
    for (const auto& [componentKind, list] : shape_->components) {
      for (const NodePtr& component : list) count += component->shapes.size();
    }
    return count;
  }

  const NodePtr& At(std::size_t index) const {
    for (const auto& [componentKind, list] : shape_->components) {
      for (const NodePtr& component : list) {
        if (index < component->shapes.size()) return component->shapes[index];
        index -= component->shapes.size();
      }
    }
    Raise(runtime::error::kSubscriptOutOfRange);
  }

  NodePtr shape_;
};

class ShapeItem : public SceneObject {
 public:
  ShapeItem(ContextPtr context, NodePtr shape)
      : SceneObject(std::move(context)), shape_(std::move(shape)) {}
  std::string ClassName() const override { return "ShapeItem"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("InstanceShape", 0)) return WrapNode(context_, shape_);
    if (call.Gets("ChildShapes", 0)) return ObjectRef(std::make_shared<ChildShapeList>(context_, shape_));
    if (call.Gets("Name", 0)) return shape_->name;
    if (call.Gets("DataObject", 2)) {
      const auto found = shape_->dataObjects.find(call.args[0].ToText());
      return found == shape_->dataObjects.end() ? Variant::Nothing() : Variant(found->second);
    }
    if (call.Puts("DataObject", 2)) {
      const ObjectRef attached = call.PutValue().ToObject();
      if (attached) {
        shape_->dataObjects[call.args[0].ToText()] = attached;
      } else {
        shape_->dataObjects.erase(call.args[0].ToText());
      }
      return {};
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  NodePtr shape_;
};

class NodeObject : public SceneObject {
 public:
  NodeObject(ContextPtr context, NodePtr node)
      : SceneObject(std::move(context)), node_(std::move(node)) {}
  const void* Identity() const override { return node_.get(); }
  std::string ClassName() const override {
    switch (node_->role) {
      case NodeRole::Shape: return "Shape";
      case NodeRole::Component: return "Component";
      case NodeRole::Profile: return "Profile";
      case NodeRole::Loop: return "Loop";
    }
    return "Node";
  }
  const NodePtr& node() const { return node_; }

 protected:
  Variant Answer(const MemberCall& call) override {
    switch (node_->role) {
      case NodeRole::Shape: return AnswerShape(call);
      case NodeRole::Component: return AnswerComponent(call);
      case NodeRole::Profile: return AnswerProfile(call);
      case NodeRole::Loop: return AnswerLoop(call);
    }
    RaiseUnknownMember(call, ClassName());
  }

 private:
  Variant AnswerShape(const MemberCall& call) {
    if (call.Gets("Components", 1)) {
      return ObjectRef(std::make_shared<ComponentCollection>(context_, node_, call.Long(0)));
    }
    if (call.Gets("Name", 0)) return node_->name;
    if (call.Puts("Name", 0)) {
      node_->name = call.PutValue().ToText();
      return {};
    }
    if (call.Gets("ChildShapes", 0)) return ObjectRef(std::make_shared<ChildShapeList>(context_, node_));
    if (call.Gets("Update", 0)) {
      RebuildBodies(node_);
      return {};
    }
    if (call.Gets("ResetSizeBox", 0)) {
      ResetSizeBox();
      return {};
    }
    if (call.Gets("Application", 0)) return MakeApplication(context_);
    if (call.Gets("Page", 0)) return MakePage(context_);
    RaiseUnknownMember(call, ClassName());
  }

  void ResetSizeBox() {
    if (!node_->section) RebuildBody(*node_);
    const Box2& box = node_->section->box;
    node_->sizeBox = std::make_unique<SizeBox>(SizeBox{{box.minX, box.minY, 0}, {box.maxX, box.maxY, node_->length}});
  }

  Variant AnswerComponent(const MemberCall& call) {
    if (call.GetsForm("Variable", 1)) {
      return ObjectRef(std::make_shared<VariableObject<std::int32_t>>(context_, node_, &Node::variables, call.Long(0)));
    }
    if (call.Gets("Variable", 2)) {
      const std::pair key{call.Long(0), call.args[1].ToInteger()};
      using Key = std::pair<std::int32_t, std::int16_t>;
      return ObjectRef(std::make_shared<VariableObject<Key>>(context_, node_, &Node::keyedVariables, key));
    }
    if (call.GetsForm("Shapes", 1)) {
      return ObjectRef(std::make_shared<ShapeCollection>(context_, node_, call.Long(0)));
    }
    if (call.Gets("Shapes", 0)) {
      return ObjectRef(std::make_shared<ShapeCollection>(context_, node_, std::nullopt));
    }
    if (node_->profile && call.Gets("Profile", 0)) return WrapNode(context_, node_->profile);
    RaiseUnknownMember(call, ClassName());
  }

  Variant AnswerProfile(const MemberCall& call) {
    if (call.Gets("Components", 1)) {
      return ObjectRef(std::make_shared<ComponentCollection>(context_, node_, call.Long(0)));
    }
    RaiseUnknownMember(call, ClassName());
  }

  Variant AnswerLoop(const MemberCall& call) {
    LoopSketch& sketch = SketchToDraw(*node_);
    if (call.Gets("SetStartPoint", 2)) {
      sketch.start = Point2{call.Double(0), call.Double(1)};
    } else if (call.Gets("AddLineTo", 2)) {
      sketch.lines.push_back({call.Double(0), call.Double(1)});
    } else if (call.Gets("AddFilletAt", 2)) {
      sketch.fillets.push_back({call.Long(0), call.Double(1)});
    } else if (call.Gets("AddEllipse", 3)) {
      sketch.circleCentre = Point2{call.Double(0), call.Double(1)};
      sketch.circleRadius = call.Double(2);
    } else {
      RaiseUnknownMember(call, ClassName());
    }
    NoteChange(context_->document, node_);
    return {};
  }

  NodePtr node_;
};

class PageObject : public SceneObject {
 public:
  using SceneObject::SceneObject;
  const void* Identity() const override { return &context_->document; }
  std::string ClassName() const override { return "Page"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("shape", 0)) return WrapNode(context_, context_->document.root);
    if (call.Gets("UnitsEx", 1)) {
      if (call.Long(0) != 2) Raise(runtime::error::kInvalidProcedureCall);
      return static_cast<std::int32_t>(context_->document.unit);
    }
    if (call.Gets("Update", 0)) {
      RebuildChangedBodies(context_->document);
      return {};
    }
    if (call.Gets("Application", 0)) return MakeApplication(context_);
    RaiseUnknownMember(call, ClassName());
  }
};

class ApplicationObject : public SceneObject {
 public:
  using SceneObject::SceneObject;
  const void* Identity() const override { return context_.get(); }
  std::string ClassName() const override { return "Application"; }

 protected:
  Variant Answer(const MemberCall& call) override {
    if (call.Gets("ActivePage", 0)) return MakePage(context_);
    RaiseUnknownMember(call, ClassName());
  }
};

}  // namespace

ObjectRef WrapNode(const ContextPtr& context, const NodePtr& node) {
  return std::make_shared<NodeObject>(context, node);
}

ObjectRef MakeApplication(const ContextPtr& context) {
  return std::make_shared<ApplicationObject>(context);
}

ObjectRef MakePage(const ContextPtr& context) { return std::make_shared<PageObject>(context); }

ObjectRef MakeShapeItem(const ContextPtr& context, const NodePtr& shape) {
  return std::make_shared<ShapeItem>(context, shape);
}

ObjectRef MakeShapePath(const ContextPtr& context, std::vector<NodePtr> shapes) {
  return std::make_shared<ShapePath>(context, std::move(shapes));
}

NodePtr TryNodeOf(const ObjectRef& object) {
  const auto* node = dynamic_cast<const NodeObject*>(object.get());
  return node ? node->node() : nullptr;
}

NodePtr NodeOf(const ObjectRef& object) {
  if (!object) Raise(runtime::error::kObjectVariableNotSet);
  NodePtr node = TryNodeOf(object);
  if (!node) RaiseSceneError(scene_error::kNoSuchObject, "The object is not a shape of this scene");
  return node;
}

}  // namespace zembrati::scene
