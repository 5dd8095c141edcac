#pragma once

#include <vector>

#include "document.h"

namespace zembrati::scene {

// Takes a scene's parts out of its tree for the length of an operation that concerns only the
// parts it adds, and puts them back, before any added meanwhile, when it ends, however it ends.
// A frame drops thousands of members, and at every drop the system walks the scene tree to find
// the part it has just made: with the earlier members set aside, that walk meets one part, not
// thousands.
class PartsSetAside {
 public:
  explicit PartsSetAside(Document& document);
  ~PartsSetAside();
  PartsSetAside(const PartsSetAside&) = delete;
  PartsSetAside& operator=(const PartsSetAside&) = delete;

 private:
  NodePtr holder_;  // the root's component that holds the parts
  std::vector<NodePtr> parts_;
};

}  // namespace zembrati::scene
