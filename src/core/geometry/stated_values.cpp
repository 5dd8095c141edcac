#include "geometry/stated_values.h"

#include "catalogue/size_lines.h"
#include "runtime/float_check.h"

namespace zembrati::geometry {
namespace {

namespace field = catalogue::named_field;

double StatedRadius(double stated, double t) { return stated < 0 ? runtime::CheckFloat(-stated * t) : stated; }

}  // namespace

double FlangeSlope(double stated, double typeSlope) {
  if (stated == 0) return typeSlope;
  if (stated == field::kParallelFlanges) return 0;
  return stated / 100;
}

double DesignWall(double nominal, double statedFactor) {
  return statedFactor == 0 ? nominal : runtime::CheckFloat(nominal * statedFactor);
}

HollowCorners CornersOf(double t, double rule, double statedOuter, double statedInner) {
  if (rule == field::kCornersEn10219) {
    const double factor = t <= 6 ? 2.0 : t <= 10 ? 2.5 : 3.0;
    const double outer = runtime::CheckFloat(t * factor);
    return {outer, runtime::CheckFloat(outer - t)};
  }
  if (rule == field::kCornersEn10210) return {runtime::CheckFloat(t * 1.5), t};
  if (rule == field::kCornersGiven) return {StatedRadius(statedOuter, t), StatedRadius(statedInner, t)};
  // The built-in corners, computed exactly as they always were.
  return {runtime::CheckFloat(t * 1.5), runtime::CheckFloat((t * 1.5) - t)};
}

}  // namespace zembrati::geometry
