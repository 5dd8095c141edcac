#pragma once

#include <memory>
#include <string>
#include <vector>

#include "automation/object.h"

namespace zembrati::scene {

// The data objects a part carries on its scene-tree item: a property collection of named
// values and a summary with a description and a part number. They are plain records behind an
// automation face, so the document can save and load them.
class PropertyItemObject : public automation::Object {
 public:
  automation::Variant Invoke(std::string_view member, automation::CallKind kind,
                             std::span<automation::Variant> args) override;
  std::string ClassName() const override { return "PropertyItem"; }

  std::string name;
  automation::Variant value;
};

class PropertyCollectionObject : public automation::Object {
 public:
  automation::Variant Invoke(std::string_view member, automation::CallKind kind,
                             std::span<automation::Variant> args) override;
  std::string ClassName() const override { return "PropertyCollection"; }

  std::vector<std::shared_ptr<PropertyItemObject>> items;
};

class SummaryObject : public automation::Object {
 public:
  automation::Variant Invoke(std::string_view member, automation::CallKind kind,
                             std::span<automation::Variant> args) override;
  std::string ClassName() const override { return "Summary"; }

  std::string description;
  std::string partNumber;
};

}  // namespace zembrati::scene
