#pragma once

#include "automation/variant.h"
#include "geometry/section_types.h"

namespace zembrati::addin {

// The system's classes as automation objects, as the host calls them by name. A failing
// operation raises a host error with the operation's status (number and description), which is
// how a failure code crosses the automation boundary.
automation::ObjectRef MakeZembratiObj();    // Drop(objTempShape, X, Y)
automation::ObjectRef MakeDropHookClass();  // OnDragDrop(pDragDropHook)
// lung, Normativa, Codice, MaterialCode, FileData (let, get); Create(Parent), GetPartData(objShape),
// DblClick(objPart, X, Y), PreUpdate(shape).
automation::ObjectRef MakePartClass(const geometry::SectionType& type);

}  // namespace zembrati::addin
