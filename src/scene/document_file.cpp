#include "document_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>

#include "data_objects.h"
#include "file_output.h"
#include "json/json_reader.h"
#include "json/json_writer.h"
#include "runtime/paths.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

using automation::Variant;
using automation::VariantType;
using json::JsonKind;
using json::JsonNumber;
using json::JsonReader;
using json::JsonWriter;

constexpr const char* kFormat = "zembrati-scene";
constexpr int kVersion = 1;
// How deeply the JSON of a scene may nest. A part at the root of a scene reaches about 22 levels
// and every shape nested inside another adds 4, so this allows about 60 levels of shapes in
// shapes; anything deeper is not a scene this host wrote, and refusing it early keeps every
// walk over the tree shallow.
constexpr int kMaxNesting = 256;
// The largest scene file read: far beyond any scene of tens of thousands of parts.
constexpr std::uintmax_t kMaxSceneBytes = std::uintmax_t{1} << 30;

const char* RoleName(NodeRole role) {
  switch (role) {
    case NodeRole::Shape: return "shape";
    case NodeRole::Component: return "component";
    case NodeRole::Profile: return "profile";
    case NodeRole::Loop: return "loop";
  }
  return "shape";
}

// ---- writing ----

// Doubles that JSON cannot hold (a length set to NaN, say) are kept as text.
void WriteDouble(JsonWriter& out, double value) {
  if (std::isfinite(value)) {
    out.Double(value);
  } else {
    out.String(std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf"));
  }
}

void WriteVariant(JsonWriter& out, const Variant& value) {
  const auto typed = [&out](const char* type, auto&& writeValue) {
    out.BeginObject();
    out.Key("type");
    out.String(type);
    out.Key("value");
    writeValue();
    out.EndObject();
  };
  switch (value.type()) {
    case VariantType::Empty:
    case VariantType::Null:
      out.BeginObject();
      out.Key("type");
      out.String(value.type() == VariantType::Empty ? "Empty" : "Null");
      out.EndObject();
      return;
    case VariantType::Integer: return typed("I2", [&] { out.Integer(*value.TryGet<std::int16_t>()); });
    case VariantType::Long: return typed("I4", [&] { out.Integer(*value.TryGet<std::int32_t>()); });
    case VariantType::Double: return typed("R8", [&] { WriteDouble(out, *value.TryGet<double>()); });
    case VariantType::Boolean: return typed("B", [&] { out.Boolean(*value.TryGet<bool>()); });
    case VariantType::Text: return typed("S", [&] { out.String(*value.TryGet<std::string>()); });
    default: throw std::runtime_error("an object cannot be saved as a value");
  }
}

void WritePoint(JsonWriter& out, Point2 p) {
  out.BeginArray();
  WriteDouble(out, p.x);
  WriteDouble(out, p.y);
  out.EndArray();
}

void WriteSketch(JsonWriter& out, const LoopSketch& sketch) {
  out.BeginObject();
  if (sketch.start) {
    out.Key("start");
    WritePoint(out, *sketch.start);
  }
  if (!sketch.lines.empty()) {
    out.Key("lines");
    out.BeginArray();
    for (const Point2& p : sketch.lines) WritePoint(out, p);
    out.EndArray();
  }
  if (!sketch.fillets.empty()) {
    out.Key("fillets");
    out.BeginArray();
    for (const FilletRequest& f : sketch.fillets) {
      out.BeginArray();
      out.Integer(f.index);
      WriteDouble(out, f.radius);
      out.EndArray();
    }
    out.EndArray();
  }
  if (sketch.circleCentre) {
    out.Key("circle");
    out.BeginObject();
    out.Key("centre");
    WritePoint(out, *sketch.circleCentre);
    out.Key("radius");
    WriteDouble(out, sketch.circleRadius);
    out.EndObject();
  }
  out.EndObject();
}

void WriteDataObject(JsonWriter& out, const std::string& classId, const automation::ObjectRef& object) {
  out.BeginObject();
  out.Key("classId");
  out.String(classId);
  if (const auto* properties = dynamic_cast<const PropertyCollectionObject*>(object.get())) {
    out.Key("properties");
    out.BeginArray();
    for (const auto& item : properties->items) {
      out.BeginObject();
      out.Key("name");
      out.String(item->name);
      out.Key("value");
      WriteVariant(out, item->value);
      out.EndObject();
    }
    out.EndArray();
  } else if (const auto* summary = dynamic_cast<const SummaryObject*>(object.get())) {
    out.Key("summary");
    out.BeginObject();
    out.Key("description");
    out.String(summary->description);
    out.Key("partNumber");
    out.String(summary->partNumber);
    out.EndObject();
  } else {
    throw std::runtime_error("the data object " + classId + " is not one this host can save");
  }
  out.EndObject();
}

void WriteNode(JsonWriter& out, const Node& node, int depth);

// Each node starts a line of its own, indented by its depth: a part reads as a few lines.
void WriteNodeList(JsonWriter& out, const std::vector<NodePtr>& nodes, int depth) {
  out.BeginArray();
  for (const NodePtr& n : nodes) WriteNode(out, *n, depth);
  out.EndArray();
}

void WriteNodeMembers(JsonWriter& out, const Node& node, int depth) {
  if (!node.components.empty()) {
    out.Key("components");
    out.BeginArray();
    for (const auto& [componentKind, list] : node.components) {
      out.BeginObject();
      out.Key("kind");
      out.Integer(componentKind);
      out.Key("items");
      WriteNodeList(out, list, depth + 1);
      out.EndObject();
    }
    out.EndArray();
  }
  if (!node.variables.empty()) {
    out.Key("variables");
    out.BeginArray();
    for (const auto& [index, value] : node.variables) {
      out.BeginObject();
      out.Key("index");
      out.Integer(index);
      out.Key("value");
      WriteVariant(out, value);
      out.EndObject();
    }
    out.EndArray();
  }
  if (!node.keyedVariables.empty()) {
    out.Key("keyedVariables");
    out.BeginArray();
    for (const auto& [key, value] : node.keyedVariables) {
      out.BeginObject();
      out.Key("kind");
      out.Integer(key.first);
      out.Key("index");
      out.Integer(key.second);
      out.Key("value");
      WriteVariant(out, value);
      out.EndObject();
    }
    out.EndArray();
  }
}

void WriteNode(JsonWriter& out, const Node& node, int depth) {
  out.NewLine(2 * depth);
  out.BeginObject();
  out.Key("role");
  out.String(RoleName(node.role));
  out.Key("kind");
  out.Integer(node.kind);
  if (!node.name.empty()) {
    out.Key("name");
    out.String(node.name);
  }
  if (node.role == NodeRole::Shape) {
    out.Key("placement");
    out.BeginArray();
    for (const double p : node.placement.ToPlacement()) WriteDouble(out, p);
    out.EndArray();
  }
  WriteNodeMembers(out, node, depth);
  if (!node.shapes.empty()) {
    out.Key("shapes");
    WriteNodeList(out, node.shapes, depth + 1);
  }
  if (node.profile) {
    out.Key("profile");
    WriteNode(out, *node.profile, depth + 1);
  }
  if (node.role == NodeRole::Loop) {
    out.Key("sketch");
    WriteSketch(out, SketchOf(node));
  }
  if (!node.dataObjects.empty()) {
    out.Key("dataObjects");
    out.BeginArray();
    for (const auto& [classId, object] : node.dataObjects) WriteDataObject(out, classId, object);
    out.EndArray();
  }
  out.EndObject();
}

// ---- reading ----

// A whole number of the type it is read into; anything else (a fraction, a number out of the
// type's range, a text) is damage, not a value to be cut to size.
template <typename Integer>
Integer WholeNumber(JsonReader& in, const char* what) {
  using Limits = std::numeric_limits<Integer>;
  const std::string range = " is not a whole number from " + std::to_string(Limits::min()) + " to " +
                            std::to_string(Limits::max());
  if (in.Peek() != JsonKind::Number) in.Fail(std::string(what) + range);
  const JsonNumber number = in.Number();
  if (!number.whole || number.integer < Limits::min() || number.integer > Limits::max()) {
    in.Fail(std::string(what) + " " + std::string(number.text) + range);
  }
  return static_cast<Integer>(number.integer);
}

std::string Text(JsonReader& in, const char* what) {
  if (in.Peek() != JsonKind::String) in.Fail(std::string(what) + " is not a text");
  return in.String();
}

double DoubleFrom(JsonReader& in, const std::string& text) {
  if (text == "NaN") return std::nan("");
  if (text == "Inf") return INFINITY;
  if (text == "-Inf") return -INFINITY;
  in.Fail("\"" + text + "\" is not a number");
}

double ReadDouble(JsonReader& in) {
  if (in.Peek() == JsonKind::Number) return in.Number().real;
  return DoubleFrom(in, Text(in, "a number"));
}

// Calls `readItem` for each item of the array that comes next.
template <typename ReadItem>
void ReadArray(JsonReader& in, const char* what, ReadItem&& readItem) {
  if (in.Peek() != JsonKind::Array) in.Fail(std::string(what) + " is not a list");
  in.BeginArray();
  while (in.NextItem()) readItem();
}

// Calls `readMember` with each member's name; it returns false for a member it does not know,
// which is skipped.
template <typename ReadMember>
void ReadObject(JsonReader& in, const char* what, ReadMember&& readMember) {
  if (in.Peek() != JsonKind::Object) in.Fail(std::string(what) + " is not an object");
  in.BeginObject();
  std::string key;
  while (in.NextKey(key)) {
    if (!readMember(key)) in.Skip();
  }
}

// `count` numbers in a list.
template <std::size_t count>
std::array<double, count> Numbers(JsonReader& in, const char* what) {
  std::array<double, count> values{};
  std::size_t read = 0;
  ReadArray(in, what, [&] {
    if (read == count) in.Fail(std::string(what) + " has more than " + std::to_string(count) + " numbers");
    values[read++] = ReadDouble(in);
  });
  if (read != count) in.Fail(std::string(what) + " has fewer than " + std::to_string(count) + " numbers");
  return values;
}

Point2 ReadPoint(JsonReader& in) {
  const auto [x, y] = Numbers<2>(in, "a point");
  return {x, y};
}

// A variable's value: its type may come before or after it.
Variant ReadVariant(JsonReader& in) {
  std::optional<std::string> type;
  std::optional<JsonKind> kind;
  JsonNumber number;
  std::string text;
  bool flag = false;
  bool valued = false;
  ReadObject(in, "a value", [&](const std::string& key) {
    if (key == "type") {
      type = Text(in, "a value's type");
    } else if (key == "value") {
      kind = in.Peek();
      if (*kind == JsonKind::Number) {
        number = in.Number();
      } else if (*kind == JsonKind::String) {
        text = in.String();
      } else if (*kind == JsonKind::True || *kind == JsonKind::False) {
        flag = in.Boolean();
      } else {
        in.Fail("a variable's value is not a number, a text or true or false");
      }
      valued = true;
    } else {
      return false;
    }
    return true;
  });
  if (!type) in.Fail("a value without its type");
  if (*type == "Empty") return {};
  if (*type == "Null") return Variant::Null();
  if (!valued) in.Fail("a value of type " + *type + " without its value");
  const auto whole = [&](auto limitsOf, const char* what) {
    using Integer = decltype(limitsOf);
    using Limits = std::numeric_limits<Integer>;
    if (*kind != JsonKind::Number || !number.whole || number.integer < Limits::min() ||
        number.integer > Limits::max()) {
      in.Fail(std::string(what) + " " + (*kind == JsonKind::Number ? std::string(number.text) : "\"" + text + "\"") +
              " is not a whole number from " + std::to_string(Limits::min()) + " to " + std::to_string(Limits::max()));
    }
    return static_cast<Integer>(number.integer);
  };
  if (*type == "I2") return whole(std::int16_t{}, "an I2 value");
  if (*type == "I4") return whole(std::int32_t{}, "an I4 value");
  if (*type == "R8") {
    if (*kind == JsonKind::Number) return number.real;
    if (*kind == JsonKind::String) return DoubleFrom(in, text);
    in.Fail("an R8 value is not a number");
  }
  if (*type == "B") {
    if (*kind != JsonKind::True && *kind != JsonKind::False) in.Fail("a B value is not true or false");
    return flag;
  }
  if (*type == "S") {
    if (*kind != JsonKind::String) in.Fail("an S value is not a text");
    return text;
  }
  in.Fail("unknown value type \"" + *type + "\"");
}

LoopSketch ReadSketch(JsonReader& in) {
  LoopSketch sketch;
  ReadObject(in, "a sketch", [&](const std::string& key) {
    if (key == "start") {
      sketch.start = ReadPoint(in);
    } else if (key == "lines") {
      ReadArray(in, "a sketch's lines", [&] { sketch.lines.push_back(ReadPoint(in)); });
    } else if (key == "fillets") {
      ReadArray(in, "a sketch's fillets", [&] {
        FilletRequest fillet{};
        std::size_t read = 0;
        ReadArray(in, "a fillet", [&] {
          if (read == 0) {
            fillet.index = WholeNumber<std::int32_t>(in, "a fillet index");
          } else if (read == 1) {
            fillet.radius = ReadDouble(in);
          } else {
            in.Fail("a fillet is an index and a radius");
          }
          ++read;
        });
        if (read != 2) in.Fail("a fillet is an index and a radius");
        sketch.fillets.push_back(fillet);
      });
    } else if (key == "circle") {
      bool centre = false, radius = false;
      ReadObject(in, "a circle", [&](const std::string& member) {
        if (member == "centre") {
          sketch.circleCentre = ReadPoint(in);
          centre = true;
        } else if (member == "radius") {
          sketch.circleRadius = ReadDouble(in);
          radius = true;
        } else {
          return false;
        }
        return true;
      });
      if (!centre || !radius) in.Fail("a circle needs its centre and its radius");
    } else {
      return false;
    }
    return true;
  });
  return sketch;
}

automation::ObjectRef ReadDataObject(JsonReader& in, std::string& classId) {
  std::shared_ptr<PropertyCollectionObject> collection;
  std::shared_ptr<SummaryObject> summary;
  bool haveClass = false;
  ReadObject(in, "a data object", [&](const std::string& key) {
    if (key == "classId") {
      classId = Text(in, "a data object's class");
      haveClass = true;
    } else if (key == "properties") {
      collection = std::make_shared<PropertyCollectionObject>();
      ReadArray(in, "a property list", [&] {
        auto item = std::make_shared<PropertyItemObject>();
        bool named = false, valued = false;
        ReadObject(in, "a property", [&](const std::string& member) {
          if (member == "name") {
            item->name = Text(in, "a property's name");
            named = true;
          } else if (member == "value") {
            item->value = ReadVariant(in);
            valued = true;
          } else {
            return false;
          }
          return true;
        });
        if (!named || !valued) in.Fail("a property needs its name and its value");
        collection->items.push_back(item);
      });
    } else if (key == "summary") {
      summary = std::make_shared<SummaryObject>();
      bool described = false, numbered = false;
      ReadObject(in, "a summary", [&](const std::string& member) {
        if (member == "description") {
          summary->description = Text(in, "a summary's description");
          described = true;
        } else if (member == "partNumber") {
          summary->partNumber = Text(in, "a summary's part number");
          numbered = true;
        } else {
          return false;
        }
        return true;
      });
      if (!described || !numbered) in.Fail("a summary needs its description and its part number");
    } else {
      return false;
    }
    return true;
  });
  if (!haveClass) in.Fail("a data object without its class");
  if (collection) return collection;
  if (!summary) in.Fail("a data object with neither properties nor a summary");
  return summary;
}

NodeRole RoleFromName(JsonReader& in, const std::string& name) {
  if (name == "shape") return NodeRole::Shape;
  if (name == "component") return NodeRole::Component;
  if (name == "profile") return NodeRole::Profile;
  if (name == "loop") return NodeRole::Loop;
  in.Fail("unknown node role \"" + name + "\"");
}

NodePtr ReadNode(JsonReader& in, const NodePtr& owner);

void ReadComponents(JsonReader& in, const NodePtr& node) {
  ReadArray(in, "a node's components", [&] {
    std::optional<std::int32_t> componentKind;
    std::vector<NodePtr> items;
    ReadObject(in, "a component group", [&](const std::string& key) {
      if (key == "kind") {
        componentKind = WholeNumber<std::int32_t>(in, "a component kind");
      } else if (key == "items") {
        ReadArray(in, "a component group's items", [&] { items.push_back(ReadNode(in, node)); });
      } else {
        return false;
      }
      return true;
    });
    if (!componentKind) in.Fail("a component group without its kind");
    auto& list = node->components[*componentKind];
    list.insert(list.end(), items.begin(), items.end());
  });
}

void ReadVariables(JsonReader& in, Node& node) {
  ReadArray(in, "a node's variables", [&] {
    std::optional<std::int32_t> index;
    std::optional<Variant> value;
    ReadObject(in, "a variable", [&](const std::string& key) {
      if (key == "index") {
        index = WholeNumber<std::int32_t>(in, "a variable index");
      } else if (key == "value") {
        value = ReadVariant(in);
      } else {
        return false;
      }
      return true;
    });
    if (!index || !value) in.Fail("a variable needs its index and its value");
    node.variables[*index] = std::move(*value);
  });
}

void ReadKeyedVariables(JsonReader& in, Node& node) {
  ReadArray(in, "a node's keyed variables", [&] {
    std::optional<std::int32_t> variableKind;
    std::optional<std::int16_t> index;
    std::optional<Variant> value;
    ReadObject(in, "a variable", [&](const std::string& key) {
      if (key == "kind") {
        variableKind = WholeNumber<std::int32_t>(in, "a variable kind");
      } else if (key == "index") {
        index = WholeNumber<std::int16_t>(in, "a variable index");
      } else if (key == "value") {
        value = ReadVariant(in);
      } else {
        return false;
      }
      return true;
    });
    if (!variableKind || !index || !value) in.Fail("a keyed variable needs its kind, its index and its value");
    node.keyedVariables[{*variableKind, *index}] = std::move(*value);
  });
}

RigidTransform ReadPlacement(JsonReader& in) {
  const auto p = Numbers<7>(in, "a placement");
  for (const double value : p) {
    // A shape somewhere at infinity cannot be drawn, meshed or exported.
    if (!std::isfinite(value)) in.Fail("a placement holds a value that is not a finite number");
  }
  return RigidTransform::FromPlacement(p);
}

NodePtr ReadNode(JsonReader& in, const NodePtr& owner) {
  auto node = std::make_shared<Node>();
  node->owner = owner;
  bool haveRole = false, haveKind = false;
  ReadObject(in, "a node", [&](const std::string& key) {
    if (key == "role") {
      node->role = RoleFromName(in, Text(in, "a node's role"));
      haveRole = true;
    } else if (key == "kind") {
      node->kind = WholeNumber<std::int32_t>(in, "a kind");
      haveKind = true;
    } else if (key == "name") {
      node->name = Text(in, "a name");
    } else if (key == "placement") {
      node->placement = ReadPlacement(in);
    } else if (key == "components") {
      ReadComponents(in, node);
    } else if (key == "variables") {
      ReadVariables(in, *node);
    } else if (key == "keyedVariables") {
      ReadKeyedVariables(in, *node);
    } else if (key == "shapes") {
      ReadArray(in, "a component's shapes", [&] { node->shapes.push_back(ReadNode(in, node)); });
    } else if (key == "profile") {
      node->profile = ReadNode(in, node);
    } else if (key == "sketch") {
      node->sketch = SharedSketch(ReadSketch(in));
    } else if (key == "dataObjects") {
      ReadArray(in, "a shape's data objects", [&] {
        std::string classId;
        automation::ObjectRef object = ReadDataObject(in, classId);
        node->dataObjects[classId] = std::move(object);
      });
    } else {
      return false;
    }
    return true;
  });
  if (!haveRole || !haveKind) in.Fail("a node needs its role and its kind");
  return node;
}

Document ReadDocument(JsonReader& in) {
  Document document;
  std::optional<std::string> format, unit;
  std::optional<std::int32_t> version;
  bool haveRoot = false;
  ReadObject(in, "a scene", [&](const std::string& key) {
    if (key == "format") {
      format = Text(in, "the format");
      if (*format != kFormat) throw std::runtime_error("not a scene file");
    } else if (key == "version") {
      version = WholeNumber<std::int32_t>(in, "the version");
      if (*version != kVersion) {
        throw std::runtime_error("version " + std::to_string(*version) + " is not one this program reads");
      }
    } else if (key == "unit") {
      unit = Text(in, "the unit");
      const auto known = LengthUnitFromName(*unit);
      if (!known) throw std::runtime_error("unknown length unit \"" + *unit + "\"");
      document.unit = *known;
    } else if (key == "root") {
      document.root = ReadNode(in, nullptr);
      haveRoot = true;
    } else {
      return false;
    }
    return true;
  });
  in.End();
  if (!format) throw std::runtime_error("not a scene file");
  if (!version) throw std::runtime_error("no version");
  if (!unit) throw std::runtime_error("no length unit");
  if (!haveRoot) throw std::runtime_error("no root shape");
  return document;
}

// Rebuilds what can be rebuilt; a body left unfinished by a failed operation stays without a
// solid rather than making the whole document unreadable.
void RebuildAfterLoad(const Document& document) {
  for (const NodePtr& body : document.Bodies()) {
    try {
      RebuildBody(*body);
      const Box2& box = body->section->box;
      body->sizeBox = std::make_unique<SizeBox>(SizeBox{{box.minX, box.minY, 0}, {box.maxX, box.maxY, body->length}});
    } catch (const runtime::RuntimeError&) {
      body->section.reset();
    }
  }
}

}  // namespace

std::string DocumentToJson(const Document& document) {
  try {
    std::string text;
    JsonWriter out(text);
    out.BeginObject();
    out.Key("format");
    out.String(kFormat);
    out.Key("version");
    out.Integer(kVersion);
    out.Key("unit");
    out.String(LengthUnitName(document.unit));
    out.Key("root");
    WriteNode(out, *document.root, 0);
    out.EndObject();
    return text + "\n";
  } catch (const std::exception& e) {
    RaiseSceneError(scene_error::kBadDocument, std::string("The scene cannot be saved: ") + e.what());
  }
}

Document DocumentFromJson(const std::string& text) {
  try {
    JsonReader in(text, kMaxNesting);
    Document document = ReadDocument(in);
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
