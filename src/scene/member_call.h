#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "automation/object.h"

namespace zembrati::scene {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

// One call arriving at an object of the built-in host, with the checks every member makes.
struct MemberCall {
  std::string_view member;
  CallKind kind;
  std::span<Variant> args;

  bool Is(std::string_view name) const { return automation::NamesEqual(member, name); }
  bool IsPut() const { return kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef; }
  // A get or a method call of `name` with exactly `count` arguments (error 450 otherwise).
  bool Gets(std::string_view name, std::size_t count) const;
  // For a member with several forms: a get or call of `name` with exactly `count` arguments,
  // without raising for another count (the next form is tried).
  bool GetsForm(std::string_view name, std::size_t count) const {
    return !IsPut() && Is(name) && args.size() == count;
  }
  // A put of `name` with `indexCount` index arguments before the value.
  bool Puts(std::string_view name, std::size_t indexCount) const;
  // The value of a put.
  const Variant& PutValue() const { return args.back(); }

  std::int32_t Long(std::size_t i) const { return args[i].ToLong(); }
  double Double(std::size_t i) const { return args[i].ToDouble(); }
};

// An object of the built-in host: it answers each call as a MemberCall.
class AnsweringObject : public automation::Object {
 public:
  Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) final {
    return Answer(MemberCall{member, kind, args});
  }

 protected:
  virtual Variant Answer(const MemberCall& call) = 0;
};

[[noreturn]] void RaiseUnknownMember(const MemberCall& call, const std::string& className);

}  // namespace zembrati::scene
