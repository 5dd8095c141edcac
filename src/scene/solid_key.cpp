#include "solid_key.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace zembrati::scene {
namespace {

// Lengths to a millionth of a millimetre; a value beyond what that holds (never a building's) is
// kept as it is, bit for bit.
void PutLength(std::string& key, double value) {
  const double scaled = std::round(value * 1e6);
  std::int64_t bits = 0;
  if (std::fabs(scaled) < 9e18) {
    bits = static_cast<std::int64_t>(scaled);
  } else {
    std::memcpy(&bits, &value, sizeof bits);
    key += '!';
  }
  key.append(reinterpret_cast<const char*>(&bits), sizeof bits);
}

void PutDirection(std::string& key, double value) { PutLength(key, value * 1e6); }

void PutPoint(std::string& key, Point2 p) {
  PutLength(key, p.x);
  PutLength(key, p.y);
}

void PutPoint(std::string& key, Vector3 p) {
  PutLength(key, p.x);
  PutLength(key, p.y);
  PutLength(key, p.z);
}

void PutBoundary(std::string& key, const Boundary& boundary) {
  key += 'B';
  for (const BoundaryElement& e : boundary.elements) {
    key += e.kind == BoundaryElement::Kind::Line ? 'l' : 'a';
    PutPoint(key, e.from);
    PutPoint(key, e.to);
    if (e.kind == BoundaryElement::Kind::Arc) {
      PutPoint(key, e.centre);
      PutLength(key, e.radius);
      PutDirection(key, e.sweep);
    }
  }
}

void PutPlane(std::string& key, const CutPlane& plane) {
  PutPoint(key, plane.point);
  PutDirection(key, plane.normal.x);
  PutDirection(key, plane.normal.y);
  PutDirection(key, plane.normal.z);
}

void PutEnd(std::string& key, const EndCut& end) {
  key += 'E';
  if (end.plane) {
    key += 'p';
    PutPlane(key, *end.plane);
  }
  if (end.cope) {
    key += 'c';
    PutBoundary(key, end.cope->outline);
    PutLength(key, end.cope->gap);
    PutPoint(key, end.cope->frame.translation);
    for (const double q : end.cope->frame.rotation) PutDirection(key, q);
    PutLength(key, end.cope->zMin);
    PutLength(key, end.cope->zMax);
  }
}

}  // namespace

std::string SolidKeys::Of(const Node& body) {
  auto [section, added] = sections_.try_emplace(body.section.get());
  if (added && body.section) {
    PutBoundary(section->second, body.section->outline);
    for (const Boundary& hole : body.section->holes) PutBoundary(section->second, hole);
  }
  std::string key = section->second;
  key += 'L';
  PutLength(key, body.length);
  if (body.cuts) {
    PutEnd(key, body.cuts->start);
    PutEnd(key, body.cuts->end);
  }
  return key;
}

SolidNumbers::Number SolidNumbers::Of(const Node& body, const std::string& apart) {
  std::string key = keys_.Of(body);
  if (!apart.empty()) key += '\0' + apart;
  const auto [found, added] = numbers_.try_emplace(std::move(key), numbers_.size());
  return {found->second, added};
}

}  // namespace zembrati::scene
