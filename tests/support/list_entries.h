#pragma once

#include <string>
#include <vector>

#include "ui/list_control.h"

namespace zembrati::testing {

// The texts of a list's entries, in order.
inline std::vector<std::string> Entries(const ui::ListControl& list) {
  std::vector<std::string> entries;
  for (std::int16_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
  return entries;
}

}  // namespace zembrati::testing
