#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/list_control.h"

// How the lines of a size table file are read: the size readers (QMisura, QSpessori) read one
// line at a time from the file, and SizeTable reads every line once for tools that go through a
// whole table. Both read each line by these rules.
namespace zembrati::catalogue {

// The size name: the trimmed text before the first bar; a line without one raises error 5.
std::string SizeName(const std::string& line);
// Whether a line of a size table lists a size (not a comment, a thickness group or blank).
bool IsSizeLine(const std::string& line);
// The part number text: strictly between the last two bars, or before a single bar.
void ReadPartNumber(const std::string& line, std::string& partNumber);
// After every bar one numeric field; the text after the last bar is read once more. More than 21
// fields raise error 9.
void ReadDimensions(const std::string& line, std::array<double, 21>& dims);
// The thickness group a size line refers to ("@n"), if it names one; error 6 when the number does
// not fit a 16-bit integer.
std::optional<double> ThicknessGroupOf(const std::string& sizeLine);
// Whether a line is the group line of group `group`.
bool IsGroupLine(const std::string& line, double group);
// Appends the trimmed text between each pair of bars after the group line's first bar.
void ReadThicknessGroup(const std::string& line, ui::ListControl& thicknesses);

// A size table file read in one pass. Asked for a size by its line index (the item data QData
// gives the size list), it answers as QMisura and QSpessori would for that size, raising the
// same runtime errors, without reading the file from the top again: going through a table of n
// sizes costs time in proportion to n, not n².
class SizeTable {
 public:
  // Reads the whole file (runtime errors of TextFileReader).
  explicit SizeTable(const std::string& path);

  std::int16_t LineCount() const;
  // The line at `lineIndex` (from 0), found as a reader counting 16-bit lines finds it: error 62
  // past the last line, 6 where the count overflows.
  const std::string& Line(std::int16_t lineIndex) const;
  void Size(std::int16_t lineIndex, std::array<double, 21>& dims, std::string& partNumber) const;
  void Thicknesses(std::int16_t lineIndex, ui::ListControl& thicknesses) const;

 private:
  std::vector<std::string> lines_;
  std::map<double, std::vector<std::size_t>> groupLines_;  // by group number, in file order
  std::vector<std::size_t> unreadableGroupLines_;          // "@" lines whose number overflows
};

}  // namespace zembrati::catalogue
