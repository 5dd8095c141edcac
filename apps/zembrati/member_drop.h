#pragma once

#include <string>

#include "member_list.h"
#include "scene_session.h"

namespace zembrati::cli {

// The length a member between its two points is given in the dialog: the distance, to a tenth of
// a millimetre, in "." notation.
std::string MemberLengthText(const MemberEnds& ends);

// Drops one member as a catalogue item dropped where it stands: the dialog makes `choices` with
// the distance between the points as the length, the drop session builds the part, which then
// stands from start to end; a non-empty `mark` is added to its name as the user's own addition
// (" C1"), which edits and regeneration keep. Returns the new part, or null when the session did
// not complete (the session's status and messages say why).
scene::NodePtr DropMember(SceneSession& session, DialogChoices choices, const MemberEnds& ends, const std::string& mark);

}  // namespace zembrati::cli
