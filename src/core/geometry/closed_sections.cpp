// The closed and solid sections: tube, hollow sections, flat and square bars, round bar.
#include "geometry/body_builder.h"
#include "geometry/generators.h"
#include "geometry/outline_loop.h"
#include "runtime/float_check.h"

namespace zembrati::geometry {
namespace {

// The sharp-cornered rectangle about the origin that the bars and both loops of a hollow
// section share, drawn from its top-left corner.
void DrawRectangle(OutlineLoop& loop, double left, double right, double top, double bottom) {
  loop.Start(Computed(left), Computed(top));
  loop.LineTo(Computed(right), Computed(top));
  loop.LineTo(Computed(right), Computed(bottom));
  loop.LineTo(Computed(left), Computed(bottom));
  loop.Close();
}

void RoundAllFourCorners(OutlineLoop& loop, double radius) {
  for (std::int16_t corner = 1; corner <= 4; ++corner) loop.Fillet(corner, radius);
}

}  // namespace

void GenTubo(const ObjectRef& shape, const std::string& name, double D, double t, double L) {
  const double radius = Half(D);
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop hole = OutlineLoop::AddTo(profile);
    hole.Start(Zero(), Zero());
    hole.Circle(runtime::CheckFloat(radius - t));
    OutlineLoop outside = OutlineLoop::AddTo(profile);
    outside.Circle(radius);
  };
  BuildSectionBody(shape, name, {D, D, radius, radius}, L, drawOutline);
}

void GenCavo(const ObjectRef& shape, const std::string& name, double A, double B, double t,
             double L) {
  GenCavo(shape, name, A, B, t, L, runtime::CheckFloat(t * 1.5), runtime::CheckFloat((t * 1.5) - t));
}

void GenCavo(const ObjectRef& shape, const std::string& name, double A, double B, double t,
             double L, double outerRadius, double innerRadius) {
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop outside = OutlineLoop::AddTo(profile);
    DrawRectangle(outside, -Half(A), Half(A), Half(B), -Half(B));
    RoundAllFourCorners(outside, outerRadius);
    OutlineLoop inside = OutlineLoop::AddTo(profile);
    DrawRectangle(inside, -Half(A) + t, Half(A) - t, Half(B) - t, -Half(B) + t);
    RoundAllFourCorners(inside, innerRadius);
  };
  BuildSectionBody(shape, name, {A, B, A, B}, L, drawOutline);
}

void GenPiatto(const ObjectRef& shape, const std::string& name, double A, double B, double L) {
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    DrawRectangle(loop, -Half(A), Half(A), Half(B), -Half(B));
  };
  BuildSectionBody(shape, name, {A, B, A, B}, L, drawOutline);
}

void GenTondo(const ObjectRef& shape, const std::string& name, double D, double L) {
  const double radius = Half(D);
  const auto drawOutline = [&](const ObjectRef& profile) {
    OutlineLoop loop = OutlineLoop::AddTo(profile);
    loop.Start(Zero(), Zero());
    loop.Circle(radius);
  };
  BuildSectionBody(shape, name, {D, D, radius, radius}, L, drawOutline);
}

}  // namespace zembrati::geometry
