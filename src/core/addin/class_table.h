#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"

namespace zembrati::addin {

// The system's registered classes: ZembratiObj, DropHook and the twelve part classes, with the
// ProgIDs, class and interface ids they are registered under (the type library is Zembrati).
struct ComponentClass {
  std::string name;         // ZembratiObj, DropHook, ProfilHE, ...
  std::string progId;       // Zembrati.<name>
  std::string classId;      // {30CA9B..-C04C-11D4-8586-00E08110F9CF}
  std::string interfaceId;  // of the class's interface _<name>
  std::int16_t typeCode;    // the part classes' section type; 0 for the other two
};

inline constexpr const char* kTypeLibraryName = "Zembrati";
inline constexpr const char* kLibraryId = "{30CA9B05-C04C-11D4-8586-00E08110F9CF}";

const std::vector<ComponentClass>& ComponentClasses();
// By ProgID, class name or class id (without regard to case); null when unknown.
const ComponentClass* FindComponentClass(std::string_view nameOrId);

// A new instance of a class as an automation object (error 429 for an unknown one).
automation::ObjectRef CreateComponent(std::string_view nameOrId);
// A new instance of the part class of a section type.
automation::ObjectRef CreateComponentForType(std::int16_t typeCode);

}  // namespace zembrati::addin
