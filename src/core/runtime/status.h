#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <utility>

#include "runtime/runtime_error.h"

namespace zembrati::runtime {

// What an operation the host calls hands back: success, or the number and description of the
// first error that ended it. The host never sees an exception.
struct Status {
  std::int32_t number = 0;
  std::string description;

  static Status Success() { return {}; }
  static Status From(const RuntimeError& error) { return {error.number(), error.description()}; }
  bool ok() const { return number == 0; }
};

// Runs `operation` and turns whatever escapes it into a Status. Runtime and host errors keep
// their number; memory exhaustion is error 7; anything else is reported as an internal error
// rather than allowed to unwind into the host.
template <typename Operation>
Status Trap(Operation&& operation) noexcept {
  try {
    std::forward<Operation>(operation)();
    return Status::Success();
  } catch (const RuntimeError& error) {
    return Status::From(error);
  } catch (const std::bad_alloc&) {
    return Status::From(RuntimeError(error::kOutOfMemory));
  } catch (const std::exception& unexpected) {
    return {error::kInternalError,
            std::string(ErrorDescription(error::kInternalError)) + ": " + unexpected.what()};
  } catch (...) {
    return Status::From(RuntimeError(error::kInternalError));
  }
}

}  // namespace zembrati::runtime
