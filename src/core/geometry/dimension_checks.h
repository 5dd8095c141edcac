#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zembrati::geometry {

// How many numeric fields a size line of the type must carry so that every element its
// generator reads is present (the placeholders for the length and the thickness included).
int RequiredFieldCount(std::int16_t typeCode);

// What is wrong with a size's dimensions for its section type, in the words a detailer would
// use ("the web is as wide as the flange"); empty when the dimensions make a sound section.
// `dims` is the section dimension array with the length in element 1 and, for the types with a
// thickness list, the thickness in element 2.
std::vector<std::string> CheckDimensions(std::int16_t typeCode, const std::array<double, 21>& dims);

}  // namespace zembrati::geometry
