// The scene as JSON text: a node per line, indented by its depth.
#include <cmath>
#include <stdexcept>

#include "data_objects.h"
#include "document_file.h"
#include "document_json_format.h"
#include "json/json_writer.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

using automation::Variant;
using automation::VariantType;
using document_json::RoleName;
using json::JsonWriter;

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
  if (node.id != 0) {
    out.Key("id");
    out.Integer(static_cast<std::int64_t>(node.id));
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

void WriteJoints(JsonWriter& out, const std::vector<JointRecord>& joints) {
  out.BeginArray();
  for (const JointRecord& joint : joints) {
    out.NewLine(2);
    out.BeginObject();
    out.Key("member");
    out.Integer(static_cast<std::int64_t>(joint.member));
    out.Key("end");
    out.String(MemberEndName(joint.end));
    out.Key("kind");
    out.String(JointKindName(joint.kind));
    out.Key("to");
    out.Integer(static_cast<std::int64_t>(joint.to));
    if (joint.kind == JointKind::Mitre) {
      out.Key("toEnd");
      out.String(MemberEndName(joint.toEnd));
    }
    out.Key("gap");
    WriteDouble(out, joint.gap);
    out.Key("extend");
    WriteDouble(out, joint.extend);
    out.Key("plane");
    out.Boolean(joint.onFacePlane);
    out.EndObject();
  }
  out.EndArray();
}

}  // namespace

namespace {

void WriteDocument(JsonWriter& out, std::string& text, const Document& document) {
  out.BeginObject();
  out.Key("format");
  out.String(document_json::kFormat);
  out.Key("version");
  out.Integer(document.joints.empty() ? document_json::kVersion : document_json::kVersionWithJoints);
  out.Key("unit");
  out.String(LengthUnitName(document.unit));
  out.Key("root");
  WriteNode(out, *document.root, 0);
  if (!document.joints.empty()) {
    out.Key("joints");
    WriteJoints(out, document.joints);
  }
  out.EndObject();
  text += '\n';  // appended, not concatenated: a copy would hold the whole text twice
}

[[noreturn]] void RaiseCannotSave(const std::exception& e) {
  RaiseSceneError(scene_error::kBadDocument, std::string("The scene cannot be saved: ") + e.what());
}

}  // namespace

std::string DocumentToJson(const Document& document) {
  try {
    std::string text;
    JsonWriter out(text);
    WriteDocument(out, text, document);
    return text;
  } catch (const std::exception& e) {
    RaiseCannotSave(e);
  }
}

void WriteDocumentJson(const Document& document, const std::function<void(std::string_view)>& sink) {
  std::string text;
  try {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    text.reserve(2 * kPiece);
    JsonWriter out(text);
    out.DrainEvery(kPiece, sink);
    WriteDocument(out, text, document);
  } catch (const runtime::RuntimeError&) {
    throw;  // the sink's: a file that could not be written says so itself
  } catch (const std::exception& e) {
    RaiseCannotSave(e);
  }
  sink(text);
}

}  // namespace zembrati::scene
