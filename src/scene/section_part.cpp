#include "section_part.h"

#include <numbers>

#include "automation/object_creation.h"
#include "geometry/section_types.h"
#include "host/scene_members.h"
#include "parts/part_data.h"
#include "runtime/runtime_error.h"
#include "scene_objects.h"
#include "section/section_properties.h"

namespace zembrati::scene {

runtime::Status BuildSectionPart(SceneHost& host, std::int16_t typeCode, const std::string& name,
                                 const std::array<double, 21>& dims, NodePtr& body) {
  automation::ScopedObjectCreator creator(host);
  return runtime::Trap([&] {
    const geometry::SectionType* type = geometry::FindSectionType(typeCode);
    if (type == nullptr) runtime::Raise(runtime::error::kInvalidProcedureCall);
    const automation::ObjectRef part = parts::AddPartShape(host.ActivePage());
    host::SetName(part, name);
    try {
      geometry::GenerateSection(*type, part, name, dims);
    } catch (...) {
      body = FirstBody(*NodeOf(part));
      throw;
    }
    body = FirstBody(*NodeOf(part));
  });
}

std::optional<Section> ExactSection(std::int16_t typeCode, const std::array<double, 21>& dims) {
  std::array<double, 21> drawn = dims;
  drawn[1] = 1;  // the section needs no length, the body does
  SceneHost scratch;
  NodePtr body;
  if (!BuildSectionPart(scratch, typeCode, "", drawn, body).ok() || !body || !body->section) return std::nullopt;
  return *body->section;
}

std::optional<std::vector<std::vector<Point2>>> SectionPicture(std::int16_t typeCode,
                                                                const std::array<double, 21>& dims) {
  const std::optional<Section> section = ExactSection(typeCode, dims);
  if (!section) return std::nullopt;
  std::vector<std::vector<Point2>> loops;
  for (const Boundary* loop : section->Loops()) loops.push_back(Polyline(*loop, std::numbers::pi / 16));
  return loops;
}

SectionProperties TabulatedProperties(const Section& section, std::int16_t typeCode) {
  const geometry::SectionType* type = geometry::FindSectionType(typeCode);
  return type && type->tablesTurnIt ? Transposed(section.properties) : section.properties;
}

}  // namespace zembrati::scene
