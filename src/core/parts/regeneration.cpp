#include "parts/regeneration.h"

#include <cmath>
#include <vector>

#include "catalogue/configuration.h"
#include "catalogue/string_table.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "host/undo_log.h"
#include "parts/name_template.h"
#include "parts/part_data.h"
#include "runtime/number_text.h"
#include "runtime/runtime_error.h"

namespace zembrati::parts {
namespace {

// A data object of the part's item, or null when the item has none. Hosts answer a missing data
// object with Nothing or with an error, so an error here means "none" and is not reported.
ObjectRef DataObjectOrNone(const ObjectRef& item, std::string_view classId) {
  try {
    return host::DataObject(item, classId);
  } catch (const runtime::RuntimeError&) {
    return nullptr;
  }
}

// The properties labelled as the length in the current language.
std::vector<ObjectRef> LengthProperties(const ObjectRef& properties) {
  const std::string label = catalogue::LoadString(host::Session().LangBase + catalogue::text::kLength);
  std::vector<ObjectRef> found;
  const std::int32_t count = host::Count(properties);
  for (std::int32_t i = 1; i <= count; ++i) {
    const ObjectRef property = host::Item(properties, i);
    if (host::Name(property) == label) found.push_back(property);
  }
  return found;
}

void SetLengthProperties(const ObjectRef& properties, double length, host::UndoLog& undo) {
  for (const ObjectRef& property : LengthProperties(properties)) {
    const automation::Variant old = host::Value(property);
    undo.Add([property, old] { host::SetValue(property, old); });
    host::SetValue(property, runtime::GeneralForm(length));
  }
}

// The description as it was is kept whatever it holds, to be put back as it was; a summary whose
// description cannot be read is left alone, as a missing summary is.
void SetDescription(const ObjectRef& summary, const std::string& partName, host::UndoLog& undo) {
  automation::Variant old;
  try {
    old = host::Description(summary);
  } catch (const runtime::RuntimeError&) {
    return;
  }
  undo.Add([summary, old] { host::SetDescription(summary, old); });
  host::SetDescription(summary, partName);
}

// The length property and the description follow the new length and name. A part without a
// property collection keeps its description too, as it always has.
void UpdatePartData(const ObjectRef& shape, double length, const std::string& partName, host::UndoLog& undo) {
  const ObjectRef item = FindPartItem(host::ChildShapes(host::Shape(host::Session().ScenePage)), shape);
  if (!item) return;
  const ObjectRef properties = DataObjectOrNone(item, host::kPropertyCollection.classId);
  if (!properties) return;
  SetLengthProperties(properties, length, undo);
  const ObjectRef summary = DataObjectOrNone(item, host::kSummaryObject.classId);
  if (summary) SetDescription(summary, partName, undo);
}

}  // namespace

void UpdatePartData(const ObjectRef& shape, double length, const std::string& partName) {
  host::UndoLog undo;
  undo.RunOrUndo([&] { UpdatePartData(shape, length, partName, undo); });
}

void RegeneratePart(const ObjectRef& shape) {
  if (!IsPart(shape)) return;
  host::SessionState& session = host::Session();
  session.ScenePage = host::Page(shape);
  catalogue::GetLanguageBase(session.LangBase);
  const std::string nameTemplate = NameTemplateOf(shape);
  const automation::Variant oldLength = host::Value(LengthVariableOf(shape));
  const double length = std::floor(oldLength.ToDouble());
  const std::size_t at = nameTemplate.find('@');
  if (at == std::string::npos) return;
  const std::string before = nameTemplate.substr(0, at);
  const std::string after = nameTemplate.substr(at + 1);
  const std::string oldName = host::Name(shape);
  const std::string name = before + runtime::GeneralForm(length) + after + UserSuffix(oldName, nameTemplate);
  // Name, data and length change together or not at all.
  host::UndoLog undo;
  undo.RunOrUndo([&] {
    undo.Add([&] { host::SetName(shape, oldName); });
    host::SetName(shape, name);
    UpdatePartData(shape, length, name, undo);
    undo.Add([&] { SetPartLength(shape, oldLength); });
    SetPartLength(shape, length);
  });
}

}  // namespace zembrati::parts
