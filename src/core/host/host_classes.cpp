#include "host/host_classes.h"

#include "automation/object_creation.h"

namespace zembrati::host {

automation::ObjectRef CreateHostObject(const HostClass& hostClass) {
  return automation::CreateObject(hostClass.classId, hostClass.interfaceId);
}

}  // namespace zembrati::host
