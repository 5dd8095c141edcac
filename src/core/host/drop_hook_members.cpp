#include "host/drop_hook_members.h"

#include "automation/invoke.h"

namespace zembrati::host {

using automation::GetProperty;

ObjectRef ShapePath(const ObjectRef& hook) { return GetProperty(hook, "ShapePath").ToObject(); }

std::int32_t HitElementType(const ObjectRef& hook) {
  return GetProperty(hook, "HitElementType").ToLong();
}

double HitPointX(const ObjectRef& hook, std::int16_t index) {
  return GetProperty(hook, "HitPointX", index).ToDouble();
}

double HitPointY(const ObjectRef& hook, std::int16_t index) {
  return GetProperty(hook, "HitPointY", index).ToDouble();
}

double HitPointZ(const ObjectRef& hook, std::int16_t index) {
  return GetProperty(hook, "HitPointZ", index).ToDouble();
}

double HitNormalX(const ObjectRef& hook, std::int32_t pathIndex) {
  return GetProperty(hook, "HitNormalX", pathIndex).ToDouble();
}

double HitNormalY(const ObjectRef& hook, std::int32_t pathIndex) {
  return GetProperty(hook, "HitNormalY", pathIndex).ToDouble();
}

double HitNormalZ(const ObjectRef& hook, std::int32_t pathIndex) {
  return GetProperty(hook, "HitNormalZ", pathIndex).ToDouble();
}

ObjectRef HitElement(const ObjectRef& hook) { return GetProperty(hook, "HitElement").ToObject(); }

double PickPointX(const ObjectRef& hitElement) {
  return GetProperty(hitElement, "PickPointX").ToDouble();
}

double PickPointY(const ObjectRef& hitElement) {
  return GetProperty(hitElement, "PickPointY").ToDouble();
}

double PickPointZ(const ObjectRef& hitElement) {
  return GetProperty(hitElement, "PickPointZ").ToDouble();
}

ObjectRef Part(const ObjectRef& hitElement, bool flag) {
  return GetProperty(hitElement, "part", flag).ToObject();
}

}  // namespace zembrati::host
