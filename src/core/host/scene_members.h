#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/variant.h"

// The host's document model as the system calls it: one function per member, named after it,
// each a single call by name with the argument types the host expects (kinds and variable
// numbers 32-bit, the index of a component 16-bit). Collections count from 1.
namespace zembrati::host {

using automation::ObjectRef;
using automation::Variant;

ObjectRef Application(const ObjectRef& shape);
ObjectRef ActivePage(const ObjectRef& application);
// The page of a shape or of a drop hook.
ObjectRef Page(const ObjectRef& shapeOrHook);
// The root shape of a page (the member `shape`).
ObjectRef Shape(const ObjectRef& page);
// 0 when the page's length unit is the millimetre (asked with the selector 2).
std::int32_t UnitsEx(const ObjectRef& page, std::int16_t selector);

ObjectRef Components(const ObjectRef& shape, std::int32_t kind);
ObjectRef Item(const ObjectRef& collection, std::int16_t index);
ObjectRef Item(const ObjectRef& collection, std::int32_t index);
std::int32_t Count(const ObjectRef& collection);
// A new member of the collection (a new component, a new shape).
ObjectRef Add(const ObjectRef& collection);
// Adds an existing object to a collection (a property item to a property collection).
void Add(const ObjectRef& collection, const ObjectRef& member);
ObjectRef Shapes(const ObjectRef& component, std::int32_t kind);
ObjectRef Shapes(const ObjectRef& component);

ObjectRef Variable(const ObjectRef& component, std::int32_t kind, std::int16_t index);
ObjectRef Variable(const ObjectRef& component, std::int32_t index);
Variant Value(const ObjectRef& variableOrItem);
void SetValue(const ObjectRef& variableOrItem, const Variant& value);

std::string Name(const ObjectRef& shapeOrItem);
void SetName(const ObjectRef& shapeOrItem, const std::string& name);
void Update(const ObjectRef& shapeOrPage);

ObjectRef ChildShapes(const ObjectRef& shapeOrItem);
ObjectRef InstanceShape(const ObjectRef& item);
// The data object of the given class attached to an item (read with the flag True).
ObjectRef DataObject(const ObjectRef& item, std::string_view classId);
void SetDataObject(const ObjectRef& item, std::string_view classId, const ObjectRef& dataObject);

}  // namespace zembrati::host
