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

// The exact cross-section of a body: its outline, its holes, and the properties computed in
// closed form from the lines and arcs (circular-segment terms included).
struct Section {
  Boundary outline;
  std::vector<Boundary> holes;
  double area = 0;      // mm²
  Point2 centroid;      // mm
  Box2 box;             // exact bounding box of the outline

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
