#pragma once

#include "automation/variant.h"

// The three value-setting procedures the generators use on a body or its profile: each fetches
// component k's first item once and puts its variables one at a time, in a fixed order.
namespace zembrati::geometry {

using automation::ObjectRef;

// Kind-1 component: variables 1..3 := a, b, c (Doubles; 3 is the extrusion length of a body),
// then 4 := 1, 5 := 1, 6 := 0 (16-bit), then 14 := 2, 7 := 1 (32-bit).
void SetComp1Values(const ObjectRef& object, double a, double b, double c);
// Kind-4 component: variables 1..3 := a, b, c (Doubles).
void SetComp4Values(const ObjectRef& object, double a, double b, double c);
// Kind-5 component: variables 1..3 := a, b, c (Doubles).
void SetComp5Values(const ObjectRef& object, double a, double b, double c);

}  // namespace zembrati::geometry
