#pragma once

#include <string_view>

#include "automation/object.h"
#include "scene_context.h"

namespace zembrati::scene {

// A new object of one of the host classes the system creates by class id (placement object,
// shape service, handler registry, registry reader, host vector, host transform,
// shape-and-transform object, property collection, property item, summary object), or null
// for a class id this host does not know.
automation::ObjectRef CreateHostClassObject(const ContextPtr& context, std::string_view classId);

}  // namespace zembrati::scene
