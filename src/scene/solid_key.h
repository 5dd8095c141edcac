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

// Numbers bodies by the solid they are, from 0 in the order each solid first comes: what an
// export writes once and places many times. `apart` keeps bodies alike in shape apart where the
// file must tell them apart (a part number, a material).
class SolidNumbers {
 public:
  struct Number {
    std::size_t number;
    bool first;  // the first body of its solid
  };
  Number Of(const Node& body, const std::string& apart = {});

 private:
  SolidKeys keys_;
  std::unordered_map<std::string, std::size_t> numbers_;
};

}  // namespace zembrati::scene
