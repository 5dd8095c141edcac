#pragma once

#include <functional>
#include <string>

#include "automation/variant.h"

namespace zembrati::geometry {

using automation::ObjectRef;

// The values every generator puts on the body besides its outline: s1, s2 go with the length to
// the body's kind-1 component; p1, p2 go to the kind-5 component of the body and the kind-4
// component of its profile.
struct SizeValues {
  double s1;
  double s2;
  double p1;
  double p2;
};

// Draws the section's loops into the body's profile.
using OutlineDrawer = std::function<void(const ObjectRef& profile)>;

// The build sequence all generators share: add an extruded body under the part's first kind-23
// component, put the size values and the length, name the body, draw the outline into its
// profile, repeat two values of the kind-1 component, rebuild the body and fit its size box.
// `flattenHeBody` adds the one extra step of the HE generator (variable 62 of the body's kind-14
// component set to 0). A failing host call ends the sequence where it stands; what was already
// added stays in the part.
void BuildSectionBody(const ObjectRef& shape, const std::string& name, const SizeValues& sizes,
                      double length, const OutlineDrawer& drawOutline, bool flattenHeBody = false);

}  // namespace zembrati::geometry
