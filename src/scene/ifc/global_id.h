#pragma once

#include <string>
#include <string_view>

namespace zembrati::ifc {

// An IFC GlobalId (22 characters of IFC's base-64 alphabet, 128 bits) made from a key: the same
// key gives the same id in every export, so that a BIM tool can match the objects of two
// versions of a model.
std::string GlobalIdOf(std::string_view key);

}  // namespace zembrati::ifc
