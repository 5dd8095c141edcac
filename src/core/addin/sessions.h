#pragma once

#include <cstdint>

#include "automation/variant.h"
#include "runtime/status.h"

// The three doors through which the host calls the system. Each returns success or the first
// error's number and description; none lets an exception reach the host.
namespace zembrati::addin {

using automation::ObjectRef;

// A catalogue item was dropped: the dropped placeholder gives the page, parent and placement of
// the new part and is removed; then the dialog is shown for a new part.
runtime::Status Drop(const ObjectRef& droppedShape);

// A part of the class with `typeCode` was double-clicked: its stored choices are read back and
// the dialog is shown to edit it.
runtime::Status DblClick(const ObjectRef& part, std::int16_t typeCode);

// The host is about to regenerate a part: its length, name and data follow its extrusion.
runtime::Status PreUpdate(const ObjectRef& shape);

// A catalogue item was dropped through the host's drag-and-drop hook: a scene not in
// millimetres gets a message and nothing else; otherwise the part is placed on the face that was
// hit, or at the hit point, and the dialog is shown for a new part.
runtime::Status OnDragDrop(const ObjectRef& dragDropHook);

}  // namespace zembrati::addin
