#pragma once

#include <cstdint>

#include "automation/variant.h"

// The host's sketch members through which a section outline is drawn into a body's profile.
// Coordinates are Variants because the host receives a constant 0 as an integer and every
// computed coordinate as a Double; radii are Doubles and corner indices 16-bit.
namespace zembrati::host {

using automation::ObjectRef;
using automation::Variant;

ObjectRef Profile(const ObjectRef& component);
void SetStartPoint(const ObjectRef& loop, const Variant& x, const Variant& y);
void AddLineTo(const ObjectRef& loop, const Variant& x, const Variant& y);
// Rounds corner `index` of the loop as it stands (every fillet already added counts as one more
// element before the later corners).
void AddFilletAt(const ObjectRef& loop, std::int16_t index, double radius);
void AddEllipse(const ObjectRef& loop, const Variant& centreX, const Variant& centreY,
                double radius);
void ResetSizeBox(const ObjectRef& body);

}  // namespace zembrati::host
