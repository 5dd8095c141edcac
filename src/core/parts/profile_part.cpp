#include "parts/profile_part.h"

#include "catalogue/catalogue_readers.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/placement.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts/part_data.h"
#include "ui/live_selections.h"

namespace zembrati::parts {
namespace {
constexpr std::int16_t kFirst = 1;
}  // namespace

ObjectRef ProfilePart::Create(const ObjectRef& /*parent: parts always go under the page's root*/) {
  const ObjectRef part = AddPartShape(host::Session().ScenePage);
  // A part that cannot be finished is taken out again: a failed creation adds nothing.
  try {
    Build(part);
  } catch (...) {
    RemoveShapeAfterFailure(part);
    throw;
  }
  return part;
}

void ProfilePart::Build(const ObjectRef& part) {
  host::SessionState& session = host::Session();
  host::ApplyPlacement(part);
  const std::int16_t key = ui::CurrentSelections().StandardItemData();
  std::string nameFormat, designation;
  catalogue::QDesignazione(session.NormeDir + session.IniFile, key, nameFormat, designation);
  geometry::GenerateSection(type_, part, designation, session.Dims);
  const PartName name = MakePartName(nameFormat, designation);
  host::SetName(part, name.name);
  WritePartData(part, Normativa, Codice, lung, MaterialCode, name.name);
  WritePartVariables(part, name.nameTemplate);
  WriteHandlerComponents(part, GetHandlerId());
  host::Update(session.ScenePage);
}

void ProfilePart::GetPartData(const ObjectRef& shape) {
  const ObjectRef components = host::Components(shape, kPartVariablesKind);
  if (host::Count(components) <= 0) return;
  const ObjectRef block = host::Item(components, kFirst);
  host::SessionState& session = host::Session();
  session.StoredTab = host::Value(host::Variable(block, 1, 5)).ToInteger();
  session.StoredType = host::Value(host::Variable(block, 1, 1)).ToInteger();
  session.StoredNorm = host::Value(host::Variable(block, 2, 13)).ToText();
  session.StoredCode = host::Value(host::Variable(block, 2, 14)).ToText();
  session.StoredMaterial = host::Value(host::Variable(block, 2, 16)).ToText();
  session.StoredLength = GetPartLength(shape);
}

std::string ProfilePart::GetHandlerId() const {
  const ObjectRef registry = host::CreateHostObject(host::kHandlerRegistry);
  return host::GetHandler(registry, ProgId(), 0);
}

void ProfilePart::WritePartVariables(const ObjectRef& shape, const std::string& nameTemplate) const {
  parts::WritePartVariables(shape, nameTemplate,
                            {std::string(type_.className), Normativa, Codice, FileData, MaterialCode});
}

}  // namespace zembrati::parts
