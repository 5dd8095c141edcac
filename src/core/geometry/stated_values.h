#pragma once

// What the named fields of a size line (catalogue/size_lines.h) change in a section: the values
// the generators draw with, from the elements those fields fill. 0 in an element always gives
// what the section type draws without the field.
namespace zembrati::geometry {

// The inner flange slope as a fraction: the stated one in %, or the type's own.
double FlangeSlope(double stated, double typeSlope);
// The wall the section is drawn with: the nominal wall times a stated design factor.
double DesignWall(double nominal, double statedFactor);

struct HollowCorners {
  double outer;
  double inner;
};
// The corner radii of a rectangular or square hollow section of wall t under the stated rule:
// the built-in 1.5 t / 0.5 t, EN 10219 (2 t, 2.5 t or 3 t by wall band; inner = outer - t),
// EN 10210 (1.5 t / 1 t), or radii as stated (mm, or a factor of t stored negative).
HollowCorners CornersOf(double t, double rule, double statedOuter, double statedInner);

}  // namespace zembrati::geometry
