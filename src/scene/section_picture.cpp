#include "section_picture.h"

#include <numbers>

#include "automation/object_creation.h"
#include "geometry/section_types.h"
#include "host/scene_members.h"
#include "runtime/status.h"
#include "scene_host.h"
#include "scene_objects.h"

namespace zembrati::scene {

std::optional<std::vector<std::vector<Point2>>> SectionPicture(std::int16_t typeCode,
                                                                const std::array<double, 21>& dims) {
  const geometry::SectionType* type = geometry::FindSectionType(typeCode);
  if (type == nullptr) return std::nullopt;
  SceneHost scratch;
  automation::ScopedObjectCreator creator(scratch);
  std::optional<std::vector<std::vector<Point2>>> loops;
  std::array<double, 21> drawn = dims;
  if (!(drawn[1] > 0)) drawn[1] = 1;  // the picture needs no length, the body does
  runtime::Trap([&] {
    const automation::ObjectRef root = host::Shape(scratch.ActivePage());
    const automation::ObjectRef part = host::Add(host::Shapes(host::Item(host::Components(root, 2), std::int16_t{1}), 3));
    geometry::GenerateSection(*type, part, "", drawn);
    const NodePtr body = NodeOf(part)->ChildShapes().front();
    if (!body->section) return;
    loops.emplace();
    for (const Boundary* loop : body->section->Loops()) loops->push_back(Polyline(*loop, std::numbers::pi / 16));
  });
  return loops;
}

}  // namespace zembrati::scene
