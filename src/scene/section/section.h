#pragma once

#include <vector>

#include "section/loop_sketch.h"

namespace zembrati::scene {

// A straight edge or a circular arc of a boundary. An arc turns from `from` to `to` about
// `centre` through `sweep` radians (positive counter-clockwise); a full circle has sweep 2π and
// from == to.
struct BoundaryElement {
  enum class Kind { Line, Arc };
  Kind kind = Kind::Line;
  Point2 from;
  Point2 to;
  Point2 centre;
  double radius = 0;
  double sweep = 0;
};

// A closed boundary: its elements in drawing order, each ending where the next begins.
struct Boundary {
  std::vector<BoundaryElement> elements;
};

struct Box2 {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  double Width() const { return maxX - minX; }
  double Height() const { return maxY - minY; }
};

// The properties of a section about its centroid, as section tables give them. The section's y
// axis is the drawing's x axis (across the flanges) and its z axis the drawing's y axis (along
// the web), so that Iy is the major second moment of a beam standing on its web.
struct SectionProperties {
  double iy = 0;   // Iy = ∬ z² dA about the centroid, mm⁴
  double iz = 0;   // Iz = ∬ y² dA, mm⁴
  double iyz = 0;  // Iyz = ∬ yz dA, mm⁴ (0 for a section with an axis of symmetry along y or z)
  double iu = 0;   // the major principal second moment, mm⁴
  double iv = 0;   // the minor one
  double alpha = 0;  // the angle of the major principal axis u from the y axis, radians, in (-π/2, π/2]
  double wely = 0;   // elastic section modulus Iy / (farthest fibre from the y axis), mm³
  double welz = 0;   // Iz / (farthest fibre from the z axis), mm³
  double radiusY = 0;  // radius of gyration sqrt(Iy / A), mm
  double radiusZ = 0;
  double radiusU = 0;
  double radiusV = 0;
};
// The exact cross-section of a body: its outline, its holes, and the properties computed in
// closed form from the lines and arcs (circular-segment terms included).
struct Section {
  Boundary outline;
  std::vector<Boundary> holes;
  double area = 0;      // mm²
  Point2 centroid;      // mm
  Box2 box;             // exact bounding box of the outline
  SectionProperties properties;  // about the centroid

  // The loops in drawing order, outline first.
  std::vector<const Boundary*> Loops() const;
};

// Builds the section from the loops as drawn. Raises a host error with a clear description
// for a loop that does not close, too few corners, a fillet index that names no corner, a
// radius too large for its edges, a non-positive circle, a non-finite coordinate, loops that
// cross or touch, or a hole outside the outline.
Section BuildSection(const std::vector<LoopSketch>& loops);

// A polyline following a boundary, arcs divided into chords of at most `maxStep` radians.
std::vector<Point2> Polyline(const Boundary& boundary, double maxStep);

}  // namespace zembrati::scene
