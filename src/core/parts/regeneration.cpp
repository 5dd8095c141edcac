#include "parts/regeneration.h"

#include <cmath>

#include "catalogue/configuration.h"
#include "catalogue/string_table.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts/name_template.h"
#include "parts/part_data.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace zembrati::parts {
namespace {

// The length property's new value; returns false when an error stopped it.
bool UpdateLengthProperty(const ObjectRef& item, double length) {
  try {
    const ObjectRef properties = host::DataObject(item, host::kPropertyCollection.classId);
    if (!properties) return false;
    const std::string label = catalogue::LoadString(host::Session().LangBase + catalogue::text::kLength);
    const std::int32_t count = host::Count(properties);
    for (std::int32_t i = 1; i <= count; ++i) {
      const ObjectRef property = host::Item(properties, i);
      if (host::Name(property) == label) host::SetValue(property, runtime::GeneralForm(length));
    }
    return true;
  } catch (const runtime::RuntimeError&) {
    return false;
  }
}

}  // namespace

void UpdatePartData(const ObjectRef& shape, double length, const std::string& partName) {
  const ObjectRef item = FindPartItem(host::ChildShapes(host::Shape(host::Session().ScenePage)), shape);
  if (!item) return;
  if (!UpdateLengthProperty(item, length)) return;
  try {
    const ObjectRef summary = host::DataObject(item, host::kSummaryObject.classId);
    if (summary) host::SetDescription(summary, partName);
  } catch (const runtime::RuntimeError&) {
    // ignored, as every error of this update is
  }
}

void RegeneratePart(const ObjectRef& shape) {
  if (!IsPart(shape)) return;
  host::SessionState& session = host::Session();
  session.ScenePage = host::Page(shape);
  catalogue::GetLanguageBase(session.LangBase);
  const std::string nameTemplate = NameTemplateOf(shape);
  const double length = std::floor(GetPartLength(shape));
  const std::size_t at = nameTemplate.find('@');
  if (at == std::string::npos) return;
  const std::string before = nameTemplate.substr(0, at);
  const std::string after = nameTemplate.substr(at + 1);
  const std::string suffix = UserSuffix(host::Name(shape), nameTemplate);
  const std::string name = before + runtime::GeneralForm(length) + after + suffix;
  host::SetName(shape, name);
  UpdatePartData(shape, length, name);
  SetPartLength(shape, length);
}

}  // namespace zembrati::parts
