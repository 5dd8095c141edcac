#include "support/fault_injecting_host.h"

#include <vector>

#include "automation/host_error.h"

namespace zembrati::testing {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

class CountedObject : public automation::Object {
 public:
  CountedObject(ObjectRef inner, FaultInjectingHost& host) : inner_(std::move(inner)), host_(host) {}
  const ObjectRef& inner() const { return inner_; }
  const void* Identity() const override { return inner_->Identity(); }
  std::string ClassName() const override { return inner_->ClassName(); }

  Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) override {
    host_.Count(std::string(member) + " " + std::string(automation::CallKindName(kind)));
    std::vector<Variant> passed(args.begin(), args.end());
    for (Variant& arg : passed) arg = Unwrapped(arg);
    Variant result = inner_->Invoke(member, kind, passed);
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (!(passed[i] == Unwrapped(args[i]))) args[i] = Wrapped(passed[i]);
    }
    return Wrapped(result);
  }

  Variant Wrapped(const Variant& value) {
    if (!value.IsObject() || value.IsNothing()) return value;
    return ObjectRef(std::make_shared<CountedObject>(value.ToObject(), host_));
  }

  static Variant Unwrapped(const Variant& value) {
    if (!value.IsObject() || value.IsNothing()) return value;
    const ObjectRef object = value.ToObject();
    if (const auto* counted = dynamic_cast<const CountedObject*>(object.get())) return counted->inner();
    return value;
  }

 private:
  ObjectRef inner_;
  FaultInjectingHost& host_;
};

}  // namespace

ObjectRef FaultInjectingHost::Wrap(const ObjectRef& object) {
  if (!object) return object;
  return std::make_shared<CountedObject>(object, *this);
}

void FaultInjectingHost::FailCall(std::size_t k) {
  calls_ = 0;
  failing_ = k;
  failedMember_.clear();
}

void FaultInjectingHost::NeverFail() {
  calls_ = 0;
  failing_.reset();
  failedMember_.clear();
}

void FaultInjectingHost::Count(std::string_view what) {
  ++calls_;
  if (failing_ && calls_ == *failing_) {
    failedMember_ = std::string(what);
    throw automation::HostError(kInjectedError, "injected host failure at call " + std::to_string(calls_) + " (" +
                                                    failedMember_ + ")");
  }
}

ObjectRef FaultInjectingHost::CreateObject(std::string_view classId, std::string_view interfaceId) {
  Count("Create " + std::string(classId));
  return Wrap(real_.CreateObject(classId, interfaceId));
}

}  // namespace zembrati::testing
