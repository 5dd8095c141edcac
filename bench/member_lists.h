#pragma once

#include <ostream>

// Member and joint lists the benchmarks make frames from, as `zembrati frame` reads them.
namespace zembrati::bench {

// `count` / 4 window frames of 1000 x 600 (axes) of SHS 100x5 on a grid in the XZ plane, and a
// mitre at every corner (one joint row per corner).
void WriteWindowLists(int count, std::ostream& members, std::ostream& joints);

// `bays` copies of the README's portal frame (docs/portal-frame.csv, 15 members, and its joints),
// one every 20 m along Y, their marks ending in the bay's number: a building's repeats.
void WritePortalLists(int bays, std::ostream& members, std::ostream& joints);

// `count` HEA 200 columns on a 1 m grid, 3000 long each or (`distinct`) each 1 mm longer than
// the one before: every solid of its own.
void WriteColumnList(int count, bool distinct, std::ostream& members);

}  // namespace zembrati::bench
