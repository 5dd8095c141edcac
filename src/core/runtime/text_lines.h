#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zembrati::runtime {

// The bytes of a text file, or of a piece of one, cut into lines once: a reader goes from line to
// line without looking for line ends again, and the readers of one user action that share a file
// (runtime::FileReadingScope) share its lines too. A line ends in CR LF, LF or CR; a line is
// given without its end, as the file holds it (no code-page conversion).
class TextLines {
 public:
  // `last`: nothing follows these bytes, so text after the last line end is a line of its own and
  // a closing CR is a line end. Otherwise that text (and a closing CR, which may be the first half
  // of a CR LF) is left for the next piece: see Rest().
  TextLines(std::string bytes, bool last);

  std::size_t Count() const { return lines_.size(); }
  std::string_view Line(std::size_t index) const {
    return std::string_view(bytes_).substr(lines_[index].begin, lines_[index].end - lines_[index].begin);
  }
  // True when no byte is beyond ASCII, so that no line needs a code-page conversion.
  bool Ascii() const { return ascii_; }
  // The bytes after the last whole line, which the next piece of the file starts with.
  std::string_view Rest() const;

 private:
  struct Span {
    std::size_t begin;
    std::size_t end;
  };

  std::string bytes_;
  std::vector<Span> lines_;
  std::size_t rest_ = 0;
  bool ascii_ = true;
};

// Whether bytes[from..] hold the end of a line that is known to be whole: an LF, or a CR that is
// not the last byte (whatever follows it tells whether it ends the line alone or with an LF).
bool HoldsWholeLineEnd(std::string_view bytes, std::size_t from);

}  // namespace zembrati::runtime
