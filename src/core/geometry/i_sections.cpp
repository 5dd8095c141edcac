// The two I-shaped sections. They differ only in the sloped flange faces and toe fillets of
// IPN, and in the extra body setting only HE makes.
#include "geometry/body_builder.h"
#include "geometry/generators.h"
#include "geometry/outline_loop.h"
#include "runtime/float_check.h"

namespace zembrati::geometry {

using runtime::CheckFloat;

SlopedFlange IpnFlange(double b, double tw, double tf, double slope) {
  const double t1 = CheckFloat(tf - runtime::Divide(b, 4.0) * slope);
  const double t2 = CheckFloat((Half(b) - Half(tw)) * slope + t1);
  return {t1, t2};
}

void GenHE(const ObjectRef& shape, const std::string& name, double h, double b, double tw,
           double tf, double r, double L) {
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Computed(-Half(b)), Computed(Half(h)));
    loop.LineTo(Computed(Half(b)), Computed(Half(h)));
    loop.LineTo(Computed(Half(b)), Computed(Half(h) - tf));
    loop.LineTo(Computed(Half(tw)), Computed(Half(h) - tf));
    loop.LineTo(Computed(Half(tw)), Computed(-Half(h) + tf));
    loop.LineTo(Computed(Half(b)), Computed(-Half(h) + tf));
    loop.LineTo(Computed(Half(b)), Computed(-Half(h)));
    loop.LineTo(Computed(-Half(b)), Computed(-Half(h)));
    loop.LineTo(Computed(-Half(b)), Computed(-Half(h) + tf));
    loop.LineTo(Computed(-Half(tw)), Computed(-Half(h) + tf));
    loop.LineTo(Computed(-Half(tw)), Computed(Half(h) - tf));
    loop.LineTo(Computed(-Half(b)), Computed(Half(h) - tf));
    loop.Close();
    // The four web-to-flange roots; toes and outer corners stay sharp.
    loop.Fillet(4, r);
    loop.Fillet(5, r);
    loop.Fillet(10, r);
    loop.Fillet(11, r);
  };
  BuildSectionBody(shape, name, {b, h, h, b}, L, drawOutline, /*flattenHeBody=*/true);
}

void GenIPN(const ObjectRef& shape, const std::string& name, double h, double b, double tw,
            double tf, double r1, double r2, double L, double slope) {
  // Plain variables rather than structured bindings: the lambda captures them on every compiler.
  const SlopedFlange flange = IpnFlange(b, tw, tf, slope);
  const double t1 = flange.t1;
  const double t2 = flange.t2;
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Computed(-Half(b)), Computed(Half(h)));
    loop.LineTo(Computed(Half(b)), Computed(Half(h)));
    loop.LineTo(Computed(Half(b)), Computed(Half(h) - t1));
    loop.LineTo(Computed(Half(tw)), Computed(Half(h) - t2));
    loop.LineTo(Computed(Half(tw)), Computed(-Half(h) + t2));
    loop.LineTo(Computed(Half(b)), Computed(-Half(h) + t1));
    loop.LineTo(Computed(Half(b)), Computed(-Half(h)));
    loop.LineTo(Computed(-Half(b)), Computed(-Half(h)));
    loop.LineTo(Computed(-Half(b)), Computed(-Half(h) + t1));
    loop.LineTo(Computed(-Half(tw)), Computed(-Half(h) + t2));
    loop.LineTo(Computed(-Half(tw)), Computed(Half(h) - t2));
    loop.LineTo(Computed(-Half(b)), Computed(Half(h) - t1));
    loop.Close();
    // All eight inner corners: toes with r2, roots with r1.
    loop.Fillet(3, r2);
    loop.Fillet(4, r1);
    loop.Fillet(5, r1);
    loop.Fillet(6, r2);
    loop.Fillet(9, r2);
    loop.Fillet(10, r1);
    loop.Fillet(11, r1);
    loop.Fillet(12, r2);
  };
  BuildSectionBody(shape, name, {b, h, h, b}, L, drawOutline);
}

}  // namespace zembrati::geometry
