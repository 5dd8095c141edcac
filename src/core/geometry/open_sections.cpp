// The open sections that are not I-shaped: channel, angle and the two tees.
#include "geometry/body_builder.h"
#include "geometry/generators.h"
#include "geometry/outline_loop.h"
#include "runtime/float_check.h"

namespace zembrati::geometry {

using runtime::CheckFloat;

SlopedFlange UpnFlange(double b, double tw, double tf, double slope) {
  const double t1 = CheckFloat(tf - Half(b) * slope);
  const double t2 = CheckFloat((b - tw) * slope + t1);
  return {t1, t2};
}

TaperedTee TArrTaper(double b, double h, double t) {
  const double w1 = CheckFloat(t - Half(h) * 0.02);
  const double w2 = CheckFloat((h - t) * 0.02 + w1);
  const double f1 = CheckFloat(t - runtime::Divide(b, 4.0) * 0.02);
  return {w1, w2, f1};
}

void GenUPN(const ObjectRef& shape, const std::string& name, double h, double b, double tw,
            double tf, double r1, double r2, double L, double slope) {
  // Plain variables rather than structured bindings: the lambda captures them on every compiler.
  const SlopedFlange flange = UpnFlange(b, tw, tf, slope);
  const double t1 = flange.t1;
  const double t2 = flange.t2;
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Zero(), Computed(Half(h)));
    loop.LineTo(b, Computed(Half(h)));
    loop.LineTo(b, Computed(Half(h) - t1));
    loop.LineTo(tw, Computed(Half(h) - t2));
    loop.LineTo(tw, Computed(-Half(h) + t2));
    loop.LineTo(b, Computed(-Half(h) + t1));
    loop.LineTo(b, Computed(-Half(h)));
    loop.LineTo(Zero(), Computed(-Half(h)));
    loop.Close();
    loop.Fillet(3, r2);
    loop.Fillet(4, r1);
    loop.Fillet(5, r1);
    loop.Fillet(6, r2);
  };
  BuildSectionBody(shape, name, {b, h, h, b}, L, drawOutline);
}

void GenL(const ObjectRef& shape, const std::string& name, double a, double b, double t,
          double r1, double r2, double L) {
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Zero(), b);
    loop.LineTo(t, b);
    loop.LineTo(t, t);
    loop.LineTo(a, t);
    loop.LineTo(a, Zero());
    loop.LineTo(Zero(), Zero());
    loop.Close();
    // The inner corners at the leg ends with r2, the root with r1.
    loop.Fillet(2, r2);
    loop.Fillet(3, r1);
    loop.Fillet(4, r2);
  };
  BuildSectionBody(shape, name, {b, a, b, a}, L, drawOutline);
}

void GenT(const ObjectRef& shape, const std::string& name, double b, double h, double t,
          double L) {
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Computed(-Half(t)), h);
    loop.LineTo(Computed(Half(t)), h);
    loop.LineTo(Computed(Half(t)), t);
    loop.LineTo(Computed(Half(b)), t);
    loop.LineTo(Computed(Half(b)), Zero());
    loop.LineTo(Computed(-Half(b)), Zero());
    loop.LineTo(Computed(-Half(b)), t);
    loop.LineTo(Computed(-Half(t)), t);
    loop.Close();
  };
  BuildSectionBody(shape, name, {b, h, b, h}, L, drawOutline);
}

void GenTArr(const ObjectRef& shape, const std::string& name, double b, double h, double t,
             double r1, double r2, double r3, double L) {
  const TaperedTee taper = TArrTaper(b, h, t);
  const double w1 = taper.w1;
  const double w2 = taper.w2;
  const double f1 = taper.f1;
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Computed(-Half(w1)), h);
    loop.LineTo(Computed(Half(w1)), h);
    // The root lies at the height w2: the flange is as thick as the web where they meet.
    loop.LineTo(Computed(Half(w2)), w2);
    loop.LineTo(Computed(Half(b)), f1);
    loop.LineTo(Computed(Half(b)), Zero());
    loop.LineTo(Computed(-Half(b)), Zero());
    loop.LineTo(Computed(-Half(b)), f1);
    loop.LineTo(Computed(-Half(w2)), w2);
    loop.Close();
    // Web toes r3, roots r1, upper corners of the flange toes r2; the underside stays sharp.
    loop.Fillet(1, r3);
    loop.Fillet(2, r3);
    loop.Fillet(3, r1);
    loop.Fillet(4, r2);
    loop.Fillet(7, r2);
    loop.Fillet(8, r1);
  };
  BuildSectionBody(shape, name, {b, h, b, h}, L, drawOutline);
}

}  // namespace zembrati::geometry
