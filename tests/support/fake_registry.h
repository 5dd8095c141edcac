#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "automation/object_creation.h"

namespace zembrati::testing {

// A host that makes only registry readers, answering from a map of (key, value name) to text;
// a value not in the map reads as an empty text. Installed as the thread's object creator for
// its lifetime.
class FakeRegistry : public automation::ObjectCreator {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  void Set(const std::string& key, const std::string& name, const std::string& value) {
    values_[{key, name}] = value;
  }
  // The catalogue key's values ("SOFTWARE\...\Profil").
  void SetCatalogue(const std::string& name, const std::string& value);
  // The product key's values ("SOFTWARE\...\Vantrex").
  void SetProduct(const std::string& name, const std::string& value);

  automation::ObjectRef CreateObject(std::string_view classId, std::string_view interfaceId) override;

  int readersCreated = 0;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  std::unique_ptr<automation::ScopedObjectCreator> scope_;
};

}  // namespace zembrati::testing
