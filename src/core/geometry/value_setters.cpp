#include "geometry/value_setters.h"

#include <cstdint>

#include "host/scene_members.h"

namespace zembrati::geometry {
namespace {

using host::Components;
using host::Item;
using host::SetValue;
using host::Variable;

constexpr std::int16_t kFirst = 1;

ObjectRef FirstComponent(const ObjectRef& object, std::int32_t kind) {
  return Item(Components(object, kind), kFirst);
}

void PutThreeDoubles(const ObjectRef& component, double a, double b, double c) {
  SetValue(Variable(component, 1), a);
  SetValue(Variable(component, 2), b);
  SetValue(Variable(component, 3), c);
}

}  // namespace

void SetComp1Values(const ObjectRef& object, double a, double b, double c) {
  const ObjectRef component = FirstComponent(object, 1);
  PutThreeDoubles(component, a, b, c);
  SetValue(Variable(component, 4), std::int16_t{1});
  SetValue(Variable(component, 5), std::int16_t{1});
  SetValue(Variable(component, 6), std::int16_t{0});
  SetValue(Variable(component, 14), std::int32_t{2});
  SetValue(Variable(component, 7), std::int32_t{1});
}

void SetComp4Values(const ObjectRef& object, double a, double b, double c) {
  PutThreeDoubles(FirstComponent(object, 4), a, b, c);
}

void SetComp5Values(const ObjectRef& object, double a, double b, double c) {
  PutThreeDoubles(FirstComponent(object, 5), a, b, c);
}

}  // namespace zembrati::geometry
