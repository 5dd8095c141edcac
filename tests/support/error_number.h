#pragma once

#include <cstdint>

#include "runtime/runtime_error.h"

namespace zembrati::testing {

// The number of the runtime error `operation` raises, or 0 when it raises none.
template <typename Operation>
std::int32_t ErrorNumberOf(Operation&& operation) {
  try {
    operation();
  } catch (const runtime::RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace zembrati::testing
