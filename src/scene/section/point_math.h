#pragma once

#include <cmath>

#include "section/loop_sketch.h"

// Plane vector arithmetic on the points of a profile.
namespace zembrati::scene {

inline Point2 operator-(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
inline Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
inline Point2 operator*(Point2 a, double s) { return {a.x * s, a.y * s}; }
inline double Dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }
inline double Cross(Point2 a, Point2 b) { return a.x * b.y - a.y * b.x; }
inline double Length(Point2 v) { return std::hypot(v.x, v.y); }
inline double Distance(Point2 a, Point2 b) { return Length(a - b); }

}  // namespace zembrati::scene
