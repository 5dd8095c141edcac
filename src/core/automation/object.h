#pragma once

#include <span>
#include <string>
#include <string_view>

#include "automation/variant.h"

namespace zembrati::automation {

// How a member is called, as the automation protocol distinguishes it.
enum class CallKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

std::string_view CallKindName(CallKind kind);

// An object of the late-bound model: the host's objects, and the system's own classes seen by
// the host, are all reached through this one operation.
class Object {
 public:
  virtual ~Object() = default;

  // Calls `member` (matched without regard to case, as automation names are) in the given way.
  // `args` are passed by reference: the callee may write into them, which is how output
  // arguments come back. For a property put the value to store is the last argument.
  // Failures are raised as runtime errors (host errors keep the host's number and text); an
  // unknown member raises 438.
  virtual Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) = 0;

  // Identity for comparisons by reference (the `Is` test): two references are the same object
  // when their identities match. Wrappers around a foreign object report the foreign identity.
  virtual const void* Identity() const { return this; }

  // A short class name for diagnostics and messages.
  virtual std::string ClassName() const { return "Object"; }
};

bool SameObject(const ObjectRef& a, const ObjectRef& b);

// Case-insensitive comparison of member names (ASCII).
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace zembrati::automation
