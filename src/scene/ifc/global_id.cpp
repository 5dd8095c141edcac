#include "ifc/global_id.h"

#include <array>
#include <cstdint>

namespace zembrati::ifc {
namespace {

// 64-bit FNV-1a from a given starting value; two of them with different starts make the 128
// bits. Not cryptographic: the ids need only be the same each time and apart for different keys.
std::uint64_t Fnv1a(std::string_view text, std::uint64_t hash) {
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  // A final mix, so that keys that differ in their last characters differ in every bit.
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  hash ^= hash >> 33;
  return hash;
}

constexpr std::string_view kAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";

}  // namespace

std::string GlobalIdOf(std::string_view key) {
  const std::uint64_t high = Fnv1a(key, 0xCBF29CE484222325ull);
  const std::uint64_t low = Fnv1a(key, 0x84222325CBF29CE4ull);
  // The first character holds the top 2 bits, each of the other 21 six bits.
  std::string id(22, '0');
  id[0] = kAlphabet[high >> 62];
  for (int i = 1; i < 22; ++i) {
    const int bit = 128 - 2 - 6 * i;  // the lowest bit of this character's six
    std::uint64_t six = 0;
    for (int b = 0; b < 6; ++b) {
      const int at = bit + b;
      const std::uint64_t value = at >= 64 ? (high >> (at - 64)) & 1 : (low >> at) & 1;
      six |= value << b;
    }
    id[static_cast<std::size_t>(i)] = kAlphabet[six];
  }
  return id;
}

}  // namespace zembrati::ifc
