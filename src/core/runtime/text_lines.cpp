#include "runtime/text_lines.h"

#include <cstdint>
#include <cstring>

namespace zembrati::runtime {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Whether the eight bytes at `bytes` hold a CR; their high bits are gathered into `high`.
inline bool WordHoldsCr(const char* bytes, std::uint64_t& high) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  constexpr std::uint64_t kCr = 0x0D0D0D0D0D0D0D0Dull;
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, 8);
  high |= word;
  // A byte of `x` is zero exactly where the word holds a CR; no carry crosses bytes.
  const std::uint64_t x = word ^ kCr;
  return ~(((x & kLow7) + kLow7) | x | kLow7) != 0;
}

// The offset of the first CR in `bytes`, or kNone; the bytes' high bits are gathered into `high`
// on the way (none set: no byte beyond ASCII, no line needs a code-page conversion). Eight bytes
// at a time, inline: a call per line to a library search costs more than looking at the ~30 bytes
// of a catalogue line, and the catalogue is read again at every selection.
inline std::size_t FindCr(std::string_view bytes, std::uint64_t& high) {
  std::size_t at = 0;
  if (bytes.size() >= 8) {
    for (; at + 8 <= bytes.size(); at += 8) {
      if (WordHoldsCr(bytes.data() + at, high)) break;
    }
    // The last bytes as one word that overlaps the one before.
    if (at + 8 > bytes.size() && !WordHoldsCr(bytes.data() + bytes.size() - 8, high)) return kNone;
    if (at + 8 > bytes.size()) at = bytes.size() - 8;
  }
  for (; at < bytes.size(); ++at) {
    high |= static_cast<unsigned char>(bytes[at]);
    if (bytes[at] == '\r') return at;
  }
  return kNone;
}

// Where the lines of a text end: cuts them one after another, remembering the next LF so that a
// text whose lines end in CR alone is still looked at once.
class LineCutter {
 public:
  LineCutter(std::string_view text, bool last) : text_(text), last_(last) { FindLf(0); }

  // The end of the line that starts at `at` and where the next one starts; false when the line is
  // unfinished (the piece ends before it does and more follows).
  bool Cut(std::size_t at, std::size_t& end, std::size_t& next) {
    if (lf_ < at) FindLf(at);
    if (lf_ < text_.size()) {
      end = lf_ > at && text_[lf_ - 1] == '\r' ? lf_ - 1 : lf_;
      next = lf_ + 1;
      // A CR before that ends the line there.
      const std::size_t cr = FindCr(text_.substr(at, end - at), high_);
      if (cr != kNone) {
        end = at + cr;
        next = end + 1;
      }
      return true;
    }
    // No LF below: ended by a CR (one that is the last byte may be half of a CR LF when more
    // follows), or by the end of the text when nothing does.
    end = text_.size();
    next = text_.size();
    const std::size_t cr = FindCr(text_.substr(at), high_);
    if (cr != kNone && (last_ || at + cr + 1 < text_.size())) {
      end = at + cr;
      next = end + 1;
      return true;
    }
    return last_;
  }

  bool Ascii() const { return (high_ & 0x8080808080808080ull) == 0; }

 private:
  void FindLf(std::size_t from) {
    const void* lf = std::memchr(text_.data() + from, '\n', text_.size() - from);
    lf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text_.data()) : text_.size();
  }

  std::string_view text_;
  bool last_;
  std::size_t lf_ = 0;  // the next LF at or after the line being cut, or the size of the text
  std::uint64_t high_ = 0;
};

}  // namespace

TextLines::TextLines(std::string bytes, bool last) : bytes_(std::move(bytes)) {
  LineCutter cutter(bytes_, last);
  // Catalogue lines run to some thirty bytes: room for the lines of most files at once.
  lines_.reserve(bytes_.size() / 24 + 1);
  std::size_t at = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  while (at < bytes_.size() && cutter.Cut(at, end, next)) {
    lines_.push_back({at, end});
    at = next;
  }
  rest_ = at;
  ascii_ = cutter.Ascii();
}

std::string_view TextLines::Rest() const { return std::string_view(bytes_).substr(rest_); }

bool HoldsWholeLineEnd(std::string_view bytes, std::size_t from) {
  if (from >= bytes.size()) return false;
  const std::string_view tail = bytes.substr(from);
  return std::memchr(tail.data(), '\n', tail.size()) || std::memchr(tail.data(), '\r', tail.size() - 1);
}

}  // namespace zembrati::runtime
