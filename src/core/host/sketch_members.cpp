#include "host/sketch_members.h"

#include "automation/invoke.h"

namespace zembrati::host {

using automation::CallMethod;

ObjectRef Profile(const ObjectRef& component) {
  return automation::GetProperty(component, "Profile").ToObject();
}

void SetStartPoint(const ObjectRef& loop, const Variant& x, const Variant& y) {
  CallMethod(loop, "SetStartPoint", x, y);
}

void AddLineTo(const ObjectRef& loop, const Variant& x, const Variant& y) {
  CallMethod(loop, "AddLineTo", x, y);
}

void AddFilletAt(const ObjectRef& loop, std::int16_t index, double radius) {
  CallMethod(loop, "AddFilletAt", index, radius);
}

void AddEllipse(const ObjectRef& loop, const Variant& centreX, const Variant& centreY,
                double radius) {
  CallMethod(loop, "AddEllipse", centreX, centreY, radius);
}

void ResetSizeBox(const ObjectRef& body) { CallMethod(body, "ResetSizeBox"); }

}  // namespace zembrati::host
