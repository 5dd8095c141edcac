#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/list_control.h"

// How the lines of a size table file are read: the size readers (QMisura, QSpessori) read one
// line at a time from the file, and SizeTable reads every line once for tools that go through a
// whole table. Both read each line by these rules.
namespace zembrati::catalogue {

// The size name: the trimmed text before the first bar, seen inside `line`; a line without a bar
// raises error 5.
std::string_view SizeName(std::string_view line);
// Whether a line of a size table lists a size (not a comment, a thickness group or blank).
bool IsSizeLine(std::string_view line);
// The part number text: strictly between the last two bars, or before a single bar.
void ReadPartNumber(const std::string& line, std::string& partNumber);
// Values a size line can state with named fields (`key=value`, placed after the numeric fields and
// before the part number), and where they go in the section dimension array. Every reading of a
// size line writes these elements, with 0 where a field is absent: 0 always means "as the section
// type draws it", so size lines without the fields, and dimension arrays not read from a catalogue,
// draw as they always have.
namespace named_field {
inline constexpr std::size_t kWallFactor = 16;   // wall=0.93: design wall = factor x nominal wall
inline constexpr std::size_t kFlangeSlope = 17;  // slope=16.67: inner flange slope in %, see below
inline constexpr std::size_t kCornerRule = 18;   // corners=EN10219 | EN10210, or ro=/ri= given
inline constexpr std::size_t kOuterRadius = 19;  // ro=2t (a factor of the wall) or ro=8 (mm)
inline constexpr std::size_t kInnerRadius = 20;  // ri=1t or ri=4
// A slope of 0 (parallel flanges) is stored as this, because 0 means the type's own slope.
inline constexpr double kParallelFlanges = -1;
// The corner rules of hollow sections.
inline constexpr double kCornersEn10219 = 1;  // outer 2 t, 2.5 t or 3 t by wall band, inner = outer - t
inline constexpr double kCornersEn10210 = 2;  // outer 1.5 t, inner 1 t
inline constexpr double kCornersGiven = 3;    // ro and ri as stated; a factor of t is stored negative
}  // namespace named_field

// The named fields first: an unknown name, a value that is not a whole number or rule, a numeric
// field after a named one, one corner radius without the other, or radii beside a corner rule
// raise error 5 and leave `dims` as it was. Names and rules are read without regard to case or
// blanks. Then after every bar one numeric field; the text after the last bar is read once more.
// More than 21 fields raise error 9.
void ReadDimensions(const std::string& line, std::array<double, 21>& dims);
// How many fields of a size line are read as numbers for its section: those after the size name
// and before the part number that are not named fields.
int NumericFieldCount(const std::string& line);
// Whether a field of a size line is a named one (a name of letters, then "=", blanks around
// them allowed).
bool IsNamedField(std::string_view field);
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
