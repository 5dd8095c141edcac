#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "joint_record.h"

namespace zembrati::cli {

// One row of a joint list, with the line it came from: the end `end` of the member `mark` meets
// the member `to` as `kind` says, with a gap, an extension of the end first, and for a butt the
// choice of cutting on the face it meets.
struct JointRow {
  int line = 0;
  std::string mark;
  scene::MemberEnd end = scene::MemberEnd::End;
  scene::JointKind kind = scene::JointKind::Butt;
  std::string to;
  double gap = 0;
  double extend = 0;
  bool onFacePlane = false;
};

// Reads a joint list: comma-separated text whose first row names the columns mark, end, kind, to
// and gap (gap may be left out or empty, for 0), and optionally extend (mm, negative shortens) and
// plane (yes or no, empty for no). Marks are those of `marks`. Every row is checked before
// anything is made: the first fault is a UsageError naming the file, the line and the reason (an
// unknown mark, an end that is neither start nor end, an unknown kind, a negative gap, a member
// joined to itself, an end named by two rows). A mitre row joins both members.
// What a joint list's field or the joint command's option says, read alike in any case: a kind
// (mitre, "miter", butt or cope), an end (start or end), a gap (0 up) or an extension (either way),
// in mm, neither longer than a member can be. Each fault is a UsageError that starts with `what`
// ("kind", "--kind").
scene::JointKind ParseJointKind(const std::string& text, const std::string& what);
scene::MemberEnd ParseMemberEnd(const std::string& text, const std::string& what);
double ParseGap(const std::string& text, const std::string& what);
double ParseExtension(const std::string& text, const std::string& what);

std::vector<JointRow> ReadJointList(const std::string& text, const std::string& fileName,
                                    const std::set<std::string>& marks);

}  // namespace zembrati::cli
