#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/variant.h"

// The members of the host classes the system creates (host_classes.h), one function each.
// The host fixes what they compute; these names are the ones its automation interface gives.
namespace zembrati::host {

using automation::ObjectRef;

// Placement object: P1..P3 position, P4..P7 orientation.
double P(const ObjectRef& placement, int number);  // number 1..7
void SetP(const ObjectRef& placement, int number, double value);
void SetTarget(const ObjectRef& placement, const ObjectRef& shape);
void Apply(const ObjectRef& placement);
// Reads P1..P7 from where `shape` stands.
void Capture(const ObjectRef& placement, const ObjectRef& shape);

// Shape service.
ObjectRef GetParent(const ObjectRef& service, const ObjectRef& shape);
void Remove(const ObjectRef& service, const ObjectRef& shape);

// Handler registry: the handler text for a ProgID (asked with the integer 0).
std::string GetHandler(const ObjectRef& registry, std::string_view progId, std::int16_t flags);

// Registry reader: the text of a value, returned in `value` (by reference); the call's own
// result is not used. A missing value comes back as an empty text.
void GetString(const ObjectRef& reader, std::int32_t hive, std::string_view key,
               std::string_view valueName, std::string& value);

// Host vector.
void Normalize(const ObjectRef& vector);
void SetXYZ(const ObjectRef& vector, double x, double y, double z);
void GetXYZ(const ObjectRef& vector, double& x, double& y, double& z);

// Host transform.
void GetOrientation(const ObjectRef& transform, double& o1, double& o2, double& o3, double& o4);
// Maps the point held by `vector` in place.
void TransformPoint(const ObjectRef& transform, const ObjectRef& vector);
void Compose(const ObjectRef& transform, const ObjectRef& other);
void GetTranslation(const ObjectRef& transform, double& x, double& y, double& z);
// The transform that takes the frame (origin1, direction1) to (origin2, direction2).
void CreateFromFrames(const ObjectRef& transform, const ObjectRef& origin1,
                      const ObjectRef& direction1, const ObjectRef& origin2,
                      const ObjectRef& direction2);
bool IsEqual(const ObjectRef& transform, const ObjectRef& other);

// Shape-and-transform object.
void SetShape(const ObjectRef& shapeAndTransform, const ObjectRef& shape);
ObjectRef SizeboxToParentTransform(const ObjectRef& shapeAndTransform);

// Summary object (the property collection and its items use Add, Count, Item, Name, Value).
automation::Variant Description(const ObjectRef& summary);
void SetDescription(const ObjectRef& summary, const automation::Variant& description);
void SetPartNumber(const ObjectRef& summary, const std::string& partNumber);

}  // namespace zembrati::host
