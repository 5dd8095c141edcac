#include "member_call.h"

#include "automation/host_error.h"
#include "runtime/runtime_error.h"

namespace zembrati::scene {
namespace {

void RequireCount(const MemberCall& call, std::size_t count) {
  if (call.args.size() != count) runtime::Raise(runtime::error::kWrongNumberOfArguments);
}

}  // namespace

bool MemberCall::Gets(std::string_view name, std::size_t count) const {
  if (IsPut() || !Is(name)) return false;
  RequireCount(*this, count);
  return true;
}

bool MemberCall::Puts(std::string_view name, std::size_t indexCount) const {
  if (!IsPut() || !Is(name)) return false;
  RequireCount(*this, indexCount + 1);
  return true;
}

void RaiseUnknownMember(const MemberCall& call, const std::string& className) {
  throw automation::HostError(
      runtime::error::kMemberNotSupported,
      std::string(runtime::ErrorDescription(runtime::error::kMemberNotSupported)) + " (" +
          className + "." + std::string(call.member) + ")");
}

}  // namespace zembrati::scene
