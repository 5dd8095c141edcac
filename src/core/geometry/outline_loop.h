#pragma once

#include <cstdint>

#include "automation/variant.h"

namespace zembrati::geometry {

using automation::ObjectRef;
using automation::Variant;

// A coordinate or radius the generator computed, after the runtime's floating-point check
// (a non-finite value raises error 6 here, before it reaches the host).
Variant Computed(double value);
// Half of a dimension, with the runtime's division check.
double Half(double value);
// The constant 0 as the host receives it: a 16-bit integer.
Variant Zero();

// One loop of a body's profile, drawn by the sketch conventions: a start point, one line per
// further corner, a closing line back to the start, and the rounded corners requested after the
// whole loop is drawn. Corners are numbered from 1 at the start point; a fillet is addressed by
// its corner number plus the fillets already added to this loop, which this class keeps count of.
class OutlineLoop {
 public:
  // Adds a new loop to `profile` (a new component of kind 3).
  static OutlineLoop AddTo(const ObjectRef& profile);

  void Start(const Variant& x, const Variant& y);
  void LineTo(const Variant& x, const Variant& y);
  // The line back to the start point that closes the loop.
  void Close();
  void Fillet(std::int16_t corner, double radius);
  // A circle about the origin.
  void Circle(double radius);

 private:
  explicit OutlineLoop(ObjectRef loop) : loop_(std::move(loop)) {}

  ObjectRef loop_;
  Variant startX_;
  Variant startY_;
  std::int16_t filletsAdded_ = 0;
};

}  // namespace zembrati::geometry
