#pragma once

#include <cstdint>
#include <string>

#include "runtime/runtime_error.h"

namespace zembrati::automation {

// An error reported by an object of the host (or any object called by name): the number and
// description it gave. It is a runtime error like any other, so the system traps and reports
// it the same way; the type tells where it came from.
class HostError : public runtime::RuntimeError {
 public:
  HostError(std::int32_t number, std::string description)
      : RuntimeError(number, std::move(description)) {}
};

}  // namespace zembrati::automation
