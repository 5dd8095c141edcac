#pragma once

#include <optional>

#include "document.h"

namespace zembrati::frame {

// Where a line, followed from `origin` along `direction` (both in a member's body coordinates),
// first enters the member's prism (its section from z = 0 to its length): at origin + t·direction,
// through a surface whose outward normal is `normal` (a flange or web face, a tube's skin, an end
// face), and where it leaves that stretch inside again (`exit`). With the origin inside, t is not
// positive.
struct AxisEntry {
  double t = 0;
  scene::Vector3 normal;
  double exit = 0;
};

// What counts as inside: the section's material, or everything within its outline (a tube's
// bore included), as a cope sees it.
enum class Inside { Material, Outline };

std::optional<AxisEntry> FirstEntry(const scene::Section& section, double length, scene::Vector3 origin,
                                    scene::Vector3 direction, Inside inside);

}  // namespace zembrati::frame
