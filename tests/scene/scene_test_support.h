#pragma once

#include <array>
#include <initializer_list>

#include "automation/object_creation.h"
#include "geometry/section_types.h"
#include "host/scene_members.h"
#include "parts/part_data.h"
#include "scene_host.h"
#include "scene_objects.h"

namespace zembrati::scene::test {

using automation::ObjectRef;

// A part added to the scene as the system adds one: a shape of kind 3 under the root's kind-2
// component.
inline ObjectRef AddPart(SceneHost& host) { return parts::AddPartShape(host.ActivePage()); }

inline std::array<double, 21> Dims(std::initializer_list<double> values) {
  std::array<double, 21> dims{};
  std::size_t i = 0;
  for (const double v : values) dims[i++] = v;
  return dims;
}

// Builds one section through the system's own generator into a new part of `host` and returns
// the part's first body. `dims` is the section dimension array (element 1 the length).
inline NodePtr BuildSectionPart(SceneHost& host, std::int16_t typeCode,
                                const std::array<double, 21>& dims) {
  automation::ScopedObjectCreator creator(host);
  const ObjectRef part = AddPart(host);
  geometry::GenerateSection(*geometry::FindSectionType(typeCode), part, "test", dims);
  return NodeOf(part)->ChildShapes().front();
}

}  // namespace zembrati::scene::test
