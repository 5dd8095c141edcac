#include "parts/part_data.h"

#include <cctype>
#include <string_view>

#include "automation/object.h"
#include "catalogue/catalogue_text.h"
#include "catalogue/string_table.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "runtime/number_text.h"
#include "ui/live_selections.h"

namespace zembrati::parts {
namespace {

using host::Components;
using host::Item;
using host::Variable;

constexpr std::int16_t kFirst = 1;

std::string NumberText(double value) { return runtime::GeneralForm(value, runtime::UserDecimalSeparator()); }

// The first component of a kind, added when the shape has none yet.
ObjectRef FirstOrNewComponent(const ObjectRef& shape, std::int32_t kind) {
  const ObjectRef components = Components(shape, kind);
  return host::Count(components) != 0 ? Item(components, kFirst) : host::Add(components);
}

void PutKeyed(const ObjectRef& component, std::int32_t kind, std::int16_t index, const automation::Variant& value) {
  host::SetValue(Variable(component, kind, index), value);
}

void AddProperty(const ObjectRef& collection, std::int16_t offset, const automation::Variant& value) {
  const ObjectRef property = host::CreateHostObject(host::kPropertyItem);
  host::SetName(property, catalogue::LoadString(host::Session().LangBase + offset));
  host::SetValue(property, value);
  host::Add(collection, property);
}

std::string DigitsOf(const std::string& text) {
  std::string digits;
  for (const char c : text) {
    if (c >= '0' && c <= '9') digits += c;
  }
  return digits;
}

constexpr std::string_view kWallPlaceholder = "{t}";

// The size's part number, as written on the part.
std::string PartNumberOf(const std::string& sizePartNumber, const std::string& partName) {
  if (sizePartNumber == "1" || sizePartNumber == "1.0") return DigitsOf(partName);
  // A size that comes in several walls names them all with one part number: "{t}" in it stands
  // for the wall the user picked.
  std::string partNumber = sizePartNumber;
  const std::string thickness = catalogue::TrimSpaces(ui::CurrentSelections().ThicknessText());
  for (std::size_t at = partNumber.find(kWallPlaceholder); at != std::string::npos;
       at = partNumber.find(kWallPlaceholder, at + thickness.size())) {
    partNumber.replace(at, kWallPlaceholder.size(), thickness);
  }
  return partNumber;
}

}  // namespace

PartName MakePartName(const std::string& nameFormat, const std::string& designation) {
  const ui::LiveSelections& selections = ui::CurrentSelections();
  const auto& dims = host::Session().Dims;
  PartName result;
  for (const char c : nameFormat) {
    switch (c) {
      case 'D': result.name += designation; result.nameTemplate += designation; break;
      case 'C': result.name += selections.SizeText(); result.nameTemplate += selections.SizeText(); break;
      case 'N': result.name += selections.StandardText(); result.nameTemplate += selections.StandardText(); break;
      case 'M': result.name += selections.MaterialText(); result.nameTemplate += selections.MaterialText(); break;
      case 'L': result.name += NumberText(dims[1]); result.nameTemplate += "@"; break;
      case 'S': result.name += NumberText(dims[2]); result.nameTemplate += NumberText(dims[2]); break;
      default: result.name += c; result.nameTemplate += c;
    }
  }
  return result;
}

void WritePartVariables(const ObjectRef& shape, const std::string& nameTemplate, const PartProperties& properties) {
  const host::SessionState& session = host::Session();
  const ObjectRef block = FirstOrNewComponent(shape, kPartVariablesKind);
  PutKeyed(block, 2, 0, kPartMarker);
  PutKeyed(block, 2, 1, properties.className);
  PutKeyed(block, 2, 2, nameTemplate);
  PutKeyed(block, 1, 0, std::int16_t{0});
  PutKeyed(block, 1, 1, session.TypeCode);
  PutKeyed(block, 1, 2, std::int16_t{0});
  PutKeyed(block, 1, 5, session.NormTab);
  PutKeyed(block, 2, 13, properties.normativa);
  PutKeyed(block, 2, 14, properties.codice);
  PutKeyed(block, 2, 15, properties.fileData);
  PutKeyed(block, 2, 16, properties.materialCode);
}

void WriteHandlerComponents(const ObjectRef& shape, const std::string& handler) {
  const ObjectRef handlerComponent = FirstOrNewComponent(shape, kHandlerKind);
  host::SetValue(Variable(handlerComponent, 3), std::int32_t{5});
  host::SetValue(Variable(handlerComponent, 5), std::int32_t{5});
  host::SetValue(Variable(handlerComponent, 1), std::int32_t{1});
  const ObjectRef textComponent = FirstOrNewComponent(shape, kHandlerTextKind);
  host::SetValue(Variable(textComponent, 1), handler);
}

ObjectRef FindPartItem(const ObjectRef& items, const ObjectRef& shape) {
  if (!items) return nullptr;
  ObjectRef found;
  const std::int32_t count = host::Count(items);
  for (std::int32_t i = 1; i <= count; ++i) {
    const ObjectRef item = Item(items, i);
    if (automation::SameObject(host::InstanceShape(item), shape)) return item;
    if (found) return found;
    found = FindPartItem(host::ChildShapes(item), shape);
  }
  return found;
}

void WritePartData(const ObjectRef& shape, const std::string& standard, const std::string& size, double length,
                   const std::string& material, const std::string& partName) {
  const ObjectRef item = FindPartItem(host::ChildShapes(host::Shape(host::Session().ScenePage)), shape);
  if (!item) return;
  const ObjectRef properties = host::CreateHostObject(host::kPropertyCollection);
  host::SetDataObject(item, host::kPropertyCollection.classId, properties);
  AddProperty(properties, catalogue::text::kStandard, standard);
  AddProperty(properties, catalogue::text::kSize, size);
  if (length > 0) AddProperty(properties, catalogue::text::kLength, length);
  AddProperty(properties, catalogue::text::kMaterial, material);
  const ObjectRef summary = host::CreateHostObject(host::kSummaryObject);
  host::SetDataObject(item, host::kSummaryObject.classId, summary);
  if (!summary) return;
  host::SetDescription(summary, partName);
  host::SetPartNumber(summary, PartNumberOf(host::Session().SizePartNumber, partName));
}

ObjectRef LengthVariableOf(const ObjectRef& shape) {
  const ObjectRef body = Item(host::Shapes(Item(Components(shape, 23), kFirst)), kFirst);
  return Variable(Item(Components(body, 1), kFirst), 3);
}

double GetPartLength(const ObjectRef& shape) { return host::Value(LengthVariableOf(shape)).ToDouble(); }

void SetPartLength(const ObjectRef& shape, const automation::Variant& value) {
  host::SetValue(LengthVariableOf(shape), value);
}

ObjectRef AddPartShape(const ObjectRef& page) {
  return host::Add(host::Shapes(Item(Components(host::Shape(page), 2), kFirst), 3));
}

void RemoveShape(const ObjectRef& shape) { host::Remove(host::CreateHostObject(host::kShapeService), shape); }

void RemoveShapeAfterFailure(const ObjectRef& shape) noexcept {
  try {
    RemoveShape(shape);
  } catch (...) {
    // the shape stays; the operation's own error is what the caller reports
  }
}

bool IsPart(const ObjectRef& shape) { return host::Count(Components(shape, kPartVariablesKind)) > 0; }

std::string NameTemplateOf(const ObjectRef& shape) {
  return host::Value(Variable(Item(Components(shape, kPartVariablesKind), kFirst), 2, 2)).ToText();
}

}  // namespace zembrati::parts
