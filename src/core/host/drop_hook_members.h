#pragma once

#include <cstdint>

#include "automation/variant.h"

// The members of the host's drag-and-drop hook object and of its hit element.
namespace zembrati::host {

using automation::ObjectRef;

// The shapes from the scene root to the shape that was hit.
ObjectRef ShapePath(const ObjectRef& hook);
// 2 or 3 when a face was hit.
std::int32_t HitElementType(const ObjectRef& hook);
double HitPointX(const ObjectRef& hook, std::int16_t index);
double HitPointY(const ObjectRef& hook, std::int16_t index);
double HitPointZ(const ObjectRef& hook, std::int16_t index);
double HitNormalX(const ObjectRef& hook, std::int32_t pathIndex);
double HitNormalY(const ObjectRef& hook, std::int32_t pathIndex);
double HitNormalZ(const ObjectRef& hook, std::int32_t pathIndex);
ObjectRef HitElement(const ObjectRef& hook);
double PickPointX(const ObjectRef& hitElement);
double PickPointY(const ObjectRef& hitElement);
double PickPointZ(const ObjectRef& hitElement);
// The part that was hit (the member `part`, asked with the flag False).
ObjectRef Part(const ObjectRef& hitElement, bool flag);

}  // namespace zembrati::host
