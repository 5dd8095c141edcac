#include "runtime/code_page.h"

#include <array>
#include <cstdint>

namespace zembrati::runtime {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControlRange{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80u];
  return byte;
}

constexpr char kUnmappable = '?';
constexpr char32_t kReplacement = 0xFFFD;

char ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
    if (kHighControlRange[i] == c) return static_cast<char>(0x80 + i);
  }
  return kUnmappable;
}

// Decodes one UTF-8 sequence starting at `i`; advances `i` past it. Anything that is not
// well-formed UTF-8 (a stray or missing continuation byte, an overlong form such as C0 80 for
// NUL, a surrogate, a code point beyond U+10FFFF) is U+FFFD, so no byte value can be smuggled
// past a check in another spelling.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int continuation = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    continuation = 1;
    c = lead & 0x1Fu;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    continuation = 2;
    c = lead & 0x0Fu;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    continuation = 3;
    c = lead & 0x07u;
    smallest = 0x10000;
  } else {
    return kReplacement;
  }
  for (int k = 0; k < continuation; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return kReplacement;
    c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
  }
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  if (c < smallest || surrogate || c > 0x10FFFF) return kReplacement;
  return c;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  std::size_t next = at;
  const char32_t c = NextCodePoint(text, next);
  // U+FFFD itself, well formed, decodes as the replacement for a malformed sequence does.
  if (c == kReplacement && text.substr(at, 3) != "\xEF\xBF\xBD") return 0;
  return next - at;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char byte : bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(byte)));
  return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) out += ByteOf(NextCodePoint(text, i));
  return out;
}

}  // namespace zembrati::runtime

namespace zembrati::runtime {

bool LooksLikeUtf8(std::string_view bytes) {
  bool beyondAscii = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const bool ascii = static_cast<unsigned char>(bytes[i]) < 0x80;
    if (NextCodePoint(bytes, i) == kReplacement) return false;
    beyondAscii = beyondAscii || !ascii;
  }
  return beyondAscii;
}

}  // namespace zembrati::runtime
