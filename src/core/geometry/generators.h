#pragma once

#include <string>

#include "automation/variant.h"

// The section generators: each adds one extruded body to `shape`, named `name`, with the exact
// outline of its section drawn from the given dimensions (millimetres, used as they stand: no
// generator scales, rounds or validates a value) and extruded to the length L, always the last
// parameter. Outlines are drawn clockwise from their top-left corner.
namespace zembrati::geometry {

using automation::ObjectRef;

// The inner flange slopes of the sloped I beam and channel, as fractions.
inline constexpr double kIpnSlope = 0.14;
inline constexpr double kUpnSlope = 0.08;

// HE wide-flange beam, origin at the centre; four root fillets r.
void GenHE(const ObjectRef& shape, const std::string& name, double h, double b, double tw,
           double tf, double r, double L);
// IPN beam, inner flange faces sloped (14 % unless the catalogue states another slope; tf a
// quarter of the flange width in from the toe); root fillets r1, toe fillets r2.
void GenIPN(const ObjectRef& shape, const std::string& name, double h, double b, double tw,
            double tf, double r1, double r2, double L, double slope = kIpnSlope);

// UPN channel, inner flange faces sloped (8 % unless stated; tf at half the flange width), back
// of the web on x = 0. A slope of 0 draws a channel with parallel flanges (UPE, PFC).
void GenUPN(const ObjectRef& shape, const std::string& name, double h, double b, double tw,
            double tf, double r1, double r2, double L, double slope = kUpnSlope);
// L angle, heel at the origin, leg a along x and leg b along y.
void GenL(const ObjectRef& shape, const std::string& name, double a, double b, double t,
          double r1, double r2, double L);
// T section with sharp corners, web centred on x = 0, underside of the flange on y = 0.
void GenT(const ObjectRef& shape, const std::string& name, double b, double h, double t,
          double L);
// Rounded T section, web and flange tapered at 2 %; root r1, flange toes r2, web toes r3.
void GenTArr(const ObjectRef& shape, const std::string& name, double b, double h, double t,
             double r1, double r2, double r3, double L);

// Round tube: the inner circle (the hole) first, then the outer one.
void GenTubo(const ObjectRef& shape, const std::string& name, double D, double t, double L);
// Rectangular or square hollow section: corner radii 1.5 t outside and 0.5 t inside, unless
// others are given.
void GenCavo(const ObjectRef& shape, const std::string& name, double A, double B, double t,
             double L);
void GenCavo(const ObjectRef& shape, const std::string& name, double A, double B, double t,
             double L, double outerRadius, double innerRadius);
// Flat or square bar, sharp corners.
void GenPiatto(const ObjectRef& shape, const std::string& name, double A, double B, double L);
// Round bar.
void GenTondo(const ObjectRef& shape, const std::string& name, double D, double L);

// The derived thicknesses of the sloped and tapered sections, computed exactly in this form so
// that the dimension display shows what the outline draws.
struct SlopedFlange {
  double t1;  // flange thickness at the toe
  double t2;  // flange thickness at the web face
};
SlopedFlange IpnFlange(double b, double tw, double tf, double slope = kIpnSlope);
SlopedFlange UpnFlange(double b, double tw, double tf, double slope = kUpnSlope);

struct TaperedTee {
  double w1;  // web thickness at the top of the web
  double w2;  // web thickness where it meets the flange
  double f1;  // flange thickness at the toe
};
TaperedTee TArrTaper(double b, double h, double t);

}  // namespace zembrati::geometry
