#include "addin/class_table.h"

#include "addin/component_objects.h"
#include "automation/object.h"
#include "geometry/section_types.h"
#include "runtime/runtime_error.h"

namespace zembrati::addin {
namespace {

std::string Id(const char* start) { return std::string("{") + start + "-C04C-11D4-8586-00E08110F9CF}"; }

ComponentClass Entry(const char* name, const char* classStart, const char* interfaceStart, std::int16_t typeCode) {
  return {name, std::string("Zembrati.") + name, Id(classStart), Id(interfaceStart), typeCode};
}

std::vector<ComponentClass> MakeTable() {
  return {
      Entry("ZembratiObj", "30CA9B16", "30CA9B15", 0),     Entry("DropHook", "30CA9B26", "30CA9B25", 0),
      Entry("ProfilHE", "30CA9B0A", "30CA9B09", 1),        Entry("ProfilIPN", "30CA9B0C", "30CA9B0B", 2),
      Entry("ProfilUPN", "30CA9B0E", "30CA9B0D", 3),       Entry("ProfilL", "30CA9B10", "30CA9B0F", 4),
      Entry("ProfilT", "30CA9B12", "30CA9B11", 5),         Entry("ProfilTArr", "30CA9B14", "30CA9B13", 6),
      Entry("ProfilTubo", "30CA9B18", "30CA9B17", 7),      Entry("ProfilRettCavo", "30CA9B1A", "30CA9B19", 8),
      Entry("ProfilQuadCavo", "30CA9B1C", "30CA9B1B", 9),  Entry("ProfilPiatto", "30CA9B1E", "30CA9B1D", 10),
      Entry("ProfilTondo", "30CA9B22", "30CA9B21", 11),    Entry("ProfilQuadro", "30CA9B20", "30CA9B1F", 12),
  };
}

}  // namespace

const std::vector<ComponentClass>& ComponentClasses() {
  static const std::vector<ComponentClass> table = MakeTable();
  return table;
}

const ComponentClass* FindComponentClass(std::string_view nameOrId) {
  for (const ComponentClass& c : ComponentClasses()) {
    if (automation::NamesEqual(nameOrId, c.progId) || automation::NamesEqual(nameOrId, c.name) ||
        automation::NamesEqual(nameOrId, c.classId)) {
      return &c;
    }
  }
  return nullptr;
}

automation::ObjectRef CreateComponent(std::string_view nameOrId) {
  const ComponentClass* c = FindComponentClass(nameOrId);
  if (c == nullptr) runtime::Raise(runtime::error::kCannotCreateObject);
  if (c->name == "ZembratiObj") return MakeZembratiObj();
  if (c->name == "DropHook") return MakeDropHookClass();
  return MakePartClass(*geometry::FindSectionType(c->typeCode));
}

automation::ObjectRef CreateComponentForType(std::int16_t typeCode) {
  const geometry::SectionType* type = geometry::FindSectionType(typeCode);
  if (type == nullptr) runtime::Raise(runtime::error::kCannotCreateObject);
  return MakePartClass(*type);
}

}  // namespace zembrati::addin
