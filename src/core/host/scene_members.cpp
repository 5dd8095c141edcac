#include "host/scene_members.h"

#include "automation/invoke.h"

namespace zembrati::host {

using automation::CallMethod;
using automation::GetProperty;
using automation::PutProperty;
using automation::PutPropertyRef;

ObjectRef Application(const ObjectRef& shape) {
  return GetProperty(shape, "Application").ToObject();
}

ObjectRef ActivePage(const ObjectRef& application) {
  return GetProperty(application, "ActivePage").ToObject();
}

ObjectRef Page(const ObjectRef& shapeOrHook) { return GetProperty(shapeOrHook, "Page").ToObject(); }

ObjectRef Shape(const ObjectRef& page) { return GetProperty(page, "shape").ToObject(); }

std::int32_t UnitsEx(const ObjectRef& page, std::int16_t selector) {
  return GetProperty(page, "UnitsEx", selector).ToLong();
}

ObjectRef Components(const ObjectRef& shape, std::int32_t kind) {
  return GetProperty(shape, "Components", kind).ToObject();
}

ObjectRef Item(const ObjectRef& collection, std::int16_t index) {
  return GetProperty(collection, "Item", index).ToObject();
}

ObjectRef Item(const ObjectRef& collection, std::int32_t index) {
  return GetProperty(collection, "Item", index).ToObject();
}

std::int32_t Count(const ObjectRef& collection) {
  return GetProperty(collection, "Count").ToLong();
}

ObjectRef Add(const ObjectRef& collection) { return CallMethod(collection, "Add").ToObject(); }

void Add(const ObjectRef& collection, const ObjectRef& member) {
  CallMethod(collection, "Add", member);
}

ObjectRef Shapes(const ObjectRef& component, std::int32_t kind) {
  return GetProperty(component, "Shapes", kind).ToObject();
}

ObjectRef Shapes(const ObjectRef& component) {
  return GetProperty(component, "Shapes").ToObject();
}

ObjectRef Variable(const ObjectRef& component, std::int32_t kind, std::int16_t index) {
  return GetProperty(component, "Variable", kind, index).ToObject();
}

ObjectRef Variable(const ObjectRef& component, std::int32_t index) {
  return GetProperty(component, "Variable", index).ToObject();
}

Variant Value(const ObjectRef& variableOrItem) { return GetProperty(variableOrItem, "Value"); }

void SetValue(const ObjectRef& variableOrItem, const Variant& value) {
  PutProperty(variableOrItem, "Value", value);
}

std::string Name(const ObjectRef& shapeOrItem) {
  return GetProperty(shapeOrItem, "Name").ToText();
}

void SetName(const ObjectRef& shapeOrItem, const std::string& name) {
  PutProperty(shapeOrItem, "Name", name);
}

void Update(const ObjectRef& shapeOrPage) { CallMethod(shapeOrPage, "Update"); }

ObjectRef ChildShapes(const ObjectRef& shapeOrItem) {
  return GetProperty(shapeOrItem, "ChildShapes").ToObject();
}

ObjectRef InstanceShape(const ObjectRef& item) {
  return GetProperty(item, "InstanceShape").ToObject();
}

ObjectRef DataObject(const ObjectRef& item, std::string_view classId) {
  return GetProperty(item, "DataObject", classId, true).ToObject();
}

void SetDataObject(const ObjectRef& item, std::string_view classId, const ObjectRef& dataObject) {
  PutPropertyRef(item, "DataObject", classId, true, dataObject);
}

}  // namespace zembrati::host
