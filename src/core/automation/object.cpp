#include "automation/object.h"

#include "automation/invoke.h"
#include "runtime/runtime_error.h"

namespace zembrati::automation {

std::string_view CallKindName(CallKind kind) {
  switch (kind) {
    case CallKind::Method:
      return "call";
    case CallKind::PropertyGet:
      return "get";
    case CallKind::PropertyPut:
      return "put";
    case CallKind::PropertyPutRef:
      return "putref";
  }
  return "?";
}

bool SameObject(const ObjectRef& a, const ObjectRef& b) {
  if (!a || !b) return !a && !b;
  return a->Identity() == b->Identity();
}

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

Variant Invoke(const ObjectRef& target, std::string_view member, CallKind kind,
               std::span<Variant> args) {
  if (!target) runtime::Raise(runtime::error::kObjectVariableNotSet);
  return target->Invoke(member, kind, args);
}

}  // namespace zembrati::automation
