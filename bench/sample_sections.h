#pragma once

#include <array>
#include <cstdint>

namespace zembrati::bench {

// A plausible size of every section type as its dimension array (element 1 the length): an
// HEA 200-like beam, an IPN and a UPN 200, a 60.3 x 4 tube and so on.
inline std::array<double, 21> SampleDims(std::int16_t code) {
  switch (code) {
    case 1: return {190, 1500, 200, 6.5, 10, 18};
    case 2: return {200, 1500, 90, 7.5, 11.3, 7.5, 4.5};
    case 3: return {200, 1500, 75, 8.5, 11.5, 11.5, 6};
    case 4: return {80, 1500, 80, 8, 10, 5};
    case 5: return {50, 1500, 50, 6};
    case 6: return {50, 1500, 50, 6, 6, 3, 1.5};
    case 7: return {60.3, 1500, 4};
    case 8: return {100, 1500, 5, 50};
    case 9: return {40, 1500, 4};
    case 10: return {100, 1500, 10};
    default: return {40, 1500};
  }
}

}  // namespace zembrati::bench
