#include "host/host_class_members.h"

#include <array>

#include "automation/invoke.h"
#include "runtime/runtime_error.h"

namespace zembrati::host {

using automation::CallKind;
using automation::CallMethod;
using automation::GetProperty;
using automation::Invoke;
using automation::PutProperty;
using automation::Variant;

namespace {

std::string PlacementMember(int number) {
  if (number < 1 || number > 7) runtime::Raise(runtime::error::kSubscriptOutOfRange);
  return "P" + std::to_string(number);
}

void ReadDoubles(std::span<Variant> outputs, std::initializer_list<double*> targets) {
  std::size_t i = 0;
  for (double* target : targets) *target = outputs[i++].ToDouble();
}

}  // namespace

double P(const ObjectRef& placement, int number) {
  return GetProperty(placement, PlacementMember(number)).ToDouble();
}

void SetP(const ObjectRef& placement, int number, double value) {
  PutProperty(placement, PlacementMember(number), value);
}

void SetTarget(const ObjectRef& placement, const ObjectRef& shape) {
  CallMethod(placement, "SetTarget", shape);
}

void Apply(const ObjectRef& placement) { CallMethod(placement, "Apply"); }

void Capture(const ObjectRef& placement, const ObjectRef& shape) {
  CallMethod(placement, "Capture", shape);
}

ObjectRef GetParent(const ObjectRef& service, const ObjectRef& shape) {
  return CallMethod(service, "GetParent", shape).ToObject();
}

void Remove(const ObjectRef& service, const ObjectRef& shape) {
  CallMethod(service, "Remove", shape);
}

std::string GetHandler(const ObjectRef& registry, std::string_view progId, std::int16_t flags) {
  return CallMethod(registry, "GetHandler", progId, flags).ToText();
}

void GetString(const ObjectRef& reader, std::int32_t hive, std::string_view key,
               std::string_view valueName, std::string& value) {
  std::array<Variant, 4> args{hive, key, valueName, value};
  Invoke(reader, "GetString", CallKind::Method, args);
  value = args[3].ToText();
}

void Normalize(const ObjectRef& vector) { CallMethod(vector, "Normalize"); }

void SetXYZ(const ObjectRef& vector, double x, double y, double z) {
  CallMethod(vector, "SetXYZ", x, y, z);
}

void GetXYZ(const ObjectRef& vector, double& x, double& y, double& z) {
  std::array<Variant, 3> args{x, y, z};
  Invoke(vector, "GetXYZ", CallKind::Method, args);
  ReadDoubles(args, {&x, &y, &z});
}

void GetOrientation(const ObjectRef& transform, double& o1, double& o2, double& o3, double& o4) {
  std::array<Variant, 4> args{o1, o2, o3, o4};
  Invoke(transform, "GetOrientation", CallKind::Method, args);
  ReadDoubles(args, {&o1, &o2, &o3, &o4});
}

void TransformPoint(const ObjectRef& transform, const ObjectRef& vector) {
  CallMethod(transform, "TransformPoint", vector);
}

void Compose(const ObjectRef& transform, const ObjectRef& other) {
  CallMethod(transform, "Compose", other);
}

void GetTranslation(const ObjectRef& transform, double& x, double& y, double& z) {
  std::array<Variant, 3> args{x, y, z};
  Invoke(transform, "GetTranslation", CallKind::Method, args);
  ReadDoubles(args, {&x, &y, &z});
}

void CreateFromFrames(const ObjectRef& transform, const ObjectRef& origin1,
                      const ObjectRef& direction1, const ObjectRef& origin2,
                      const ObjectRef& direction2) {
  CallMethod(transform, "CreateFromFrames", origin1, direction1, origin2, direction2);
}

bool IsEqual(const ObjectRef& transform, const ObjectRef& other) {
  return CallMethod(transform, "IsEqual", other).ToBoolean();
}

void SetShape(const ObjectRef& shapeAndTransform, const ObjectRef& shape) {
  automation::PutPropertyRef(shapeAndTransform, "shape", shape);
}

ObjectRef SizeboxToParentTransform(const ObjectRef& shapeAndTransform) {
  return GetProperty(shapeAndTransform, "SizeboxToParentTransform").ToObject();
}

automation::Variant Description(const ObjectRef& summary) { return GetProperty(summary, "Description"); }

void SetDescription(const ObjectRef& summary, const automation::Variant& description) {
  PutProperty(summary, "Description", description);
}

void SetPartNumber(const ObjectRef& summary, const std::string& partNumber) {
  PutProperty(summary, "PartNumber", partNumber);
}

}  // namespace zembrati::host
