#include "axis_entry.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "section/boundary_queries.h"
#include "section/loop_layout.h"
#include "vector_math.h"

namespace zembrati::frame {
namespace {

using scene::Boundary;
using scene::Point2;
using scene::Vector3;

// A place where the line may pass from outside to inside or back, and the outward normal of the
// surface there.
struct Crossing {
  double t;
  Vector3 normal;
};

std::vector<const Boundary*> LoopsOf(const scene::Section& section, Inside inside) {
  if (inside == Inside::Outline) return {&section.outline};
  return section.Loops();
}

void AddSideCrossings(const scene::Section& section, Inside inside, Vector3 origin, Vector3 direction,
                      std::vector<Crossing>& out) {
  const Point2 o{origin.x, origin.y}, d{direction.x, direction.y};
  for (const Boundary* loop : LoopsOf(section, inside)) {
    // The material lies outside a hole: its surface faces into the hole.
    const double side = loop == &section.outline ? 1 : -1;
    for (const scene::LineCrossing& c : scene::LineCrossings(*loop, o, d)) {
      const Point2 at{o.x + d.x * c.t, o.y + d.y * c.t};
      const Point2 n = scene::OutwardNormal(*loop, c.element, at);
      out.push_back({c.t, Vector3{n.x, n.y, 0} * side});
    }
  }
}

bool IsInside(const scene::Section& section, double length, Inside inside, Vector3 p) {
  if (p.z < 0 || p.z > length) return false;
  const Point2 q{p.x, p.y};
  return inside == Inside::Outline ? scene::Inside(section.outline, q) : scene::InMaterial(section, q);
}

}  // namespace

std::optional<AxisEntry> FirstEntry(const scene::Section& section, double length, Vector3 origin, Vector3 direction,
                                    Inside inside) {
  std::vector<Crossing> crossings;
  AddSideCrossings(section, inside, origin, direction, crossings);
  if (direction.z != 0) {
    crossings.push_back({-origin.z / direction.z, {0, 0, -1}});
    crossings.push_back({(length - origin.z) / direction.z, {0, 0, 1}});
  }
  if (crossings.empty()) return std::nullopt;
  std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.t < b.t; });
  // Between two crossings the line is inside or outside throughout: the middle tells which.
  // Before the first crossing and after the last it is outside (the prism is bounded along the
  // line) unless the line runs along the axis inside the section, which the caps bound.
  const auto insideBetween = [&](std::size_t i) {
    const double middle = (crossings[i].t + crossings[i + 1].t) / 2;
    return crossings[i + 1].t - crossings[i].t > 1e-9 && IsInside(section, length, inside, origin + direction * middle);
  };
  for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
    if (!insideBetween(i) || crossings[i + 1].t <= 1e-9) continue;
    // Of the surfaces met where it enters (a corner meets two), the one it runs most against.
    std::size_t face = i;
    for (std::size_t j = i; j-- > 0 && crossings[i].t - crossings[j].t <= 1e-9;) {
      if (scene::Dot(crossings[j].normal, direction) < scene::Dot(crossings[face].normal, direction)) face = j;
    }
    std::size_t last = i + 1;
    while (last + 1 < crossings.size() && (insideBetween(last) || crossings[last + 1].t - crossings[last].t <= 1e-9)) {
      ++last;
    }
    return AxisEntry{crossings[i].t, crossings[face].normal, crossings[last].t};
  }
  return std::nullopt;
}

}  // namespace zembrati::frame
