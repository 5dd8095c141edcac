#include "geometry/outline_loop.h"

#include "host/scene_members.h"
#include "host/sketch_members.h"
#include "runtime/float_check.h"
#include "runtime/integer_conversion.h"

namespace zembrati::geometry {

Variant Computed(double value) { return runtime::CheckFloat(value); }

double Half(double value) { return runtime::Divide(value, 2.0); }

Variant Zero() { return std::int16_t{0}; }

OutlineLoop OutlineLoop::AddTo(const ObjectRef& profile) {
  return OutlineLoop(host::Add(host::Components(profile, 3)));
}

void OutlineLoop::Start(const Variant& x, const Variant& y) {
  startX_ = x;
  startY_ = y;
  host::SetStartPoint(loop_, x, y);
}

void OutlineLoop::LineTo(const Variant& x, const Variant& y) { host::AddLineTo(loop_, x, y); }

void OutlineLoop::Close() { host::AddLineTo(loop_, startX_, startY_); }

void OutlineLoop::Fillet(std::int16_t corner, double radius) {
  host::AddFilletAt(loop_, runtime::AddInteger(corner, filletsAdded_), radius);
  filletsAdded_ = runtime::AddInteger(filletsAdded_, 1);
}

void OutlineLoop::Circle(double radius) { host::AddEllipse(loop_, Zero(), Zero(), radius); }

}  // namespace zembrati::geometry
