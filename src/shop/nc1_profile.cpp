#include "nc1_profile.h"

#include <string>

#include "ifc/ifc_profile.h"

namespace zembrati::shop {
namespace {

// The profile's attributes as numbers ("$", unset, as 0).
std::vector<double> Values(const ifc::ProfileDefinition& profile) {
  std::vector<double> values;
  for (const std::string& attribute : profile.attributes) values.push_back(attribute == "$" ? 0.0 : std::stod(attribute));
  return values;
}

}  // namespace

std::optional<std::string> Nc1ProfileCode(std::int16_t typeCode) {
  switch (typeCode) {
    case 1:
    case 2: return "I";
    case 3: return "U";
    case 4: return "L";
    case 5:
    case 6: return "T";
    case 7: return "RO";
    case 8:
    case 9: return "M";
    case 10:
    case 12: return "B";
    case 11: return "RU";
    default: return std::nullopt;
  }
}

std::optional<Nc1Profile> Nc1ProfileOf(std::int16_t typeCode, const std::vector<scene::LoopSketch>& loops, double boxWidth,
                                       double boxHeight) {
  const auto code = Nc1ProfileCode(typeCode);
  if (!code) return std::nullopt;
  Nc1Profile p{*code};
  const auto profile = ifc::ParametricProfile(typeCode, loops);
  if (!profile) {
    p.height = boxHeight;
    p.flangeWidth = boxWidth;
    return p;
  }
  const std::vector<double> v = Values(*profile);
  const std::string& entity = profile->entity;
  if (entity == "IFCISHAPEPROFILEDEF") {
    p = {*code, v[1], v[0], v[3], v[2], v[4]};
  } else if (entity == "IFCUSHAPEPROFILEDEF") {
    p = {*code, v[0], v[1], v[3], v[2], v[4]};
  } else if (entity == "IFCLSHAPEPROFILEDEF") {
    p = {*code, v[1], v[0], v[2], v[2], v[3]};  // the first leg (along the drawing's x) as the height
  } else if (entity == "IFCTSHAPEPROFILEDEF") {
    p = {*code, v[0], v[1], v[3], v[2], 0};
  } else if (entity == "IFCCIRCLEHOLLOWPROFILEDEF") {
    p = {*code, 2 * v[0], 2 * v[0], v[1], v[1], 0};
  } else if (entity == "IFCRECTANGLEHOLLOWPROFILEDEF") {
    p = {*code, v[0], v[1], v[2], v[2], v[4]};
  } else if (entity == "IFCRECTANGLEPROFILEDEF") {
    p = {*code, v[0], 0, 0, v[1], 0};
  } else if (entity == "IFCCIRCLEPROFILEDEF") {
    p = {*code, 2 * v[0], 0, 0, 0, 0};
  }
  return p;
}

}  // namespace zembrati::shop
