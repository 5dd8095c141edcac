#include "host/placement.h"

#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/session_state.h"

namespace zembrati::host {

void ApplyPlacement(const automation::ObjectRef& shape) {
  const automation::ObjectRef placement = CreateHostObject(kPlacementObject);
  SetTarget(placement, shape);
  for (int number = 1; number <= 7; ++number) {
    SetP(placement, number, P(Session().DropPlacement, number));
  }
  Apply(placement);
}

}  // namespace zembrati::host
