#pragma once

#include <array>
#include <span>
#include <string_view>
#include <utility>

#include "automation/object.h"

namespace zembrati::automation {

// Calls a member of `target`. A null target (Nothing) raises error 91, as using an unset object
// variable does.
Variant Invoke(const ObjectRef& target, std::string_view member, CallKind kind,
               std::span<Variant> args);

// Convenience forms with arguments passed by value; use Invoke with a span for output arguments.
template <typename... Args>
Variant CallMethod(const ObjectRef& target, std::string_view member, Args&&... args) {
  std::array<Variant, sizeof...(Args)> list{Variant(std::forward<Args>(args))...};
  return Invoke(target, member, CallKind::Method, list);
}

template <typename... Args>
Variant GetProperty(const ObjectRef& target, std::string_view member, Args&&... args) {
  std::array<Variant, sizeof...(Args)> list{Variant(std::forward<Args>(args))...};
  return Invoke(target, member, CallKind::PropertyGet, list);
}

// The value to store is the last argument; any before it are the property's index arguments.
template <typename... Args>
void PutProperty(const ObjectRef& target, std::string_view member, Args&&... args) {
  static_assert(sizeof...(Args) >= 1, "a property put needs a value");
  std::array<Variant, sizeof...(Args)> list{Variant(std::forward<Args>(args))...};
  Invoke(target, member, CallKind::PropertyPut, list);
}

template <typename... Args>
void PutPropertyRef(const ObjectRef& target, std::string_view member, Args&&... args) {
  static_assert(sizeof...(Args) >= 1, "a property put needs a value");
  std::array<Variant, sizeof...(Args)> list{Variant(std::forward<Args>(args))...};
  Invoke(target, member, CallKind::PropertyPutRef, list);
}

}  // namespace zembrati::automation
