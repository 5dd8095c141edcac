#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "automation/object.h"
#include "automation/object_creation.h"

namespace zembrati::testing {

// Stands between the system and a real host (the built-in one) and counts every host call: each
// member call on a host object and each creation of a host object by class id. Told to, it makes
// call number k fail with a host error instead of passing it on, so a test can walk a failure
// through every step of an operation. Objects the host hands out come back wrapped, so their
// calls are counted too; objects passed back to the host are unwrapped first.
class FaultInjectingHost : public automation::ObjectCreator {
 public:
  static constexpr std::int32_t kInjectedError = -2147221504 + 4242;  // an object error of the host

  explicit FaultInjectingHost(automation::ObjectCreator& real) : real_(real) {}

  // Wraps an object the test hands to the system (a dropped shape, a part, a hook).
  automation::ObjectRef Wrap(const automation::ObjectRef& object);

  // From now on, the k-th call (from 1) fails; calls counted so far are forgotten.
  void FailCall(std::size_t k);
  void NeverFail();
  std::size_t CallCount() const { return calls_; }
  // The call the injected failure hit ("Name put", "Create <class id>" for a creation), empty
  // until then.
  const std::string& FailedMember() const { return failedMember_; }

  automation::ObjectRef CreateObject(std::string_view classId, std::string_view interfaceId) override;

  // Counts a call; raises the injected error when it is the chosen one.
  void Count(std::string_view what);

 private:
  automation::ObjectCreator& real_;
  std::size_t calls_ = 0;
  std::optional<std::size_t> failing_;
  std::string failedMember_;
};

}  // namespace zembrati::testing
