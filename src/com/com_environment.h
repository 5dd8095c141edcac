#pragma once

#include "automation/object.h"

namespace zembrati::com {

// What the system needs of Windows while the host calls it: the host's classes created through
// COM by their class ids, message boxes as Windows shows them, and the native selection dialog. Installed around every call
// into one of the system's classes.
class ComEnvironment;

// Wraps one of the system's classes so that each call into it runs with that environment.
automation::ObjectRef InWindowsEnvironment(automation::ObjectRef component);

}  // namespace zembrati::com
