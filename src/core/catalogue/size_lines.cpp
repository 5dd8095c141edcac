#include "catalogue/size_lines.h"

#include <algorithm>

#include "catalogue/catalogue_text.h"
#include "runtime/integer_conversion.h"
#include "runtime/numeric_prefix.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file.h"

namespace zembrati::catalogue {
namespace {

bool StartsWith(const std::string& line, char c) { return !line.empty() && line.front() == c; }

[[noreturn]] void RaiseBadField() { runtime::Raise(runtime::error::kInvalidProcedureCall); }

// A number that is the whole of the text (blanks around it allowed), else error 5.
double WholeNumber(std::string_view text) {
  const std::string trimmed = TrimSpaces(text);
  if (trimmed.empty() || trimmed.find_first_not_of("0123456789.+-eE") != std::string::npos) RaiseBadField();
  return runtime::NumericPrefixValue(trimmed);
}

// "2t": a factor of the wall, stored negative; "8": millimetres.
double CornerRadius(std::string_view value) {
  const std::string trimmed = TrimSpaces(value);
  if (!trimmed.empty() && (trimmed.back() == 't' || trimmed.back() == 'T')) {
    const double factor = WholeNumber(std::string_view(trimmed).substr(0, trimmed.size() - 1));
    if (!(factor >= 0)) RaiseBadField();
    return -factor;
  }
  const double radius = WholeNumber(trimmed);
  if (!(radius >= 0)) RaiseBadField();
  return radius;
}

void ReadNamedField(std::string_view name, std::string_view value, std::array<double, 21>& dims) {
  namespace f = named_field;
  const std::string key = TrimSpaces(name);
  if (key == "slope") {
    const double slope = WholeNumber(value);
    if (!(slope >= 0 && slope < 100)) RaiseBadField();
    dims[f::kFlangeSlope] = slope == 0 ? f::kParallelFlanges : slope;
  } else if (key == "corners") {
    const std::string rule = TrimSpaces(value);
    if (rule == "EN10219") {
      dims[f::kCornerRule] = f::kCornersEn10219;
    } else if (rule == "EN10210") {
      dims[f::kCornerRule] = f::kCornersEn10210;
    } else {
      RaiseBadField();
    }
  } else if (key == "ro" || key == "ri") {
    dims[f::kCornerRule] = f::kCornersGiven;
    dims[key == "ro" ? f::kOuterRadius : f::kInnerRadius] = CornerRadius(value);
  } else if (key == "wall") {
    const double factor = WholeNumber(value);
    if (!(factor > 0 && factor <= 1)) RaiseBadField();
    dims[f::kWallFactor] = factor;
  } else {
    RaiseBadField();
  }
}

// The named fields of a size line; the elements they fill are cleared first, so that what an
// earlier size stated never carries over.
void ReadNamedFields(std::string_view line, std::array<double, 21>& dims) {
  for (std::size_t k = named_field::kWallFactor; k <= named_field::kInnerRadius; ++k) dims[k] = 0;
  std::size_t from = line.find('|');
  while (from != std::string_view::npos) {
    const std::size_t to = line.find('|', from + 1);
    const std::string_view field = line.substr(from + 1, to == std::string_view::npos ? std::string_view::npos : to - from - 1);
    if (IsNamedField(field)) {
      const std::size_t equals = field.find('=');
      ReadNamedField(field.substr(0, equals), field.substr(equals + 1), dims);
    }
    from = to;
  }
}

}  // namespace

std::string SizeName(const std::string& line) {
  const std::size_t bar = line.find('|');
  if (bar == std::string::npos) runtime::Raise(runtime::error::kInvalidProcedureCall);
  return TrimSpaces(std::string_view(line).substr(0, bar));
}

bool IsSizeLine(const std::string& line) {
  return !(StartsWith(line, '#') || StartsWith(line, '@') || TrimSpaces(line).empty());
}

void ReadPartNumber(const std::string& line, std::string& partNumber) {
  const std::size_t last = line.rfind('|');
  if (last == std::string::npos || last == 0) return;
  const std::size_t before = line.rfind('|', last - 1);
  const std::size_t from = before == std::string::npos ? 0 : before + 1;
  partNumber = TrimSpaces(std::string_view(line).substr(from, last - from));
}

void ReadDimensions(const std::string& line, std::array<double, 21>& dims) {
  std::string_view remainder = line;
  std::size_t k = 0;
  bool moreBars = true;
  while (moreBars) {
    const std::size_t bar = remainder.find('|');
    moreBars = bar != std::string_view::npos;
    if (moreBars) remainder.remove_prefix(bar + 1);
    if (k >= dims.size()) runtime::Raise(runtime::error::kSubscriptOutOfRange);
    dims[k++] = runtime::NumericPrefixValue(remainder);
  }
  ReadNamedFields(line, dims);
}

bool IsNamedField(std::string_view field) {
  const std::size_t equals = field.find('=');
  if (equals == std::string_view::npos) return false;
  const std::string name = TrimSpaces(field.substr(0, equals));
  if (name.empty()) return false;
  for (const char c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

std::optional<double> ThicknessGroupOf(const std::string& sizeLine) {
  const std::size_t at = sizeLine.find('@');
  if (at == std::string::npos) return std::nullopt;
  return runtime::RoundToInteger(runtime::NumericPrefixValue(sizeLine.substr(at + 1)));
}

bool IsGroupLine(const std::string& line, double group) {
  return StartsWith(line, '@') && runtime::NumericPrefixValue(line.substr(1)) == group;
}

void ReadThicknessGroup(const std::string& line, ui::ListControl& thicknesses) {
  std::size_t from = line.find('|');
  if (from == std::string::npos) return;
  for (std::size_t bar = line.find('|', from + 1); bar != std::string::npos; bar = line.find('|', from + 1)) {
    thicknesses.AddItem(TrimSpaces(std::string_view(line).substr(from + 1, bar - from - 1)));
    from = bar;
  }
}

SizeTable::SizeTable(const std::string& path) {
  runtime::TextFileReader file(path);
  while (!file.AtEnd()) {
    lines_.push_back(file.ReadLine());
    const std::string& line = lines_.back();
    if (!StartsWith(line, '@')) continue;
    try {
      groupLines_[runtime::NumericPrefixValue(line.substr(1))].push_back(lines_.size() - 1);
    } catch (const runtime::RuntimeError&) {
      unreadableGroupLines_.push_back(lines_.size() - 1);
    }
  }
}

std::int16_t SizeTable::LineCount() const {
  return lines_.size() > 32767 ? std::int16_t{32767} : static_cast<std::int16_t>(lines_.size());
}

const std::string& SizeTable::Line(std::int16_t lineIndex) const {
  if (lineIndex < 0) runtime::Raise(runtime::error::kInvalidProcedureCall);
  runtime::AddInteger(lineIndex, 1);
  if (static_cast<std::size_t>(lineIndex) >= lines_.size()) runtime::Raise(runtime::error::kInputPastEndOfFile);
  return lines_[static_cast<std::size_t>(lineIndex)];
}

void SizeTable::Size(std::int16_t lineIndex, std::array<double, 21>& dims, std::string& partNumber) const {
  const std::string& line = Line(lineIndex);
  ReadPartNumber(line, partNumber);
  ReadDimensions(line, dims);
}

// The first group line below the size line, as a forward read finds it: a line below it whose
// number cannot be read stops that read with its error first.
void SizeTable::Thicknesses(std::int16_t lineIndex, ui::ListControl& thicknesses) const {
  thicknesses.Clear();
  const std::optional<double> group = ThicknessGroupOf(Line(lineIndex));
  if (!group) return;
  const std::size_t after = static_cast<std::size_t>(lineIndex);
  std::size_t found = lines_.size();
  if (const auto candidates = groupLines_.find(*group); candidates != groupLines_.end()) {
    const auto next = std::upper_bound(candidates->second.begin(), candidates->second.end(), after);
    if (next != candidates->second.end()) found = *next;
  }
  const auto unreadable = std::upper_bound(unreadableGroupLines_.begin(), unreadableGroupLines_.end(), after);
  if (unreadable != unreadableGroupLines_.end() && *unreadable < found) runtime::Raise(runtime::error::kOverflow);
  if (found < lines_.size()) ReadThicknessGroup(lines_[found], thicknesses);
}

}  // namespace zembrati::catalogue
