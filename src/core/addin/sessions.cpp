#include "addin/sessions.h"

#include "addin/class_table.h"
#include "automation/invoke.h"
#include "dialog/dialog.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts/part_data.h"
#include "parts/regeneration.h"

namespace zembrati::addin {
namespace {

ObjectRef PlacementCapturedFrom(const ObjectRef& shape) {
  const ObjectRef placement = host::CreateHostObject(host::kPlacementObject);
  host::Capture(placement, shape);
  return placement;
}

}  // namespace

runtime::Status Drop(const ObjectRef& droppedShape) {
  bool placeholderRemoved = false;
  const runtime::Status status = runtime::Trap([&] {
    host::SessionState& session = host::Session();
    session.EditMode = false;
    session.ScenePage = host::ActivePage(host::Application(droppedShape));
    session.DropPlacement = PlacementCapturedFrom(droppedShape);
    const ObjectRef service = host::CreateHostObject(host::kShapeService);
    session.ParentShape = host::GetParent(service, droppedShape);
    host::Remove(service, droppedShape);
    placeholderRemoved = true;
    dialog::ShowSelectionDialog();
  });
  // The dropped item is only a stand-in for the part: a drop that fails before taking it out
  // still leaves the scene without it, as a cancelled drop does.
  if (!status.ok() && !placeholderRemoved) parts::RemoveShapeAfterFailure(droppedShape);
  return status;
}

runtime::Status DblClick(const ObjectRef& part, std::int16_t typeCode) {
  host::SessionState& session = host::Session();
  const runtime::Status status = runtime::Trap([&] {
    session.EditMode = true;
    session.ScenePage = host::ActivePage(host::Application(part));
    session.DropPlacement = PlacementCapturedFrom(part);
    session.ParentShape = host::GetParent(host::CreateHostObject(host::kShapeService), part);
    session.TypeCode = typeCode;
    session.EditedPart = CreateComponentForType(typeCode);
    automation::CallMethod(session.EditedPart, "GetPartData", part);
    session.EditedPart = part;
    dialog::ShowSelectionDialog();
  });
  session.EditedPart = nullptr;
  return status;
}

runtime::Status PreUpdate(const ObjectRef& shape) {
  return runtime::Trap([&] { parts::RegeneratePart(shape); });
}

}  // namespace zembrati::addin
