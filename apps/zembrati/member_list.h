#pragma once

#include <string>
#include <vector>

#include "dialog_choices.h"
#include "rigid_transform.h"

namespace zembrati::cli {

// Where a member stands: from `start` to `end` (mm), turned by `rollDegrees` about its axis.
struct MemberEnds {
  scene::Vector3 start, end;
  double rollDegrees = 0;
};

// One row of a member list, with the line it came from.
struct MemberRow {
  int line = 0;
  std::string mark;
  DialogChoices choices;
  MemberEnds ends;
};

// Reads a member list: comma-separated text whose first row names the columns (mark, family,
// type, standard, size, thickness, material, x1, y1, z1, x2, y2, z2, roll; type, standard, size
// and the six coordinates are required, the others may be left out or empty). Blank lines and
// lines starting with "#" are skipped; a field may be quoted ("...", with "" for a quote). Every
// row is checked before anything is made: the first fault is a UsageError naming the file, the
// line and the reason (a wrong column count, a number that is not one, a member of no length).
std::vector<MemberRow> ReadMemberList(const std::string& text, const std::string& fileName);

}  // namespace zembrati::cli
