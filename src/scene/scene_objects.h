#pragma once

#include "automation/object.h"
#include "scene_context.h"

namespace zembrati::scene {

// The automation face of the built-in host's document. Each node of the document answers the
// members of its role; two references to one node are the same object.
automation::ObjectRef WrapNode(const ContextPtr& context, const NodePtr& node);
automation::ObjectRef MakeApplication(const ContextPtr& context);
automation::ObjectRef MakePage(const ContextPtr& context);
// The entry of the scene tree for a shape: InstanceShape, ChildShapes, DataObject.
automation::ObjectRef MakeShapeItem(const ContextPtr& context, const NodePtr& shape);
// A drop's shape path (Count, Item): the shapes from the root down to the one hit.
automation::ObjectRef MakeShapePath(const ContextPtr& context, std::vector<NodePtr> shapes);

// The node behind an object of this host; raises a host error for anything else.
NodePtr NodeOf(const automation::ObjectRef& object);
// The node behind an object of this host, or null.
NodePtr TryNodeOf(const automation::ObjectRef& object);

}  // namespace zembrati::scene
