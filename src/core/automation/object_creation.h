#pragma once

#include <string_view>

#include "automation/variant.h"

namespace zembrati::automation {

// Makes objects of the host's classes from their class and interface ids, as the component
// object model does for a running host. The host adapter (the built-in scene, the COM bridge, a
// test's recording host) installs one for the thread it runs on.
class ObjectCreator {
 public:
  virtual ~ObjectCreator() = default;
  // Returns the new object, or null when the class is unknown.
  virtual ObjectRef CreateObject(std::string_view classId, std::string_view interfaceId) = 0;
};

// Creates an object through the creator installed on this thread. No creator, an unknown class
// or a creator that returns nothing raise error 429 (can't create object).
ObjectRef CreateObject(std::string_view classId, std::string_view interfaceId);

// Installs a creator on this thread for the lifetime of the scope and restores the previous one
// afterwards, so nested hosts (a test inside a test fixture) behave.
class ScopedObjectCreator {
 public:
  explicit ScopedObjectCreator(ObjectCreator& creator);
  ~ScopedObjectCreator();
  ScopedObjectCreator(const ScopedObjectCreator&) = delete;
  ScopedObjectCreator& operator=(const ScopedObjectCreator&) = delete;

 private:
  ObjectCreator* previous_;
};

}  // namespace zembrati::automation
