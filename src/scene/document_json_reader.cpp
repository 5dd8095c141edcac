// A scene read from its JSON text, node by node as the text is read, every value checked.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "data_objects.h"
#include "document_file.h"
#include "document_json_format.h"
#include "json/json_reader.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

using automation::Variant;
using document_json::kFormat;
using document_json::kMaxNesting;
using document_json::kVersion;
using document_json::kVersionWithJoints;
using json::JsonKind;
using json::JsonNumber;
using json::JsonReader;

// A whole number of the type it is read into; anything else (a fraction, a number out of the
// type's range, a text) is damage, not a value to be cut to size.
// `written` is what stood in the text, named in the message; `number` is null for a non-number.
template <typename Integer>
Integer WholeNumberOf(JsonReader& in, const JsonNumber* number, const std::string& written, const char* what) {
  using Limits = std::numeric_limits<Integer>;
  if (!number || !number->whole || number->integer < Limits::min() || number->integer > Limits::max()) {
    in.Fail(std::string(what) + (written.empty() ? "" : " " + written) + " is not a whole number from " +
            std::to_string(Limits::min()) + " to " + std::to_string(Limits::max()));
  }
  return static_cast<Integer>(number->integer);
}

template <typename Integer>
Integer WholeNumber(JsonReader& in, const char* what) {
  if (in.Peek() != JsonKind::Number) return WholeNumberOf<Integer>(in, nullptr, "", what);
  const JsonNumber number = in.Number();
  return WholeNumberOf<Integer>(in, &number, std::string(number.text), what);
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
  const bool isNumber = *kind == JsonKind::Number;
  const std::string written = isNumber ? std::string(number.text) : "\"" + text + "\"";
  if (*type == "I2") return WholeNumberOf<std::int16_t>(in, isNumber ? &number : nullptr, written, "an I2 value");
  if (*type == "I4") return WholeNumberOf<std::int32_t>(in, isNumber ? &number : nullptr, written, "an I4 value");
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
    } else if (key == "id") {
      const std::int64_t id = WholeNumber<std::int64_t>(in, "a part's identity");
      if (id < 1) in.Fail("a part's identity is not a number from 1 up");
      node->id = static_cast<std::uint64_t>(id);
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

std::uint64_t ReadIdentity(JsonReader& in, const char* what) {
  const std::int64_t id = WholeNumber<std::int64_t>(in, what);
  if (id < 1) in.Fail(std::string(what) + " is not a part's identity (a number from 1 up)");
  return static_cast<std::uint64_t>(id);
}

MemberEnd ReadMemberEnd(JsonReader& in, const char* what) {
  const std::string name = Text(in, what);
  const std::optional<MemberEnd> end = MemberEndFromName(name);
  if (!end) in.Fail(std::string(what) + " \"" + name + "\" is neither start nor end");
  return *end;
}

double ReadFiniteDouble(JsonReader& in, const char* what) {
  if (in.Peek() != JsonKind::Number) in.Fail(std::string(what) + " is not a number");
  return in.Number().real;
}

JointRecord ReadJoint(JsonReader& in) {
  JointRecord joint;
  bool haveMember = false, haveTo = false, haveKind = false, haveToEnd = false;
  ReadObject(in, "a joint", [&](const std::string& key) {
    if (key == "member") {
      joint.member = ReadIdentity(in, "a joint's member");
      haveMember = true;
    } else if (key == "to") {
      joint.to = ReadIdentity(in, "a joint's other member");
      haveTo = true;
    } else if (key == "end") {
      joint.end = ReadMemberEnd(in, "a joint's end");
    } else if (key == "toEnd") {
      joint.toEnd = ReadMemberEnd(in, "a joint's other end");
      haveToEnd = true;
    } else if (key == "kind") {
      const std::string name = Text(in, "a joint's kind");
      const std::optional<JointKind> kind = JointKindFromName(name);
      if (!kind) in.Fail("unknown joint kind \"" + name + "\"");
      joint.kind = *kind;
      haveKind = true;
    } else if (key == "gap") {
      joint.gap = ReadFiniteDouble(in, "a joint's gap");
      if (joint.gap < 0) in.Fail("a joint's gap is negative");
    } else if (key == "extend") {
      joint.extend = ReadFiniteDouble(in, "a joint's extension");
    } else if (key == "plane") {
      if (in.Peek() != JsonKind::True && in.Peek() != JsonKind::False) in.Fail("a joint's plane is not true or false");
      joint.onFacePlane = in.Boolean();
    } else {
      return false;
    }
    return true;
  });
  if (!haveMember || !haveTo || !haveKind) in.Fail("a joint needs its member, its kind and the member it meets");
  if (joint.kind == JointKind::Mitre && !haveToEnd) in.Fail("a mitre needs the end of the member it meets");
  if (joint.member == joint.to) in.Fail("a joint joins a member to itself");
  return joint;
}

// Identities belong to one part each: a scene in which two parts share one is not one this host
// wrote.
void CheckIdentities(const Document& document) {
  std::vector<std::uint64_t> ids;
  for (const NodePtr& part : document.Parts()) {
    if (part->id != 0) ids.push_back(part->id);
  }
  std::sort(ids.begin(), ids.end());
  if (std::adjacent_find(ids.begin(), ids.end()) != ids.end()) {
    throw std::runtime_error("two parts have the identity " + std::to_string(*std::adjacent_find(ids.begin(), ids.end())));
  }
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
      if (*version != kVersion && *version != kVersionWithJoints) {
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
    } else if (key == "joints") {
      ReadArray(in, "the joints", [&] { document.joints.push_back(ReadJoint(in)); });
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
  CheckIdentities(document);
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

Document DocumentFromJson(std::string_view text, const std::function<void(std::size_t)>& passed) {
  try {
    JsonReader in(text, kMaxNesting);
    // Every 4 MB: often enough that a building's text is let go of as it is read.
    if (passed) in.OnProgress(std::size_t{4} << 20, passed);
    Document document = ReadDocument(in);
    RebuildAfterLoad(document);
    return document;
  } catch (const std::exception& e) {
    RaiseSceneError(scene_error::kBadDocument, std::string("The scene is damaged: ") + e.what());
  }
}

}  // namespace zembrati::scene
