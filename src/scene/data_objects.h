#pragma once

#include <memory>
#include <string>
#include <vector>

#include "member_call.h"

namespace zembrati::scene {

// The data objects a part carries on its scene-tree item: a property collection of named
// values and a summary with a description and a part number. They are plain records behind an
// automation face, so the document can save and load them.
class PropertyItemObject : public AnsweringObject {
 public:
  std::string ClassName() const override { return "PropertyItem"; }

  std::string name;
  automation::Variant value;

 protected:
  Variant Answer(const MemberCall& call) override;
};

class PropertyCollectionObject : public AnsweringObject {
 public:
  std::string ClassName() const override { return "PropertyCollection"; }

  std::vector<std::shared_ptr<PropertyItemObject>> items;

 protected:
  Variant Answer(const MemberCall& call) override;
};

class SummaryObject : public AnsweringObject {
 public:
  std::string ClassName() const override { return "Summary"; }

  std::string description;
  std::string partNumber;

 protected:
  Variant Answer(const MemberCall& call) override;
};

}  // namespace zembrati::scene
