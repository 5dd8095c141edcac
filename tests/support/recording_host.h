#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "automation/object.h"
#include "automation/object_creation.h"

namespace zembrati::testing {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

// One call the system made on a recorded object.
struct RecordedCall {
  std::string target;  // label of the object called
  std::string member;
  CallKind kind;
  std::vector<Variant> args;  // as passed, before the callee wrote to them
  std::string outcome;        // label of the object returned, a described value, or "error N"

  // "Item#2.Shapes(I4 5) get -> Shapes#3", "Variable#7.Value(R8 100) put".
  std::string ToString() const;
};

// A host that answers every call and logs it with its member, call kind and typed arguments, so a
// test can pin the exact sequence of calls the system makes. Gets and method calls return a new
// recorded object labelled "<member>#<n>" unless a responder for the member says otherwise;
// puts return nothing. Objects created by class id are labelled "<class id>#<n>".
// It can be told to fail its n-th call with a host error.
class RecordingHost : public automation::ObjectCreator {
 public:
  using Responder = std::function<Variant(std::span<Variant> args)>;

  // A root object the test hands to the system ("shape", "page", ...).
  ObjectRef NewObject(const std::string& label);

  ObjectRef CreateObject(std::string_view classId, std::string_view interfaceId) override;

  // Answers every call of `member` (any object, any kind but puts) with the responder.
  void Respond(const std::string& member, Responder responder);
  // Call number `n` (from 1, counting every recorded call) raises a host error.
  void FailCall(std::size_t n, std::int32_t number, std::string description);

  const std::vector<RecordedCall>& calls() const { return calls_; }
  // Every call as a line (RecordedCall::ToString), optionally only those of the given members.
  std::vector<std::string> Lines(const std::vector<std::string>& members = {}) const;
  void Clear() { calls_.clear(); }

 private:
  class RecordedObject;
  Variant Handle(const std::string& target, std::string_view member, CallKind kind,
                 std::span<Variant> args);
  ObjectRef MakeChild(const std::string& member);

  std::vector<RecordedCall> calls_;
  std::map<std::string, Responder, std::less<>> responders_;
  std::optional<std::size_t> failingCall_;
  std::int32_t failureNumber_ = 0;
  std::string failureDescription_;
  int nextObject_ = 1;
};

}  // namespace zembrati::testing
