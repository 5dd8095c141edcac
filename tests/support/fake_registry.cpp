#include "support/fake_registry.h"

#include "automation/object.h"
#include "catalogue/configuration.h"
#include "host/host_classes.h"

namespace zembrati::testing {
namespace {

class Reader : public automation::Object {
 public:
  explicit Reader(const std::map<std::pair<std::string, std::string>, std::string>& values) : values_(values) {}
  automation::Variant Invoke(std::string_view, automation::CallKind, std::span<automation::Variant> args) override {
    const auto found = values_.find({args[1].ToText(), args[2].ToText()});
    args[3] = found == values_.end() ? std::string() : found->second;
    return std::int32_t{0};
  }

 private:
  const std::map<std::pair<std::string, std::string>, std::string>& values_;
};

}  // namespace

FakeRegistry::FakeRegistry() : scope_(std::make_unique<automation::ScopedObjectCreator>(*this)) {}

FakeRegistry::~FakeRegistry() = default;

void FakeRegistry::SetCatalogue(const std::string& name, const std::string& value) {
  Set(catalogue::kCatalogueKey, name, value);
}

void FakeRegistry::SetProduct(const std::string& name, const std::string& value) {
  Set(catalogue::kProductKey, name, value);
}

automation::ObjectRef FakeRegistry::CreateObject(std::string_view classId, std::string_view) {
  if (classId != host::kRegistryReader.classId) return nullptr;
  ++readersCreated;
  return std::make_shared<Reader>(values_);
}

}  // namespace zembrati::testing
