#pragma once

#include <string_view>

namespace zembrati::runtime {

// Reads the number at the start of `text` the way every number in the system is read: from
// catalogue files, the preferences file and input boxes alike.
//
// Blanks, tabs and line feeds are skipped wherever they stand, also between digits ("1 000" is
// 1000). Then come an optional sign, digits with "." as the decimal separator whatever the
// user's locale ("8,5" is 8), and an optional exponent ("E" or "e", optional sign, digits).
// Reading stops at the first character that cannot continue the number ("12abc" is 12, "40|" is
// 40); text without such a prefix reads as 0. A number too large for a Double raises error 6.
double NumericPrefixValue(std::string_view text);

}  // namespace zembrati::runtime
