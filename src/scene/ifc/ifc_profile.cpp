#include "ifc/ifc_profile.h"

#include <cmath>
#include <functional>
#include <numbers>

#include "ifc/spf_writer.h"

namespace zembrati::ifc {
namespace {

using scene::FilletRequest;
using scene::LoopSketch;
using scene::Point2;

// Drawn coordinates are sums and halves of catalogue values: they agree to far better than this.
constexpr double kToleranceMm = 1e-7;

bool Near(double a, double b) { return std::fabs(a - b) <= kToleranceMm * std::max(1.0, std::fabs(a)); }
bool Near(Point2 a, Point2 b) { return Near(a.x, b.x) && Near(a.y, b.y); }

// A polygonal loop's corners from its start (the closing line back to the start left out); none
// for a circle or a loop that does not close on its start.
std::optional<std::vector<Point2>> CornersOf(const LoopSketch& loop) {
  if (loop.circleCentre || !loop.start || loop.lines.empty() || !Near(loop.lines.back(), *loop.start)) return std::nullopt;
  std::vector<Point2> corners{*loop.start};
  corners.insert(corners.end(), loop.lines.begin(), loop.lines.end() - 1);
  return corners;
}

bool SameCorners(const std::vector<Point2>& drawn, const std::vector<Point2>& expected) {
  if (drawn.size() != expected.size()) return false;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (!Near(drawn[i], expected[i])) return false;
  }
  return true;
}

bool SameFillets(const std::vector<FilletRequest>& drawn, const std::vector<FilletRequest>& expected) {
  if (drawn.size() != expected.size()) return false;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (drawn[i].index != expected[i].index || !Near(drawn[i].radius, expected[i].radius)) return false;
  }
  return true;
}

bool Positive(std::initializer_list<double> values) {
  for (const double v : values) {
    if (!(v > 0) || !std::isfinite(v)) return false;
  }
  return true;
}
bool NonNegative(std::initializer_list<double> values) {
  for (const double v : values) {
    if (!(v >= 0) || !std::isfinite(v)) return false;
  }
  return true;
}

std::string Radius(double r) { return Length(r); }

// The one polygonal loop of an open section, or none.
std::optional<std::vector<Point2>> SingleOutline(const std::vector<LoopSketch>& loops) {
  if (loops.size() != 1) return std::nullopt;
  return CornersOf(loops.front());
}

// HE and every I section drawn alike: flanges of constant thickness, four root fillets.
std::optional<ProfileDefinition> IShape(const std::vector<LoopSketch>& loops) {
  const auto c = SingleOutline(loops);
  if (!c || c->size() != 12 || loops.front().fillets.size() != 4) return std::nullopt;
  const double b = -2 * (*c)[0].x, h = 2 * (*c)[0].y, tw = 2 * (*c)[3].x, tf = h / 2 - (*c)[3].y;
  const double r = loops.front().fillets[0].radius;
  if (!SameCorners(*c, {{-b / 2, h / 2}, {b / 2, h / 2}, {b / 2, h / 2 - tf}, {tw / 2, h / 2 - tf}, {tw / 2, -h / 2 + tf},
                        {b / 2, -h / 2 + tf}, {b / 2, -h / 2}, {-b / 2, -h / 2}, {-b / 2, -h / 2 + tf},
                        {-tw / 2, -h / 2 + tf}, {-tw / 2, h / 2 - tf}, {-b / 2, h / 2 - tf}}) ||
      !SameFillets(loops.front().fillets, {{4, r}, {6, r}, {12, r}, {14, r}}) || !Positive({b, h, tw, tf}) ||
      !NonNegative({r}) || tw >= b || 2 * tf >= h) {
    return std::nullopt;
  }
  return ProfileDefinition{"IFCISHAPEPROFILEDEF", {Length(b), Length(h), Length(tw), Length(tf), Radius(r), "$", "$"}, {0, 0}};
}

// IPN: the inner faces of the flanges slope at 14 %, the flange thickness is given a quarter of
// the flange width in from the toe, and the toes are rounded too.
std::optional<ProfileDefinition> SlopedIShape(const std::vector<LoopSketch>& loops) {
  constexpr double kSlope = 0.14;
  const auto c = SingleOutline(loops);
  if (!c || c->size() != 12 || loops.front().fillets.size() != 8) return std::nullopt;
  const double b = -2 * (*c)[0].x, h = 2 * (*c)[0].y, tw = 2 * (*c)[3].x;
  const double t1 = h / 2 - (*c)[2].y, t2 = h / 2 - (*c)[3].y, tf = t1 + b / 4 * kSlope;
  const double r1 = loops.front().fillets[1].radius, r2 = loops.front().fillets[0].radius;
  if (!Near(t2, (b / 2 - tw / 2) * kSlope + t1) ||
      !SameCorners(*c, {{-b / 2, h / 2}, {b / 2, h / 2}, {b / 2, h / 2 - t1}, {tw / 2, h / 2 - t2}, {tw / 2, -h / 2 + t2},
                        {b / 2, -h / 2 + t1}, {b / 2, -h / 2}, {-b / 2, -h / 2}, {-b / 2, -h / 2 + t1},
                        {-tw / 2, -h / 2 + t2}, {-tw / 2, h / 2 - t2}, {-b / 2, h / 2 - t1}}) ||
      !SameFillets(loops.front().fillets, {{3, r2}, {5, r1}, {7, r1}, {9, r2}, {13, r2}, {15, r1}, {17, r1}, {19, r2}}) ||
      !Positive({b, h, tw, t1, tf}) || !NonNegative({r1, r2}) || tw >= b || 2 * t2 >= h) {
    return std::nullopt;
  }
  return ProfileDefinition{"IFCISHAPEPROFILEDEF",
                           {Length(b), Length(h), Length(tw), Length(tf), Radius(r1), Radius(r2), Real(SlopeDegrees(kSlope))},
                           {0, 0}};
}

// UPN: the web's back on the section's axis, flanges towards +x sloping at 8 %, the flange
// thickness given half the flange width in from the toe (where IFC's channel gives it too).
std::optional<ProfileDefinition> Channel(const std::vector<LoopSketch>& loops) {
  constexpr double kSlope = 0.08;
  const auto c = SingleOutline(loops);
  if (!c || c->size() != 8 || loops.front().fillets.size() != 4) return std::nullopt;
  const double h = 2 * (*c)[0].y, b = (*c)[1].x, tw = (*c)[3].x;
  const double t1 = h / 2 - (*c)[2].y, t2 = h / 2 - (*c)[3].y, tf = t1 + b / 2 * kSlope;
  const double r1 = loops.front().fillets[1].radius, r2 = loops.front().fillets[0].radius;
  if (!Near(t2, (b - tw) * kSlope + t1) ||
      !SameCorners(*c, {{0, h / 2}, {b, h / 2}, {b, h / 2 - t1}, {tw, h / 2 - t2}, {tw, -h / 2 + t2}, {b, -h / 2 + t1},
                        {b, -h / 2}, {0, -h / 2}}) ||
      !SameFillets(loops.front().fillets, {{3, r2}, {5, r1}, {7, r1}, {9, r2}}) || !Positive({b, h, tw, t1, tf}) ||
      !NonNegative({r1, r2}) || tw >= b || 2 * t2 >= h) {
    return std::nullopt;
  }
  return ProfileDefinition{"IFCUSHAPEPROFILEDEF",
                           {Length(h), Length(b), Length(tw), Length(tf), Radius(r1), Radius(r2), Real(SlopeDegrees(kSlope))},
                           {b / 2, 0}};
}

// L: the heel at the origin, leg a along +x and leg b along +y.
std::optional<ProfileDefinition> Angle(const std::vector<LoopSketch>& loops) {
  const auto c = SingleOutline(loops);
  if (!c || c->size() != 6 || loops.front().fillets.size() != 3) return std::nullopt;
  const double a = (*c)[3].x, b = (*c)[0].y, t = (*c)[1].x;
  const double r1 = loops.front().fillets[1].radius, r2 = loops.front().fillets[0].radius;
  if (!SameCorners(*c, {{0, b}, {t, b}, {t, t}, {a, t}, {a, 0}, {0, 0}}) ||
      !SameFillets(loops.front().fillets, {{2, r2}, {4, r1}, {6, r2}}) || !Positive({a, b, t}) || !NonNegative({r1, r2}) ||
      t >= a || t >= b) {
    return std::nullopt;
  }
  return ProfileDefinition{"IFCLSHAPEPROFILEDEF", {Length(b), Length(a), Length(t), Radius(r1), Radius(r2), "$"}, {a / 2, b / 2}};
}

// T with sharp corners: the flange on the underside, the web rising to h. IFC's tee has its
// flange on top: the same shape turned half a turn.
std::optional<ProfileDefinition> Tee(const std::vector<LoopSketch>& loops) {
  const auto c = SingleOutline(loops);
  if (!c || c->size() != 8 || !loops.front().fillets.empty()) return std::nullopt;
  const double b = 2 * (*c)[3].x, h = (*c)[0].y, t = (*c)[1].x * 2;
  if (!SameCorners(*c, {{-t / 2, h}, {t / 2, h}, {t / 2, t}, {b / 2, t}, {b / 2, 0}, {-b / 2, 0}, {-b / 2, t}, {-t / 2, t}}) ||
      !Positive({b, h, t}) || t >= b || t >= h) {
    return std::nullopt;
  }
  return ProfileDefinition{"IFCTSHAPEPROFILEDEF", {Length(h), Length(b), Length(t), Length(t), "$", "$", "$", "$", "$"}, {0, h / 2}, true};
}

bool CircleAtOrigin(const LoopSketch& loop, double& radius) {
  if (!loop.circleCentre || !Near(*loop.circleCentre, {0, 0}) || !loop.lines.empty()) return false;
  radius = loop.circleRadius;
  return radius > 0 && std::isfinite(radius);
}

std::optional<ProfileDefinition> Tube(const std::vector<LoopSketch>& loops) {
  double inner = 0, outer = 0;
  if (loops.size() != 2 || !CircleAtOrigin(loops[0], inner) || !CircleAtOrigin(loops[1], outer) || inner >= outer) {
    return std::nullopt;
  }
  ProfileDefinition profile{"IFCCIRCLEHOLLOWPROFILEDEF", {Length(outer), Length(outer - inner)}, {0, 0}};
  profile.thickness = outer - inner;
  return profile;
}

std::optional<ProfileDefinition> RoundBar(const std::vector<LoopSketch>& loops) {
  double radius = 0;
  if (loops.size() != 1 || !CircleAtOrigin(loops[0], radius)) return std::nullopt;
  return ProfileDefinition{"IFCCIRCLEPROFILEDEF", {Length(radius)}, {0, 0}};
}

// A rectangle centred on the origin, its corners rounded (or not) with one radius.
bool CentredRectangle(const LoopSketch& loop, double& a, double& b, std::optional<double> radius) {
  const auto c = CornersOf(loop);
  if (!c || c->size() != 4) return false;
  a = 2 * (*c)[1].x;
  b = 2 * (*c)[1].y;
  if (!SameCorners(*c, {{-a / 2, b / 2}, {a / 2, b / 2}, {a / 2, -b / 2}, {-a / 2, -b / 2}}) || !Positive({a, b})) return false;
  if (!radius) return loop.fillets.empty();
  return SameFillets(loop.fillets, {{1, *radius}, {3, *radius}, {5, *radius}, {7, *radius}});
}

// Hollow sections: an outer and an inner rounded rectangle, the wall between them of one
// thickness all round; the corner radii are the drawn ones (they follow the standard's rule for
// hot finished or cold formed sections).
std::optional<ProfileDefinition> HollowRectangle(const std::vector<LoopSketch>& loops) {
  if (loops.size() != 2 || loops[0].fillets.empty() || loops[1].fillets.empty()) return std::nullopt;
  const double outerRadius = loops[0].fillets[0].radius, innerRadius = loops[1].fillets[0].radius;
  double a = 0, b = 0, ai = 0, bi = 0;
  if (!CentredRectangle(loops[0], a, b, outerRadius) || !CentredRectangle(loops[1], ai, bi, innerRadius)) return std::nullopt;
  const double t = (a - ai) / 2;
  if (!Near(b - bi, 2 * t) || !Positive({t, ai, bi}) || !NonNegative({innerRadius, outerRadius})) return std::nullopt;
  ProfileDefinition profile{"IFCRECTANGLEHOLLOWPROFILEDEF",
                            {Length(a), Length(b), Length(t), Radius(innerRadius), Radius(outerRadius)}, {0, 0}};
  profile.thickness = t;
  return profile;
}

std::optional<ProfileDefinition> Rectangle(const std::vector<LoopSketch>& loops, bool flat) {
  double a = 0, b = 0;
  if (loops.size() != 1 || !CentredRectangle(loops[0], a, b, std::nullopt)) return std::nullopt;
  ProfileDefinition profile{"IFCRECTANGLEPROFILEDEF", {Length(a), Length(b)}, {0, 0}};
  if (flat) profile.thickness = b;
  return profile;
}

}  // namespace

ProfileDefinition Filled(const ProfileDefinition& profile) {
  ProfileDefinition filled = profile;
  filled.thickness = 0;
  if (profile.entity == "IFCCIRCLEHOLLOWPROFILEDEF") {
    filled.entity = "IFCCIRCLEPROFILEDEF";
    filled.attributes = {profile.attributes[0]};
  } else if (profile.entity == "IFCRECTANGLEHOLLOWPROFILEDEF") {
    filled.entity = "IFCROUNDEDRECTANGLEPROFILEDEF";
    filled.attributes = {profile.attributes[0], profile.attributes[1], profile.attributes[4]};
  }
  return filled;
}

double SlopeDegrees(double rise) { return std::atan(rise) * 180 / std::numbers::pi; }

std::optional<ProfileDefinition> ParametricProfile(std::int16_t typeCode, const std::vector<scene::LoopSketch>& loops) {
  switch (typeCode) {
    case 1: return IShape(loops);
    case 2: return SlopedIShape(loops);
    case 3: return Channel(loops);
    case 4: return Angle(loops);
    case 5: return Tee(loops);
    case 7: return Tube(loops);
    case 8:
    case 9: return HollowRectangle(loops);
    case 10: return Rectangle(loops, true);
    case 11: return RoundBar(loops);
    case 12: return Rectangle(loops, false);
    default: return std::nullopt;  // 6, the rounded tee: IFC's tee tapers otherwise
  }
}

}  // namespace zembrati::ifc
