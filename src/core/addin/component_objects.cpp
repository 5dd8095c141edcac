#include "addin/component_objects.h"

#include "addin/sessions.h"
#include "automation/host_error.h"
#include "automation/object.h"
#include "parts/profile_part.h"
#include "runtime/runtime_error.h"

namespace zembrati::addin {
namespace {

using automation::CallKind;
using automation::NamesEqual;
using automation::ObjectRef;
using automation::Variant;

void RequireArguments(std::span<Variant> args, std::size_t count) {
  if (args.size() != count) runtime::Raise(runtime::error::kWrongNumberOfArguments);
}

// X and Y of Drop and DblClick are not used, but they are 32-bit integers: anything else is a
// wrong call, as it is for the host.
void RequireCoordinates(const Variant& x, const Variant& y) {
  (void)x.ToLong();
  (void)y.ToLong();
}

Variant Completed(const runtime::Status& status) {
  if (!status.ok()) throw automation::HostError(status.number, status.description);
  return {};
}

[[noreturn]] void Unknown(std::string_view member) {
  throw automation::HostError(runtime::error::kMemberNotSupported,
                              std::string(runtime::ErrorDescription(runtime::error::kMemberNotSupported)) + " (" +
                                  std::string(member) + ")");
}

class ZembratiObj : public automation::Object {
 public:
  std::string ClassName() const override { return "ZembratiObj"; }
  Variant Invoke(std::string_view member, CallKind, std::span<Variant> args) override {
    if (!NamesEqual(member, "Drop")) Unknown(member);
    RequireArguments(args, 3);
    RequireCoordinates(args[1], args[2]);
    return Completed(Drop(args[0].ToObject()));
  }
};

class DropHookClass : public automation::Object {
 public:
  std::string ClassName() const override { return "DropHook"; }
  Variant Invoke(std::string_view member, CallKind, std::span<Variant> args) override {
    if (!NamesEqual(member, "OnDragDrop")) Unknown(member);
    RequireArguments(args, 1);
    return Completed(OnDragDrop(args[0].ToObject()));
  }
};

class PartClass : public automation::Object {
 public:
  explicit PartClass(const geometry::SectionType& type) : part_(type) {}
  std::string ClassName() const override { return std::string(part_.type().className); }

  Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) override {
    if (kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef) return Put(member, args);
    if (IsProperty(member)) {
      // A property takes no index: p.lung(1) is a wrong call of a member that exists.
      if (!args.empty()) runtime::Raise(runtime::error::kWrongNumberOfArguments);
      if (NamesEqual(member, "lung")) return part_.lung;
      if (NamesEqual(member, "Normativa")) return part_.Normativa;
      if (NamesEqual(member, "Codice")) return part_.Codice;
      if (NamesEqual(member, "MaterialCode")) return part_.MaterialCode;
      return part_.FileData;
    }
    if (NamesEqual(member, "Create")) {
      RequireArguments(args, 1);
      ObjectRef created;
      Completed(runtime::Trap([&] { created = part_.Create(args[0].IsObject() ? args[0].ToObject() : nullptr); }));
      return created;
    }
    if (NamesEqual(member, "GetPartData")) {
      RequireArguments(args, 1);
      return Completed(runtime::Trap([&] { part_.GetPartData(args[0].ToObject()); }));
    }
    if (NamesEqual(member, "DblClick")) {
      RequireArguments(args, 3);
      RequireCoordinates(args[1], args[2]);
      return Completed(DblClick(args[0].ToObject(), part_.type().code));
    }
    if (NamesEqual(member, "PreUpdate")) {
      RequireArguments(args, 1);
      return Completed(PreUpdate(args[0].ToObject()));
    }
    Unknown(member);
  }

 private:
  static bool IsProperty(std::string_view member) {
    for (const char* name : {"lung", "Normativa", "Codice", "MaterialCode", "FileData"}) {
      if (NamesEqual(member, name)) return true;
    }
    return false;
  }

  // The value is converted before anything is stored: a value that cannot become the property's
  // type leaves the part as it was.
  Variant Put(std::string_view member, std::span<Variant> args) {
    if (!IsProperty(member)) {
      if (IsMethod(member)) runtime::Raise(runtime::error::kWrongNumberOfArguments);  // p.Create = 1
      Unknown(member);
    }
    RequireArguments(args, 1);
    const Variant& value = args[0];
    if (NamesEqual(member, "lung")) {
      part_.lung = value.ToDouble();
    } else {
      std::string text = value.ToText();
      if (NamesEqual(member, "Normativa")) part_.Normativa = std::move(text);
      if (NamesEqual(member, "Codice")) part_.Codice = std::move(text);
      if (NamesEqual(member, "MaterialCode")) part_.MaterialCode = std::move(text);
      if (NamesEqual(member, "FileData")) part_.FileData = std::move(text);
    }
    return {};
  }

  static bool IsMethod(std::string_view member) {
    for (const char* name : {"Create", "GetPartData", "DblClick", "PreUpdate"}) {
      if (NamesEqual(member, name)) return true;
    }
    return false;
  }

  parts::ProfilePart part_;
};

}  // namespace

ObjectRef MakeZembratiObj() { return std::make_shared<ZembratiObj>(); }
ObjectRef MakeDropHookClass() { return std::make_shared<DropHookClass>(); }
ObjectRef MakePartClass(const geometry::SectionType& type) { return std::make_shared<PartClass>(type); }

}  // namespace zembrati::addin
