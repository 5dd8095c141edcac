#pragma once

#include <string>
#include <string_view>

namespace zembrati::runtime {

// Text inside the program is UTF-8; the system's files are 8-bit text in the Windows-1252 code
// page. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which the code page leaves undefined, map to the
// control characters of the same value, as Windows maps them, so every byte survives a round trip.
std::string Windows1252ToUtf8(std::string_view bytes);

// Characters the code page cannot hold, and malformed UTF-8, become "?".
std::string Utf8ToWindows1252(std::string_view text);

// The length of the well-formed UTF-8 sequence at `at` (1 for ASCII), or 0 for a malformed one
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);
// Appends the UTF-8 form of a code point (up to U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

// Whether 8-bit text is well-formed UTF-8 with at least one character beyond ASCII: text written
// in UTF-8 where Windows-1252 is read ("ä" shows as "Ã¤").
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace zembrati::runtime
