#pragma once

#include <string>

#include "automation/variant.h"

// The data a part carries in the host document: its part variables (component kind 34), the two
// handler components (kinds 25 and 43), its extrusion length, and the property collection and
// summary on its item in the page's shape tree. This is the one definition of those layouts.
namespace zembrati::parts {

using automation::ObjectRef;

inline constexpr std::int32_t kPartVariablesKind = 34;
inline constexpr std::int32_t kHandlerKind = 25;
inline constexpr std::int32_t kHandlerTextKind = 43;
inline constexpr const char* kPartMarker = "VantREX";

// The part name from a name format, and the template: the same name with "@" where the length
// stands. D designation, C size, N standard, M material (the dialog's selections), L the length
// and S the thickness of the dimension array as number text; any other character is copied.
struct PartName {
  std::string name;
  std::string nameTemplate;
};
PartName MakePartName(const std::string& nameFormat, const std::string& designation);

// What WritePartVariables stores besides the session's type and family.
struct PartProperties {
  std::string className;
  std::string normativa;  // the standard
  std::string codice;     // the size
  std::string fileData;   // the size table's path
  std::string materialCode;
};
void WritePartVariables(const ObjectRef& shape, const std::string& nameTemplate, const PartProperties& properties);
void WriteHandlerComponents(const ObjectRef& shape, const std::string& handler);

// The item of `shape` in a tree of items (depth first, item order), or null.
ObjectRef FindPartItem(const ObjectRef& items, const ObjectRef& shape);
void WritePartData(const ObjectRef& shape, const std::string& standard, const std::string& size, double length,
                   const std::string& material, const std::string& partName);

// The variable that holds a part's extrusion length (variable 3 of the first kind-1 component of
// its first body).
ObjectRef LengthVariableOf(const ObjectRef& shape);
double GetPartLength(const ObjectRef& shape);
void SetPartLength(const ObjectRef& shape, const automation::Variant& value);

// A new, empty part shape under the root of `page`: a shape of kind 3 in the root's first kind-2
// component, where every part of the system lives.
ObjectRef AddPartShape(const ObjectRef& page);
// Takes a shape out of the scene with a new shape service.
void RemoveShape(const ObjectRef& shape);
// Takes out a shape that a failed operation added; a failure to do so is not reported, because
// the error that ended the operation is the one to tell.
void RemoveShapeAfterFailure(const ObjectRef& shape) noexcept;

// Whether a shape is one of the system's parts: its kind-34 component has an item.
bool IsPart(const ObjectRef& shape);
// The name template stored on a part (variable (2, 2) of its first kind-34 component).
std::string NameTemplateOf(const ObjectRef& shape);

}  // namespace zembrati::parts
