#include "data_objects.h"

#include "member_call.h"
#include "runtime/runtime_error.h"
#include "scene_error.h"

namespace zembrati::scene {

Variant PropertyItemObject::Answer(const MemberCall& call) {
  if (call.Gets("Name", 0)) return name;
  if (call.Puts("Name", 0)) {
    name = call.PutValue().ToText();
    return {};
  }
  if (call.Gets("Value", 0)) return value;
  if (call.Puts("Value", 0)) {
    if (call.PutValue().IsObject()) {
      RaiseSceneError(scene_error::kBadArgument, "A property holds values, not objects");
    }
    value = call.PutValue();
    return {};
  }
  RaiseUnknownMember(call, ClassName());
}

Variant PropertyCollectionObject::Answer(const MemberCall& call) {
  if (call.Gets("Count", 0)) return static_cast<std::int32_t>(items.size());
  if (call.Gets("Item", 1)) {
    const std::int32_t index = call.Long(0);
    if (index < 1 || static_cast<std::size_t>(index) > items.size()) {
      runtime::Raise(runtime::error::kSubscriptOutOfRange);
    }
    return ObjectRef(items[static_cast<std::size_t>(index - 1)]);
  }
  if (call.Gets("Add", 1)) {
    auto item = std::dynamic_pointer_cast<PropertyItemObject>(call.args[0].ToObject());
    if (!item) {
      RaiseSceneError(scene_error::kBadArgument, "Only property items can be added to a property collection");
    }
    items.push_back(item);
    return {};
  }
  RaiseUnknownMember(call, ClassName());
}

Variant SummaryObject::Answer(const MemberCall& call) {
  if (call.Gets("Description", 0)) return description;
  if (call.Puts("Description", 0)) {
    description = call.PutValue().ToText();
    return {};
  }
  if (call.Gets("PartNumber", 0)) return partNumber;
  if (call.Puts("PartNumber", 0)) {
    partNumber = call.PutValue().ToText();
    return {};
  }
  RaiseUnknownMember(call, ClassName());
}

}  // namespace zembrati::scene
