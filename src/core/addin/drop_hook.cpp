#include <array>

#include "addin/sessions.h"
#include "catalogue/configuration.h"
#include "catalogue/string_table.h"
#include "dialog/dialog.h"
#include "host/drop_hook_members.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "ui/message_box.h"

namespace zembrati::addin {
namespace {

ObjectRef PlacementWith(const std::array<double, 7>& values) {
  const ObjectRef placement = host::CreateHostObject(host::kPlacementObject);
  for (int n = 1; n <= 7; ++n) host::SetP(placement, n, values[static_cast<std::size_t>(n - 1)]);
  return placement;
}

ObjectRef Vector(double x, double y, double z) {
  const ObjectRef vector = host::CreateHostObject(host::kHostVector);
  host::SetXYZ(vector, x, y, z);
  return vector;
}

void PlaceAtHitPoint(const ObjectRef& hook) {
  host::Session().DropPlacement =
      PlacementWith({host::HitPointX(hook, 1), host::HitPointY(hook, 1), host::HitPointZ(hook, 1), 0, 0, 0, 0});
}

// Stands the part's local z axis on the hit face: from the origin and z axis to the pick point
// and the face normal, carried into the parent's frame by where the hit part stands.
void PlaceOnFace(const ObjectRef& hook) {
  const ObjectRef element = host::HitElement(hook);
  const ObjectRef pick = Vector(host::PickPointX(element), host::PickPointY(element), host::PickPointZ(element));
  const std::int32_t last = host::Count(host::ShapePath(hook));
  const ObjectRef normal = Vector(host::HitNormalX(hook, last), host::HitNormalY(hook, last), host::HitNormalZ(hook, last));
  host::Normalize(normal);
  const ObjectRef zAxis = Vector(0, 0, 1);
  const ObjectRef origin = Vector(0, 0, 0);
  const ObjectRef t = host::CreateHostObject(host::kHostTransform);
  host::CreateFromFrames(t, origin, zAxis, pick, normal);
  const ObjectRef shapeAndTransform = host::CreateHostObject(host::kShapeAndTransform);
  host::SetShape(shapeAndTransform, host::Part(element, false));
  const ObjectRef s = host::SizeboxToParentTransform(shapeAndTransform);
  host::Compose(t, s);
  std::array<double, 7> p{};
  host::GetTranslation(t, p[0], p[1], p[2]);
  host::GetOrientation(t, p[3], p[4], p[5], p[6]);
  if (host::IsEqual(s, t)) {
    host::TransformPoint(s, pick);
    host::GetXYZ(pick, p[0], p[1], p[2]);
  }
  host::Session().DropPlacement = PlacementWith(p);
}

}  // namespace

runtime::Status OnDragDrop(const ObjectRef& hook) {
  return runtime::Trap([&] {
    host::SessionState& session = host::Session();
    catalogue::GetLanguageBase(session.LangBase);
    session.ScenePage = host::Page(hook);
    session.EditMode = false;
    const ObjectRef path = host::ShapePath(hook);
    const std::int32_t count = host::Count(path);
    session.ParentShape = count > 1 ? host::Item(path, count - 1) : host::Shape(host::Page(hook));
    if (host::UnitsEx(session.ScenePage, 2) != 0) {
      ui::ShowMessage(catalogue::LoadString(session.LangBase + catalogue::text::kUnitsMessage),
                      catalogue::LoadString(session.LangBase + catalogue::text::kTitle), ui::MessageIcon::None,
                      ui::MessageButtons::Ok);
      return;
    }
    const std::int32_t elementType = host::HitElementType(hook);
    if (elementType == 2 || elementType == 3) {
      PlaceOnFace(hook);
    } else {
      PlaceAtHitPoint(hook);
    }
    dialog::ShowSelectionDialog();
  });
}

}  // namespace zembrati::addin
