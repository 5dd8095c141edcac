#include "geometry/dimension_checks.h"

#include <algorithm>
#include <cmath>

#include "catalogue/size_lines.h"
#include "geometry/generators.h"
#include "geometry/section_types.h"
#include "geometry/stated_values.h"
#include "runtime/number_text.h"

namespace zembrati::geometry {
namespace {

using runtime::GeneralForm;

class Findings {
 public:
  void Require(bool sound, const std::string& problem) {
    if (!sound) problems.push_back(problem);
  }
  void Positive(double value, const std::string& name) {
    Require(std::isfinite(value) && value > 0, name + " must be greater than 0 (it is " + GeneralForm(value) + ")");
  }
  void NotNegative(double value, const std::string& name) {
    Require(std::isfinite(value) && value >= 0, name + " must not be negative (it is " + GeneralForm(value) + ")");
  }
  std::vector<std::string> problems;
};

void CheckIBeam(Findings& f, double h, double b, double tw, double rootRadius, double toeFlange,
                double webFlange) {
  f.Require(tw < b, "the web (" + GeneralForm(tw) + ") is not narrower than the flange (" + GeneralForm(b) + ")");
  f.Require(2 * webFlange < h, "the flanges (" + GeneralForm(webFlange) + " at the web) leave no web in a height of " +
                                   GeneralForm(h));
  f.Require(toeFlange > 0, "the sloped flange has no thickness left at its toe");
  f.Require(rootRadius <= (b - tw) / 2, "the root radius " + GeneralForm(rootRadius) +
                                            " is larger than the flange outstand " + GeneralForm((b - tw) / 2));
}

void CheckHE(Findings& f, const std::array<double, 21>& d) {
  const double h = d[0], b = d[2], tw = d[3], tf = d[4], r = d[5];
  for (const auto& [value, name] : {std::pair{h, "h"}, {b, "b"}, {tw, "tw"}, {tf, "tf"}}) f.Positive(value, name);
  f.NotNegative(r, "r");
  CheckIBeam(f, h, b, tw, r, tf, tf);
}

void CheckSloped(Findings& f, const std::array<double, 21>& d, bool channel) {
  const double h = d[0], b = d[2], tw = d[3], tf = d[4], r1 = d[5], r2 = d[6];
  for (const auto& [value, name] : {std::pair{h, "h"}, {b, "b"}, {tw, "tw"}, {tf, "tf"}}) f.Positive(value, name);
  f.NotNegative(r1, "r1");
  f.NotNegative(r2, "r2");
  const double slope = d[catalogue::named_field::kFlangeSlope];
  const SlopedFlange flange = channel ? UpnFlange(b, tw, tf, FlangeSlope(slope, kUpnSlope))
                                      : IpnFlange(b, tw, tf, FlangeSlope(slope, kIpnSlope));
  // A channel has one flange outstand of b - tw; the I beam's two are half of that each.
  CheckIBeam(f, h, channel ? 2 * b - tw : b, tw, r1, flange.t1, flange.t2);
  f.Require(r2 <= flange.t1, "the toe radius " + GeneralForm(r2) + " is larger than the flange thickness at the toe " +
                                 GeneralForm(flange.t1));
}

void CheckAngle(Findings& f, const std::array<double, 21>& d) {
  const double a = d[0], b = d[2], t = d[3], r1 = d[4], r2 = d[5];
  for (const auto& [value, name] : {std::pair{a, "a"}, {b, "b"}, {t, "t"}}) f.Positive(value, name);
  f.NotNegative(r1, "r1");
  f.NotNegative(r2, "r2");
  f.Require(t < std::min(a, b), "the thickness " + GeneralForm(t) + " is not less than the shorter leg");
  f.Require(r2 <= t, "the toe radius " + GeneralForm(r2) + " is larger than the thickness " + GeneralForm(t));
  f.Require(r1 + r2 <= std::min(a, b) - t, "the root and toe radii do not fit on the shorter leg");
}

void CheckTee(Findings& f, const std::array<double, 21>& d, bool rounded) {
  const double b = d[0], h = d[2], t = d[3];
  for (const auto& [value, name] : {std::pair{b, "b"}, {h, "h"}, {t, "t"}}) f.Positive(value, name);
  f.Require(t < b && t < h, "the thickness " + GeneralForm(t) + " is not less than the width and the height");
  if (!rounded) return;
  const TaperedTee taper = TArrTaper(b, h, t);
  f.Require(taper.w1 > 0 && taper.f1 > 0, "the tapers leave no thickness at the web or flange toe");
  for (const auto& [value, name] : {std::pair{d[4], "r1"}, {d[5], "r2"}, {d[6], "r3"}}) f.NotNegative(value, name);
  f.Require(2 * d[6] <= taper.w1, "the web toe radius " + GeneralForm(d[6]) + " is larger than half the web top");
  f.Require(d[5] <= taper.f1, "the flange toe radius " + GeneralForm(d[5]) + " is larger than the flange toe");
}

void CheckHollow(Findings& f, double a, double b, double t, bool round) {
  f.Positive(a, round ? "D" : "A");
  if (!round) f.Positive(b, "B");
  f.Positive(t, "the thickness");
  f.Require(2 * t < std::min(a, b), "the wall " + GeneralForm(t) + " is not less than half the section (" +
                                        GeneralForm(std::min(a, b) / 2) + ")");
}

// The corners a rectangular or square hollow section is drawn with, from its rule or stated radii.
void CheckHollowCorners(Findings& f, double a, double b, const std::array<double, 21>& d) {
  namespace field = catalogue::named_field;
  const double t = DesignWall(d[2], d[field::kWallFactor]);
  const HollowCorners corners = CornersOf(t, d[field::kCornerRule], d[field::kOuterRadius], d[field::kInnerRadius]);
  const double half = std::min(a, b) / 2;
  f.Require(corners.outer <= half, "the outer corner radius " + GeneralForm(corners.outer) +
                                       " is larger than half the section (" + GeneralForm(half) + ")");
  f.Require(corners.inner >= 0 && corners.inner <= corners.outer,
            "the inner corner radius " + GeneralForm(corners.inner) + " is not between 0 and the outer one (" +
                GeneralForm(corners.outer) + ")");
  f.Require(corners.inner <= half - t, "the inner corner radius " + GeneralForm(corners.inner) +
                                           " is larger than half the hole (" + GeneralForm(half - t) + ")");
}

}  // namespace

int RequiredFieldCount(std::int16_t typeCode) {
  const SectionType* type = FindSectionType(typeCode);
  if (type == nullptr) return 0;
  return *std::max_element(type->dimsElements.begin(), type->dimsElements.end()) + 1;
}

std::vector<std::string> CheckDimensions(std::int16_t typeCode, const std::array<double, 21>& d) {
  Findings f;
  switch (typeCode) {
    case 1: CheckHE(f, d); break;
    case 2: CheckSloped(f, d, false); break;
    case 3: CheckSloped(f, d, true); break;
    case 4: CheckAngle(f, d); break;
    case 5: CheckTee(f, d, false); break;
    case 6: CheckTee(f, d, true); break;
    case 7: CheckHollow(f, d[0], d[0], d[2], true); break;
    case 8:
      CheckHollow(f, d[0], d[3], d[2], false);
      CheckHollowCorners(f, d[0], d[3], d);
      break;
    case 9:
      CheckHollow(f, d[0], d[0], d[2], false);
      CheckHollowCorners(f, d[0], d[0], d);
      break;
    case 10:
      f.Positive(d[0], "A");
      f.Positive(d[2], "the thickness");
      break;
    case 11:
    case 12: f.Positive(d[0], typeCode == 11 ? "D" : "A"); break;
    default: f.Require(false, "unknown section type " + std::to_string(typeCode));
  }
  f.Positive(d[1], "the length");
  return f.problems;
}

}  // namespace zembrati::geometry
