#pragma once

#include <array>
#include <string_view>

#include "automation/variant.h"

namespace zembrati::host {

// A class of the host that the system creates itself, with the ids the host registers it under.
struct HostClass {
  std::string_view name;
  std::string_view classId;
  std::string_view interfaceId;  // empty for the data objects, which are used by name only
};

inline constexpr HostClass kPlacementObject{"placement object",
                                            "{47ACD06C-AF38-11D2-99DB-00A0244EC406}",
                                            "{6B2493B2-F7CB-454D-99BC-E3E2BF47C8D0}"};
inline constexpr HostClass kShapeService{"shape service", "{47ACD062-AF38-11D2-99DB-00A0244EC406}",
                                         "{FC213932-4068-11D3-80CC-00C04F6BFADF}"};
inline constexpr HostClass kHandlerRegistry{"handler registry",
                                            "{47ACD07A-AF38-11D2-99DB-00A0244EC406}",
                                            "{FC213938-4068-11D3-80CC-00C04F6BFADF}"};
inline constexpr HostClass kRegistryReader{"registry reader",
                                           "{B0131D3E-07ED-11D3-80A0-00C04F6BFADF}",
                                           "{4CFEFFAF-96F3-11D3-80F0-00C04F6BFADF}"};
inline constexpr HostClass kHostVector{"host vector", "{47ACD072-AF38-11D2-99DB-00A0244EC406}",
                                       "{4CFEFFAD-96F3-11D3-80F0-00C04F6BFADF}"};
inline constexpr HostClass kHostTransform{"host transform",
                                          "{47ACD074-AF38-11D2-99DB-00A0244EC406}",
                                          "{04999232-4E61-11D3-80D3-00C04F6BFADF}"};
inline constexpr HostClass kShapeAndTransform{"shape-and-transform object",
                                              "{47ACD06F-AF38-11D2-99DB-00A0244EC406}",
                                              "{FA50EA3E-44F7-11D3-80CD-00C04F6BFADF}"};
inline constexpr HostClass kPropertyCollection{"property collection",
                                               "{3DE10049-922D-11CF-AC2E-00A024581E5C}", ""};
inline constexpr HostClass kPropertyItem{"property item", "{3DE10048-922D-11CF-AC2E-00A024581E5C}",
                                         ""};
inline constexpr HostClass kSummaryObject{"summary object",
                                          "{3DE1004A-922D-11CF-AC2E-00A024581E5C}", ""};

inline constexpr std::array kHostClasses{kPlacementObject, kShapeService,      kHandlerRegistry,
                                         kRegistryReader,  kHostVector,        kHostTransform,
                                         kShapeAndTransform, kPropertyCollection, kPropertyItem,
                                         kSummaryObject};

// A new object of a host class, made by the host through its class id (error 429 if it cannot).
automation::ObjectRef CreateHostObject(const HostClass& hostClass);

}  // namespace zembrati::host
