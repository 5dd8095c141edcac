#pragma once

#include <string>
#include <unordered_map>

#include "document.h"

namespace zembrati::scene {

// What makes two bodies the same solid wherever they stand: the section's outline and holes, the
// length, and the end cuts (planes and copes), all in the body's own coordinates. Bodies with
// equal keys are one shape placed twice, so an export may write it once and place it twice.
// Coordinates are compared to a millionth of a millimetre, directions to 1e-12: repeated bays
// solved apart differ in their last bits, not in any way a solid shows.
class SolidKeys {
 public:
  // The key of a rebuilt body (one with a section).
  std::string Of(const Node& body);

 private:
  // Bodies drawn alike share one section, so a scene of thousands keys a handful of sections.
  std::unordered_map<const Section*, std::string> sections_;
};

}  // namespace zembrati::scene
