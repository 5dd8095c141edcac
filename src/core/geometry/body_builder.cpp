#include "geometry/body_builder.h"

#include <cstdint>

#include "geometry/value_setters.h"
#include "host/scene_members.h"
#include "host/sketch_members.h"

namespace zembrati::geometry {
namespace {

using host::Components;
using host::Item;

constexpr std::int16_t kFirst = 1;

ObjectRef AddBody(const ObjectRef& shape) {
  const ObjectRef holder = Item(Components(shape, 23), kFirst);
  return host::Add(host::Shapes(holder, 5));
}

void RepeatExtrusionFlags(const ObjectRef& body) {
  const ObjectRef component = Item(Components(body, 1), kFirst);
  host::SetValue(host::Variable(component, 6), std::int16_t{0});
  host::SetValue(host::Variable(component, 14), std::int32_t{2});
}

}  // namespace

void BuildSectionBody(const ObjectRef& shape, const std::string& name, const SizeValues& sizes,
                      double length, const OutlineDrawer& drawOutline, bool flattenHeBody) {
  const ObjectRef body = AddBody(shape);
  SetComp1Values(body, sizes.s1, sizes.s2, length);
  SetComp4Values(body, 0, 0, 0);
  SetComp5Values(body, sizes.p1, sizes.p2, 0);
  host::SetName(body, name);
  const ObjectRef profile = host::Profile(Item(Components(body, 15), kFirst));
  SetComp4Values(profile, sizes.p1, sizes.p2, 0);
  drawOutline(profile);
  if (flattenHeBody) {
    host::SetValue(host::Variable(Item(Components(body, 14), kFirst), 62), std::int32_t{0});
  }
  RepeatExtrusionFlags(body);
  host::Update(body);
  host::ResetSizeBox(body);
}

}  // namespace zembrati::geometry
