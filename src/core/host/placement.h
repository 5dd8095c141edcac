#pragma once

#include "automation/variant.h"

namespace zembrati::host {

// Puts `shape` where the session's drop placement says: a new placement object takes the shape
// as its target, receives P1 to P7 of the stored placement in this order, and is applied.
// Without a stored placement the read of P1 raises error 91.
void ApplyPlacement(const automation::ObjectRef& shape);

}  // namespace zembrati::host
