#pragma once

#include <cstdint>
#include <string>

namespace zembrati::catalogue {

// The user-visible words in three languages: entries LangBase + 0..9 with LangBase 1000
// (Italian), 2000 (English) or 3000 (German). Offset k has the same role in every language.
namespace text {
inline constexpr std::int16_t kTitle = 0;           // dialog caption, title of the units message
inline constexpr std::int16_t kStandard = 1;        // label and part property
inline constexpr std::int16_t kSize = 2;            // label and part property
inline constexpr std::int16_t kThickness = 3;       // label
inline constexpr std::int16_t kMaterial = 4;        // label and part property
inline constexpr std::int16_t kLength = 5;          // label and part property
inline constexpr std::int16_t kOk = 6;
inline constexpr std::int16_t kCancel = 7;
inline constexpr std::int16_t kDimensions = 8;
inline constexpr std::int16_t kUnitsMessage = 9;    // scene not in millimetres
}  // namespace text

// The text of a string-table entry, UTF-8; an identifier the table does not hold gives an empty
// text.
std::string LoadString(std::int32_t id);

}  // namespace zembrati::catalogue
