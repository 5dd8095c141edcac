#pragma once

#include <ostream>

// Member and joint lists the benchmarks make frames from, as `zembrati frame` reads them.
namespace zembrati::bench {

// `count` / 4 window frames of 1000 x 600 (axes) of SHS 100x5 on a grid in the XZ plane, and a
// mitre at every corner (one joint row per corner).
void WriteWindowLists(int count, std::ostream& members, std::ostream& joints);

}  // namespace zembrati::bench
