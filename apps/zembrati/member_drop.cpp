#include "member_drop.h"

#include <cmath>

#include "addin/sessions.h"
#include "cli_support.h"
#include "host/scene_members.h"
#include "member_axes.h"
#include "parts/part_data.h"
#include "runtime/number_text.h"
#include "runtime/status.h"
#include "scene_objects.h"

namespace zembrati::cli {

std::string MemberLengthText(const MemberEnds& ends) {
  const double tenths = std::round(scene::Distance(ends.start, ends.end) * 10);
  return runtime::GeneralForm(tenths / 10);
}

scene::NodePtr DropMember(SceneSession& session, DialogChoices choices, const MemberEnds& ends, const std::string& mark) {
  const std::optional<scene::RigidTransform> placement = scene::MemberPlacement(ends.start, ends.end, ends.rollDegrees);
  if (!placement) throw UsageError("the member has no length: its start and end are the same point");
  if (choices.length) throw UsageError("a member between two points takes its length from them: leave out --length");
  choices.length = MemberLengthText(ends);
  scene::SceneHost& host = session.host();
  const std::size_t partsBefore = host.document().Parts().size();
  // The catalogue item lands where the member stands; the drop session builds the part there.
  const automation::ObjectRef placeholder = parts::AddPartShape(host.ActivePage());
  scene::NodeOf(placeholder)->placement = *placement;
  if (!session.RunWithDialog(choices, [placeholder] { return addin::Drop(placeholder); })) return nullptr;
  // A drop adds its part after every part there is.
  const std::vector<scene::NodePtr> after = host.document().Parts();
  const scene::NodePtr made = after.size() > partsBefore ? after.back() : nullptr;
  if (made && !mark.empty()) {
    session.status = runtime::Trap([&] { host::SetName(host.Wrap(made), made->name + " " + mark); });
    if (!session.status.ok()) return nullptr;
  }
  return made;
}

}  // namespace zembrati::cli
