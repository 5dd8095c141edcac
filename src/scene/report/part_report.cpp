#include "report/part_report.h"

#include "catalogue/catalogue_text.h"
#include "data_objects.h"
#include "host/host_classes.h"
#include "report/section_report.h"
#include "parts/name_template.h"
#include "runtime/runtime_error.h"
#include "step/cut_solids.h"

#include <cmath>

namespace zembrati::report {
namespace {

using Json = nlohmann::ordered_json;

// The part's stored choices live in its first kind-34 component, keyed by kind and index.
constexpr std::int32_t kStoredDataComponent = 34;

automation::Variant Value(const scene::NodePtr& block, std::int32_t kind, std::int16_t index) {
  if (!block) return {};
  const auto found = block->keyedVariables.find({kind, index});
  return found == block->keyedVariables.end() ? automation::Variant() : found->second;
}

std::string Text(const scene::NodePtr& block, std::int32_t kind, std::int16_t index) {
  const automation::Variant value = Value(block, kind, index);
  return value.IsObject() ? std::string() : value.ToText();
}

// A damaged part may hold anything there; only a whole number is a type code.
Json TypeCodeJson(const automation::Variant& value) {
  if (const auto* code = value.TryGet<std::int16_t>()) return *code;
  if (const auto* code = value.TryGet<std::int32_t>()) return *code;
  return nullptr;
}

Json VariablesReport(const scene::NodePtr& block) {
  Json variables = Json::array();
  if (!block) return variables;
  for (const auto& [key, value] : block->keyedVariables) {
    Json v = ValueReport(value);
    variables.push_back({{"kind", key.first}, {"index", key.second}, {"type", v["type"]}, {"value", v["value"]}});
  }
  return variables;
}

Json PropertiesReport(const scene::Node& part) {
  Json properties = Json::array();
  const auto collection = part.dataObjects.find(std::string(host::kPropertyCollection.classId));
  if (collection == part.dataObjects.end()) return properties;
  if (const auto* list = dynamic_cast<const scene::PropertyCollectionObject*>(collection->second.get())) {
    for (const auto& item : list->items) {
      Json v = ValueReport(item->value);
      properties.push_back({{"name", item->name}, {"type", v["type"]}, {"value", v["value"]}});
    }
  }
  return properties;
}

// To `places` decimals, as printed: a figure the shop reads.
double Rounded(double value, int places) {
  const double scale = std::pow(10.0, places);
  return std::round(value * scale) / scale + 0.0;
}

Json EndReport(const scene::Node& body, bool atEnd) {
  const scene::EndCut none;
  const scene::EndCut& cut = body.cuts ? (atEnd ? body.cuts->end : body.cuts->start) : none;
  Json end = {{"end", atEnd ? "end" : "start"}, {"joint", nullptr}};
  if (cut.joint) {
    const auto other = cut.joint->other.lock();
    end["joint"] = {{"kind", cut.joint->kind}, {"to", other ? Json(other->name) : Json(nullptr)}, {"gap_mm", cut.joint->gap}};
  }
  const scene::EndAngles angles = scene::AnglesOf(*body.section, cut);
  end["angle_web_deg"] = Rounded(angles.web, 2);
  end["angle_flange_deg"] = Rounded(angles.flange, 2);
  return end;
}

// What is left of the member after its end cuts: its length tip to tip (to a tenth of a
// millimetre, as it is cut), its volume and mass, and how each end is cut. A solid the modeller
// cannot make reports no figures rather than wrong ones.
void AddCutReport(Json& out, const scene::Node& body) {
  try {
    const scene::CutExtent extent = scene::ExtentOf(body);
    out["cut_length_mm"] = Rounded(extent.zMax - extent.zMin, 1);
    out["volume_mm3"] = extent.volume;
    out["mass_kg"] = SteelMassKg(extent.volume);
  } catch (const runtime::RuntimeError&) {
    out["cut_length_mm"] = nullptr;
    out["volume_mm3"] = nullptr;
    out["mass_kg"] = nullptr;
  }
  out["ends"] = Json::array({EndReport(body, false), EndReport(body, true)});
}

}  // namespace

Json ValueReport(const automation::Variant& value) {
  Json out = {{"type", std::string(automation::TypeName(value.type()))}};
  switch (value.type()) {
    case automation::VariantType::Integer: out["value"] = *value.TryGet<std::int16_t>(); break;
    case automation::VariantType::Long: out["value"] = *value.TryGet<std::int32_t>(); break;
    case automation::VariantType::Double: out["value"] = *value.TryGet<double>(); break;
    case automation::VariantType::Boolean: out["value"] = *value.TryGet<bool>(); break;
    case automation::VariantType::Text: out["value"] = *value.TryGet<std::string>(); break;
    default: out["value"] = nullptr;
  }
  return out;
}

std::int16_t StoredTypeCode(const scene::Node& part) {
  const Json code = TypeCodeJson(Value(part.FirstComponent(kStoredDataComponent), 1, 1));
  return code.is_number_integer() && code.get<std::int64_t>() >= 1 && code.get<std::int64_t>() <= 12
             ? static_cast<std::int16_t>(code.get<std::int64_t>())
             : std::int16_t{0};
}

std::string StoredText(const scene::Node& part, std::int16_t index) {
  return Text(part.FirstComponent(kStoredDataComponent), 2, index);
}

std::optional<std::int16_t> StoredFamily(const scene::Node& part) {
  const automation::Variant value = Value(part.FirstComponent(kStoredDataComponent), 1, 5);
  if (const auto* family = value.TryGet<std::int16_t>()) return *family;
  return std::nullopt;
}

std::string PartNumberOf(const scene::Node& part) {
  const auto summary = part.dataObjects.find(std::string(host::kSummaryObject.classId));
  if (summary == part.dataObjects.end()) return {};
  const auto* object = dynamic_cast<const scene::SummaryObject*>(summary->second.get());
  return object ? object->partNumber : std::string();
}

std::string PartDesignation(const scene::Node& part) {
  std::string text = Text(part.FirstComponent(kStoredDataComponent), 2, 2);
  if (const std::size_t length = text.find('@'); length != std::string::npos) {
    // "IPE 300 x @": what comes before the length, less the " x " that joins it.
    text = catalogue::TrimSpaces(text.substr(0, length));
    if (!text.empty() && (text.back() == 'x' || text.back() == 'X')) text = catalogue::TrimSpaces(text.substr(0, text.size() - 1));
  }
  if (!text.empty()) return text;
  return catalogue::TrimSpaces(StoredText(part, 13) + " " + StoredText(part, 14));
}

std::string PartMark(const scene::Node& part) {
  const automation::Variant nameTemplate = Value(part.FirstComponent(kStoredDataComponent), 2, 2);
  const std::string* text = nameTemplate.TryGet<std::string>();
  return text ? catalogue::TrimSpaces(parts::UserSuffix(part.name, *text)) : std::string();
}

Json PartReport(const scene::NodePtr& part, SectionReports* sections) {
  const scene::NodePtr block = part->FirstComponent(kStoredDataComponent);
  Json out = {{"name", part->name},
              {"class", Text(block, 2, 1)},
              {"type_code", TypeCodeJson(Value(block, 1, 1))},
              {"standard", Text(block, 2, 13)},
              {"size", Text(block, 2, 14)},
              {"material", Text(block, 2, 16)}};
  const scene::NodePtr body = scene::FirstBody(*part);
  out["length_mm"] = body && body->section ? Json(body->length) : Json(nullptr);
  out["part_variables"] = VariablesReport(block);
  out["properties"] = PropertiesReport(*part);
  const auto summary = part->dataObjects.find(std::string(host::kSummaryObject.classId));
  if (summary != part->dataObjects.end()) {
    if (const auto* s = dynamic_cast<const scene::SummaryObject*>(summary->second.get())) {
      out["summary"] = {{"description", s->description}, {"part_number", s->partNumber}};
    }
  }
  if (body && body->section) {
    out["area_mm2"] = body->section->area;
    AddCutReport(out, *body);
    out["section"] = sections ? sections->Json(body->section, StoredTypeCode(part))
                              : SectionPropertiesJson(*body->section, StoredTypeCode(part));
  }
  Json placement = Json::array();
  for (const double p : part->placement.ToPlacement()) placement.push_back(p);
  out["placement"] = placement;
  return out;
}

}  // namespace zembrati::report
