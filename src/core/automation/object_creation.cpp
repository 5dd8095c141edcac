#include "automation/object_creation.h"

#include "runtime/runtime_error.h"

namespace zembrati::automation {
namespace {
thread_local ObjectCreator* installedCreator = nullptr;
}  // namespace

ObjectRef CreateObject(std::string_view classId, std::string_view interfaceId) {
  if (installedCreator == nullptr) runtime::Raise(runtime::error::kCannotCreateObject);
  ObjectRef created = installedCreator->CreateObject(classId, interfaceId);
  if (!created) runtime::Raise(runtime::error::kCannotCreateObject);
  return created;
}

ScopedObjectCreator::ScopedObjectCreator(ObjectCreator& creator) : previous_(installedCreator) {
  installedCreator = &creator;
}

ScopedObjectCreator::~ScopedObjectCreator() { installedCreator = previous_; }

}  // namespace zembrati::automation
