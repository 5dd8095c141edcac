#pragma once

#include <cstdint>
#include <string>

#include "automation/host_error.h"

namespace zembrati::scene {

// The errors of the built-in host, numbered as automation objects number their own errors
// (above the object-error base), each with a description that says what is wrong and where.
namespace scene_error {
inline constexpr std::int32_t kObjectErrorBase = -2147221504;  // 0x80040000
inline constexpr std::int32_t kBadSketch = kObjectErrorBase + 1001;
inline constexpr std::int32_t kBadFillet = kObjectErrorBase + 1002;
inline constexpr std::int32_t kFilletTooLarge = kObjectErrorBase + 1003;
inline constexpr std::int32_t kBadLoopLayout = kObjectErrorBase + 1004;
inline constexpr std::int32_t kBadLength = kObjectErrorBase + 1005;
inline constexpr std::int32_t kNonFinite = kObjectErrorBase + 1006;
inline constexpr std::int32_t kBadArgument = kObjectErrorBase + 1007;
inline constexpr std::int32_t kBadDocument = kObjectErrorBase + 1008;
inline constexpr std::int32_t kNoSuchObject = kObjectErrorBase + 1009;
}  // namespace scene_error

[[noreturn]] inline void RaiseSceneError(std::int32_t number, const std::string& description) {
  throw automation::HostError(number, description);
}

}  // namespace zembrati::scene
