#include "section/section_properties.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace zembrati::scene {
namespace {

// Green's theorem along the segment p to q: ½∮(x dy − y dx), ∮ x²/2 dy, −∮ y²/2 dx, ∮ x³/3 dy,
// −∮ y³/3 dx and ∮ x²y/2 dy, integrated in closed form.
RegionMoments LineMoments(Point2 p, Point2 q) {
  const double dx = q.x - p.x, dy = q.y - p.y;
  RegionMoments m;
  m.area = (p.x * q.y - q.x * p.y) / 2;
  m.momentX = dy / 6 * (p.x * p.x + p.x * q.x + q.x * q.x);
  m.momentY = -dx / 6 * (p.y * p.y + p.y * q.y + q.y * q.y);
  m.inertiaXX = dy / 12 * (p.x + q.x) * (p.x * p.x + q.x * q.x);
  m.inertiaYY = -dx / 12 * (p.y + q.y) * (p.y * p.y + q.y * q.y);
  // ∫₀¹ (a + bt)² (c + dt) dt with x = a + bt, y = c + dt
  const double a = p.x, b = dx, c = p.y, d = dy;
  m.inertiaXY = d / 2 * (a * a * c + (a * a * d + 2 * a * b * c) / 2 + (2 * a * b * d + b * b * c) / 3 + b * b * d / 4);
  return m;
}

// Antiderivatives of the powers of cos t and sin t that the arc integrals need.
struct Trig {
  double t, c, s;
  explicit Trig(double angle) : t(angle), c(std::cos(angle)), s(std::sin(angle)) {}
  double Cos() const { return s; }                                   // ∫ cos
  double Sin() const { return -c; }                                  // ∫ sin
  double Cos2() const { return t / 2 + s * c / 2; }                  // ∫ cos²
  double Sin2() const { return t / 2 - s * c / 2; }                  // ∫ sin²
  double Cos3() const { return s - s * s * s / 3; }                  // ∫ cos³
  double Sin3() const { return -c + c * c * c / 3; }                 // ∫ sin³
  double Cos4() const { return 3 * t / 8 + s * c / 2 + s * c * (2 * c * c - 1) / 8; }  // ∫ cos⁴
  double Sin4() const { return 3 * t / 8 - s * c / 2 + s * c * (2 * c * c - 1) / 8; }  // ∫ sin⁴
  double CosSin() const { return s * s / 2; }                        // ∫ cos sin
  double Cos2Sin() const { return -c * c * c / 3; }                  // ∫ cos² sin
  double CosSin2() const { return s * s * s / 3; }                   // ∫ cos sin²
  double Cos3Sin() const { return -c * c * c * c / 4; }              // ∫ cos³ sin
};

// The second moments along the arc x = cx + r cos t, y = cy + r sin t (dx = −r sin t dt,
// dy = r cos t dt), expanded into the integrals of Trig.
void ArcSecondMoments(const BoundaryElement& arc, double t0, double t1, RegionMoments& m) {
  const double cx = arc.centre.x, cy = arc.centre.y, r = arc.radius;
  const Trig a(t0), b(t1);
  const auto d = [&](double (Trig::*f)() const) { return (b.*f)() - (a.*f)(); };
  // ∮ x³/3 dy = ⅓∫ (cx + r c)³ r c dt
  m.inertiaXX = (r * cx * cx * cx * d(&Trig::Cos) + 3 * r * r * cx * cx * d(&Trig::Cos2) +
                 3 * r * r * r * cx * d(&Trig::Cos3) + r * r * r * r * d(&Trig::Cos4)) /
                3;
  // −∮ y³/3 dx = ⅓∫ (cy + r s)³ r s dt
  m.inertiaYY = (r * cy * cy * cy * d(&Trig::Sin) + 3 * r * r * cy * cy * d(&Trig::Sin2) +
                 3 * r * r * r * cy * d(&Trig::Sin3) + r * r * r * r * d(&Trig::Sin4)) /
                3;
  // ∮ x²y/2 dy = ½∫ (cx + r c)² (cy + r s) r c dt
  m.inertiaXY = (r * cx * cx * cy * d(&Trig::Cos) + r * r * cx * cx * d(&Trig::CosSin) +
                 2 * r * r * cx * cy * d(&Trig::Cos2) + 2 * r * r * r * cx * d(&Trig::Cos2Sin) +
                 r * r * r * cy * d(&Trig::Cos3) + r * r * r * r * d(&Trig::Cos3Sin)) /
                2;
}

// ½∮(x dy − y dx), ∮ x²/2 dy and −∮ y²/2 dx along the arc x = cx + r cos t, y = cy + r sin t.
RegionMoments ArcMoments(const BoundaryElement& arc) {
  const double cx = arc.centre.x, cy = arc.centre.y, r = arc.radius;
  const double t0 = std::atan2(arc.from.y - cy, arc.from.x - cx);
  const double t1 = t0 + arc.sweep;
  const double s0 = std::sin(t0), s1 = std::sin(t1), c0 = std::cos(t0), c1 = std::cos(t1);
  const double x0 = cx + r * c0, y0 = cy + r * s0, x1 = cx + r * c1, y1 = cy + r * s1;
  RegionMoments m;
  m.area = (cx * (y1 - y0) - cy * (x1 - x0) + r * r * arc.sweep) / 2;
  const double cos2 = arc.sweep / 2 + (std::sin(2 * t1) - std::sin(2 * t0)) / 4;
  const double sin2 = arc.sweep / 2 - (std::sin(2 * t1) - std::sin(2 * t0)) / 4;
  m.momentX = (cx * cx * r * (s1 - s0) + 2 * cx * r * r * cos2 +
               r * r * r * ((s1 - s0) - (s1 * s1 * s1 - s0 * s0 * s0) / 3)) /
              2;
  m.momentY = (cy * cy * r * (c0 - c1) + 2 * cy * r * r * sin2 +
               r * r * r * ((c0 - c1) + (c1 * c1 * c1 - c0 * c0 * c0) / 3)) /
              2;
  ArcSecondMoments(arc, t0, t1, m);
  return m;
}

void Include(Box2& box, Point2 p) {
  box.minX = std::min(box.minX, p.x);
  box.maxX = std::max(box.maxX, p.x);
  box.minY = std::min(box.minY, p.y);
  box.maxY = std::max(box.maxY, p.y);
}

// Adds the points where the arc reaches its extremes along x and y (angles kπ/2 it sweeps over).
void IncludeArcExtremes(Box2& box, const BoundaryElement& arc) {
  const double t0 = std::atan2(arc.from.y - arc.centre.y, arc.from.x - arc.centre.x);
  const double lo = std::min(t0, t0 + arc.sweep), hi = std::max(t0, t0 + arc.sweep);
  const double quarter = std::numbers::pi / 2;
  for (double k = std::ceil(lo / quarter); k * quarter <= hi; k += 1) {
    const double t = k * quarter;
    Include(box, {arc.centre.x + arc.radius * std::cos(t), arc.centre.y + arc.radius * std::sin(t)});
  }
}

}  // namespace

RegionMoments& RegionMoments::operator+=(const RegionMoments& other) {
  area += other.area;
  momentX += other.momentX;
  momentY += other.momentY;
  inertiaXX += other.inertiaXX;
  inertiaYY += other.inertiaYY;
  inertiaXY += other.inertiaXY;
  return *this;
}

RegionMoments RegionMoments::Scaled(double factor) const {
  return {area * factor,      momentX * factor,   momentY * factor,
          inertiaXX * factor, inertiaYY * factor, inertiaXY * factor};
}

RegionMoments MomentsOf(const Boundary& boundary) {
  RegionMoments total;
  for (const BoundaryElement& e : boundary.elements) {
    total += e.kind == BoundaryElement::Kind::Line ? LineMoments(e.from, e.to) : ArcMoments(e);
  }
  return total;
}

SectionProperties PropertiesOf(const RegionMoments& m, const Box2& box) {
  SectionProperties p;
  if (!(m.area > 0)) return p;
  const double xc = m.momentX / m.area, yc = m.momentY / m.area;
  // About the centroid (parallel axes): the drawing's y is the section's z, its x the section's y.
  p.iy = m.inertiaYY - m.area * yc * yc;
  p.iz = m.inertiaXX - m.area * xc * xc;
  p.iyz = m.inertiaXY - m.area * xc * yc;
  const double mean = (p.iy + p.iz) / 2;
  const double half = std::hypot((p.iy - p.iz) / 2, p.iyz);
  p.iu = mean + half;
  p.iv = mean - half;
  // Without a product moment worth the name the axes are the principal ones: the angle is then
  // exactly 0 or 90°, not whatever the rounding of the moments leaves in it.
  const double noise = 1e-9 * (p.iy + p.iz);
  if (std::fabs(p.iyz) <= noise) {
    p.alpha = p.iy + noise >= p.iz ? 0 : std::numbers::pi / 2;
  } else {
    p.alpha = std::atan2(-2 * p.iyz, p.iy - p.iz) / 2;
  }
  p.wely = p.iy / std::max(box.maxY - yc, yc - box.minY);
  p.welz = p.iz / std::max(box.maxX - xc, xc - box.minX);
  p.radiusY = std::sqrt(p.iy / m.area);
  p.radiusZ = std::sqrt(p.iz / m.area);
  p.radiusU = std::sqrt(p.iu / m.area);
  p.radiusV = std::sqrt(std::max(p.iv, 0.0) / m.area);
  return p;
}

SectionProperties Transposed(const SectionProperties& p) {
  SectionProperties t = p;
  std::swap(t.iy, t.iz);
  std::swap(t.wely, t.welz);
  std::swap(t.radiusY, t.radiusZ);
  // Mirroring the axes turns the principal axis u from α to 90° - α, kept within (-90°, 90°].
  t.alpha = std::numbers::pi / 2 - p.alpha;
  if (t.alpha > std::numbers::pi / 2) t.alpha -= std::numbers::pi;
  return t;
}

Box2 BoxOf(const Boundary& boundary) {
  const Point2 first = boundary.elements.front().from;
  Box2 box{first.x, first.y, first.x, first.y};
  for (const BoundaryElement& e : boundary.elements) {
    Include(box, e.from);
    Include(box, e.to);
    if (e.kind == BoundaryElement::Kind::Arc) IncludeArcExtremes(box, e);
  }
  return box;
}

}  // namespace zembrati::scene
