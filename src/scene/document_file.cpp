#include "document_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>

#include "data_objects.h"
#include "file_output.h"
#include "runtime/paths.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

using Json = nlohmann::ordered_json;
using automation::Variant;
using automation::VariantType;

constexpr const char* kFormat = "zembrati-scene";
constexpr int kVersion = 1;
// How deeply the JSON of a scene may nest. A part at the root of a scene reaches about 22 levels
// and every shape nested inside another adds 4, so this allows about 60 levels of shapes in
// shapes; anything deeper is not a scene this host wrote, and refusing it early keeps every
// walk over the tree shallow.
constexpr int kMaxNesting = 256;
// The largest scene file read: far beyond any scene of tens of thousands of parts.
constexpr std::uintmax_t kMaxSceneBytes = std::uintmax_t{1} << 30;

// Refuses text that nests arrays and objects deeper than kMaxNesting, before it is parsed.
void CheckNesting(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxNesting) {
        throw std::runtime_error("it nests deeper than " + std::to_string(kMaxNesting) + " levels");
      }
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
}

// A whole number of the type it is read into; anything else (a fraction, a number out of the
// type's range, a text) is damage, not a value to be cut to size.
template <typename Integer>
Integer WholeNumber(const Json& json, const char* what) {
  using Limits = std::numeric_limits<Integer>;
  if (json.is_number_unsigned()) {
    const std::uint64_t value = json.get<std::uint64_t>();
    if (value <= static_cast<std::uint64_t>(Limits::max())) return static_cast<Integer>(value);
  } else if (json.is_number_integer()) {
    const std::int64_t value = json.get<std::int64_t>();
    if (value >= Limits::min() && value <= Limits::max()) return static_cast<Integer>(value);
  }
  throw std::runtime_error(std::string(what) + " " + json.dump() + " is not a whole number from " +
                           std::to_string(Limits::min()) + " to " + std::to_string(Limits::max()));
}

const char* RoleName(NodeRole role) {
  switch (role) {
    case NodeRole::Shape: return "shape";
    case NodeRole::Component: return "component";
    case NodeRole::Profile: return "profile";
    case NodeRole::Loop: return "loop";
  }
  return "shape";
}

NodeRole RoleFromName(const std::string& name) {
  if (name == "shape") return NodeRole::Shape;
  if (name == "component") return NodeRole::Component;
  if (name == "profile") return NodeRole::Profile;
  if (name == "loop") return NodeRole::Loop;
  throw std::runtime_error("unknown node role \"" + name + "\"");
}

// Doubles that JSON cannot hold (a length set to NaN, say) are kept as text.
Json DoubleToJson(double value) {
  if (std::isfinite(value)) return value;
  return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
}

double DoubleFromJson(const Json& json) {
  if (json.is_number()) return json.get<double>();
  const std::string text = json.get<std::string>();
  if (text == "NaN") return std::nan("");
  if (text == "Inf") return INFINITY;
  if (text == "-Inf") return -INFINITY;
  throw std::runtime_error("\"" + text + "\" is not a number");
}

Json VariantToJson(const Variant& value) {
  switch (value.type()) {
    case VariantType::Empty: return {{"type", "Empty"}};
    case VariantType::Null: return {{"type", "Null"}};
    case VariantType::Integer: return {{"type", "I2"}, {"value", *value.TryGet<std::int16_t>()}};
    case VariantType::Long: return {{"type", "I4"}, {"value", *value.TryGet<std::int32_t>()}};
    case VariantType::Double: return {{"type", "R8"}, {"value", DoubleToJson(*value.TryGet<double>())}};
    case VariantType::Boolean: return {{"type", "B"}, {"value", *value.TryGet<bool>()}};
    case VariantType::Text: return {{"type", "S"}, {"value", *value.TryGet<std::string>()}};
    default: throw std::runtime_error("an object cannot be saved as a value");
  }
}

Variant VariantFromJson(const Json& json) {
  const std::string type = json.at("type").get<std::string>();
  if (type == "Empty") return {};
  if (type == "Null") return Variant::Null();
  const Json& value = json.at("value");
  if (type == "I2") return WholeNumber<std::int16_t>(value, "an I2 value");
  if (type == "I4") return WholeNumber<std::int32_t>(value, "an I4 value");
  if (type == "R8") return DoubleFromJson(value);
  if (type == "B") return value.get<bool>();
  if (type == "S") return value.get<std::string>();
  throw std::runtime_error("unknown value type \"" + type + "\"");
}

Json PointToJson(Point2 p) { return Json::array({DoubleToJson(p.x), DoubleToJson(p.y)}); }
Point2 PointFromJson(const Json& json) {
  return {DoubleFromJson(json.at(0)), DoubleFromJson(json.at(1))};
}

Json SketchToJson(const LoopSketch& sketch) {
  Json json = Json::object();
  if (sketch.start) json["start"] = PointToJson(*sketch.start);
  if (!sketch.lines.empty()) {
    json["lines"] = Json::array();
    for (const Point2& p : sketch.lines) json["lines"].push_back(PointToJson(p));
  }
  if (!sketch.fillets.empty()) {
    json["fillets"] = Json::array();
    for (const FilletRequest& f : sketch.fillets) {
      json["fillets"].push_back(Json::array({f.index, DoubleToJson(f.radius)}));
    }
  }
  if (sketch.circleCentre) {
    json["circle"] = {{"centre", PointToJson(*sketch.circleCentre)},
                      {"radius", DoubleToJson(sketch.circleRadius)}};
  }
  return json;
}

LoopSketch SketchFromJson(const Json& json) {
  LoopSketch sketch;
  if (json.contains("start")) sketch.start = PointFromJson(json["start"]);
  for (const Json& p : json.value("lines", Json::array())) sketch.lines.push_back(PointFromJson(p));
  for (const Json& f : json.value("fillets", Json::array())) {
    sketch.fillets.push_back({WholeNumber<std::int32_t>(f.at(0), "a fillet index"), DoubleFromJson(f.at(1))});
  }
  if (json.contains("circle")) {
    sketch.circleCentre = PointFromJson(json["circle"].at("centre"));
    sketch.circleRadius = DoubleFromJson(json["circle"].at("radius"));
  }
  return sketch;
}

Json DataObjectToJson(const std::string& classId, const automation::ObjectRef& object) {
  if (const auto* properties = dynamic_cast<const PropertyCollectionObject*>(object.get())) {
    Json items = Json::array();
    for (const auto& item : properties->items) {
      items.push_back({{"name", item->name}, {"value", VariantToJson(item->value)}});
    }
    return {{"classId", classId}, {"properties", items}};
  }
  if (const auto* summary = dynamic_cast<const SummaryObject*>(object.get())) {
    return {{"classId", classId},
            {"summary", {{"description", summary->description}, {"partNumber", summary->partNumber}}}};
  }
  throw std::runtime_error("the data object " + classId + " is not one this host can save");
}

automation::ObjectRef DataObjectFromJson(const Json& json) {
  if (json.contains("properties")) {
    auto collection = std::make_shared<PropertyCollectionObject>();
    for (const Json& entry : json["properties"]) {
      auto item = std::make_shared<PropertyItemObject>();
      item->name = entry.at("name").get<std::string>();
      item->value = VariantFromJson(entry.at("value"));
      collection->items.push_back(item);
    }
    return collection;
  }
  auto summary = std::make_shared<SummaryObject>();
  summary->description = json.at("summary").at("description").get<std::string>();
  summary->partNumber = json.at("summary").at("partNumber").get<std::string>();
  return summary;
}

Json NodeToJson(const Node& node);

Json NodeListToJson(const std::vector<NodePtr>& nodes) {
  Json list = Json::array();
  for (const NodePtr& n : nodes) list.push_back(NodeToJson(*n));
  return list;
}

Json NodeToJson(const Node& node) {
  Json json = {{"role", RoleName(node.role)}, {"kind", node.kind}};
  if (!node.name.empty()) json["name"] = node.name;
  if (node.role == NodeRole::Shape) {
    Json placement = Json::array();
    for (const double p : node.placement.ToPlacement()) placement.push_back(DoubleToJson(p));
    json["placement"] = placement;
  }
  if (!node.components.empty()) {
    json["components"] = Json::array();
    for (const auto& [componentKind, list] : node.components) {
      json["components"].push_back({{"kind", componentKind}, {"items", NodeListToJson(list)}});
    }
  }
  if (!node.variables.empty()) {
    json["variables"] = Json::array();
    for (const auto& [index, value] : node.variables) {
      json["variables"].push_back({{"index", index}, {"value", VariantToJson(value)}});
    }
  }
  if (!node.keyedVariables.empty()) {
    json["keyedVariables"] = Json::array();
    for (const auto& [key, value] : node.keyedVariables) {
      json["keyedVariables"].push_back(
          {{"kind", key.first}, {"index", key.second}, {"value", VariantToJson(value)}});
    }
  }
  if (!node.shapes.empty()) json["shapes"] = NodeListToJson(node.shapes);
  if (node.profile) json["profile"] = NodeToJson(*node.profile);
  if (node.role == NodeRole::Loop) json["sketch"] = SketchToJson(node.sketch);
  if (!node.dataObjects.empty()) {
    json["dataObjects"] = Json::array();
    for (const auto& [classId, object] : node.dataObjects) {
      json["dataObjects"].push_back(DataObjectToJson(classId, object));
    }
  }
  return json;
}

NodePtr NodeFromJson(const Json& json, const NodePtr& owner) {
  auto node = std::make_shared<Node>();
  node->role = RoleFromName(json.at("role").get<std::string>());
  node->kind = WholeNumber<std::int32_t>(json.at("kind"), "a kind");
  node->owner = owner;
  node->name = json.value("name", "");
  if (json.contains("placement")) {
    std::array<double, 7> p{};
    for (std::size_t i = 0; i < p.size(); ++i) {
      p[i] = DoubleFromJson(json["placement"].at(i));
      // A shape somewhere at infinity cannot be drawn, meshed or exported.
      if (!std::isfinite(p[i])) throw std::runtime_error("a placement holds " + json["placement"].at(i).dump());
    }
    node->placement = RigidTransform::FromPlacement(p);
  }
  for (const Json& group : json.value("components", Json::array())) {
    auto& list = node->components[WholeNumber<std::int32_t>(group.at("kind"), "a component kind")];
    for (const Json& item : group.at("items")) list.push_back(NodeFromJson(item, node));
  }
  for (const Json& v : json.value("variables", Json::array())) {
    node->variables[WholeNumber<std::int32_t>(v.at("index"), "a variable index")] = VariantFromJson(v.at("value"));
  }
  for (const Json& v : json.value("keyedVariables", Json::array())) {
    const std::pair key{WholeNumber<std::int32_t>(v.at("kind"), "a variable kind"),
                        WholeNumber<std::int16_t>(v.at("index"), "a variable index")};
    node->keyedVariables[key] = VariantFromJson(v.at("value"));
  }
  for (const Json& shape : json.value("shapes", Json::array())) {
    node->shapes.push_back(NodeFromJson(shape, node));
  }
  if (json.contains("profile")) node->profile = NodeFromJson(json["profile"], node);
  if (json.contains("sketch")) node->sketch = SketchFromJson(json["sketch"]);
  for (const Json& data : json.value("dataObjects", Json::array())) {
    node->dataObjects[data.at("classId").get<std::string>()] = DataObjectFromJson(data);
  }
  return node;
}

// Rebuilds what can be rebuilt; a body left unfinished by a failed operation stays without a
// solid rather than making the whole document unreadable.
void RebuildAfterLoad(const Document& document) {
  for (const NodePtr& body : document.Bodies()) {
    try {
      RebuildBody(*body);
      const Box2& box = body->section->box;
      body->sizeBox = SizeBox{{box.minX, box.minY, 0}, {box.maxX, box.maxY, body->length}};
    } catch (const runtime::RuntimeError&) {
      body->section.reset();
    }
  }
}

}  // namespace

std::string DocumentToJson(const Document& document) {
  try {
    const Json json = {{"format", kFormat},
                       {"version", kVersion},
                       {"unit", LengthUnitName(document.unit)},
                       {"root", NodeToJson(*document.root)}};
    // Bytes that are not UTF-8 (a name some client set) are saved as U+FFFD rather than
    // making the scene unsaveable.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
  } catch (const std::exception& e) {
    RaiseSceneError(scene_error::kBadDocument, std::string("The scene cannot be saved: ") + e.what());
  }
}

Document DocumentFromJson(const std::string& text) {
  try {
    CheckNesting(text);
    const Json json = Json::parse(text);
    if (json.at("format").get<std::string>() != kFormat) throw std::runtime_error("not a scene file");
    if (WholeNumber<std::int32_t>(json.at("version"), "the version") != kVersion) {
      throw std::runtime_error("version " + json["version"].dump() + " is not one this program reads");
    }
    Document document;
    const auto unit = LengthUnitFromName(json.at("unit").get<std::string>());
    if (!unit) throw std::runtime_error("unknown length unit " + json["unit"].dump());
    document.unit = *unit;
    document.root = NodeFromJson(json.at("root"), nullptr);
    RebuildAfterLoad(document);
    return document;
  } catch (const std::exception& e) {
    RaiseSceneError(scene_error::kBadDocument, std::string("The scene is damaged: ") + e.what());
  }
}

void SaveDocument(const Document& document, const std::string& path) {
  WriteWholeFile(path, DocumentToJson(document), "scene file");
}

Document LoadDocument(const std::string& path) {
  std::error_code error;
  const std::filesystem::path native = runtime::PathFromUtf8(path);
  if (std::filesystem::is_directory(native, error)) {
    RaiseSceneError(scene_error::kBadDocument, path + " is a folder, not a scene file");
  }
  // A device, a pipe or a file larger than any scene would be read for ever or fill the memory.
  if (std::filesystem::exists(native, error) && !std::filesystem::is_regular_file(native, error)) {
    RaiseSceneError(scene_error::kBadDocument, path + " is not a file a scene can be read from");
  }
  const auto size = std::filesystem::file_size(native, error);
  if (!error && size > kMaxSceneBytes) {
    RaiseSceneError(scene_error::kBadDocument, path + " is larger than a scene can be (" + std::to_string(size) + " bytes)");
  }
  std::ifstream in(runtime::PathFromUtf8(path), std::ios::binary);
  if (!in) RaiseSceneError(scene_error::kBadDocument, "Cannot read the scene file " + path);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  try {
    return DocumentFromJson(text);
  } catch (const runtime::RuntimeError& e) {
    RaiseSceneError(e.number(), path + ": " + e.description());
  }
}

}  // namespace zembrati::scene
