#include "catalogue/size_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>
#include <vector>

#include "catalogue/catalogue_text.h"
#include "runtime/integer_conversion.h"
#include "runtime/numeric_prefix.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file.h"

namespace zembrati::catalogue {
namespace {

bool StartsWith(std::string_view line, char c) { return !line.empty() && line.front() == c; }

[[noreturn]] void RaiseBadField() { runtime::Raise(runtime::error::kInvalidProcedureCall); }

// The fields of a line between its bars, in order (the text before the first bar is the first).
std::vector<std::string_view> FieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t from = 0;
  for (std::size_t bar = line.find('|'); bar != std::string_view::npos; bar = line.find('|', from)) {
    fields.push_back(line.substr(from, bar - from));
    from = bar + 1;
  }
  fields.push_back(line.substr(from));
  return fields;
}

// The fields that may be named ones: after the size name and before the part number (the field
// closed by the last bar). A part number such as "Pos=12" is therefore never read as one.
std::vector<std::string_view> FieldsBeforePartNumber(std::string_view line) {
  std::vector<std::string_view> fields = FieldsOf(line);
  if (fields.size() < 3) return {};
  return {fields.begin() + 1, fields.end() - 2};
}

// Letters lowered and blanks dropped, so that "Corners = en 10219" reads as "corners=en10219".
std::string Folded(std::string_view text) {
  std::string folded;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return folded;
}

// A number that is the whole of the text (blanks around it allowed), else error 5: a named field
// states one value, and "16,67" or "2.5.1" must not pass as a part of it.
double WholeNumber(std::string_view text) {
  std::string trimmed = TrimSpaces(text);
  if (!trimmed.empty() && trimmed.front() == '+') trimmed.erase(0, 1);
  double value = 0;
  const char* end = trimmed.data() + trimmed.size();
  const auto [stop, status] = std::from_chars(trimmed.data(), end, value);
  if (trimmed.empty() || status != std::errc{} || stop != end || !std::isfinite(value)) RaiseBadField();
  return value;
}

// "2t": a factor of the wall, stored negative; "8": millimetres.
double CornerRadius(std::string_view value) {
  const std::string folded = Folded(value);
  const bool factorOfWall = !folded.empty() && folded.back() == 't';
  const double radius = WholeNumber(factorOfWall ? std::string_view(folded).substr(0, folded.size() - 1) : folded);
  if (!(radius >= 0)) RaiseBadField();
  return factorOfWall ? -radius : radius;
}

// What the named fields of one size line state, gathered before any of it is stored.
struct NamedValues {
  std::array<double, named_field::kInnerRadius - named_field::kWallFactor + 1> values{};
  bool cornerRuleNamed = false;
  bool outerGiven = false;
  bool innerGiven = false;
  double& operator[](std::size_t element) { return values[element - named_field::kWallFactor]; }
};

void ReadNamedField(const std::string& key, std::string_view value, NamedValues& named) {
  namespace f = named_field;
  if (key == "slope") {
    const double slope = WholeNumber(value);
    if (!(slope >= 0 && slope < 100)) RaiseBadField();
    named[f::kFlangeSlope] = slope == 0 ? f::kParallelFlanges : slope;
  } else if (key == "corners") {
    const std::string rule = Folded(value);
    if (rule != "en10219" && rule != "en10210") RaiseBadField();
    named[f::kCornerRule] = rule == "en10219" ? f::kCornersEn10219 : f::kCornersEn10210;
    named.cornerRuleNamed = true;
  } else if (key == "ro" || key == "ri") {
    named[key == "ro" ? f::kOuterRadius : f::kInnerRadius] = CornerRadius(value);
    (key == "ro" ? named.outerGiven : named.innerGiven) = true;
  } else if (key == "wall") {
    const double factor = WholeNumber(value);
    if (!(factor > 0 && factor <= 1)) RaiseBadField();
    named[f::kWallFactor] = factor;
  } else {
    RaiseBadField();
  }
}

// The named fields of a size line. They follow the numeric fields: a numeric field after a named
// one would move the numeric fields out of the places their section type reads them from. Corners
// are stated either by a rule or by both radii, never half of each.
NamedValues ReadNamedFields(std::string_view line) {
  NamedValues named;
  bool namedSeen = false;
  for (const std::string_view field : FieldsBeforePartNumber(line)) {
    if (!IsNamedField(field)) {
      if (namedSeen) RaiseBadField();
      continue;
    }
    namedSeen = true;
    const std::size_t equals = field.find('=');
    ReadNamedField(Folded(field.substr(0, equals)), field.substr(equals + 1), named);
  }
  if (named.outerGiven != named.innerGiven) RaiseBadField();
  if (named.outerGiven && named.cornerRuleNamed) RaiseBadField();
  if (named.outerGiven) named[named_field::kCornerRule] = named_field::kCornersGiven;
  return named;
}

}  // namespace

std::string_view SizeName(std::string_view line) {
  const std::size_t bar = line.find('|');
  if (bar == std::string_view::npos) runtime::Raise(runtime::error::kInvalidProcedureCall);
  return TrimmedView(line.substr(0, bar));
}

bool IsSizeLine(std::string_view line) {
  // Blank is nothing but spaces: told without a trimmed copy of every line of a long table.
  return !(StartsWith(line, '#') || StartsWith(line, '@') || line.find_first_not_of(' ') == std::string_view::npos);
}

void ReadPartNumber(const std::string& line, std::string& partNumber) {
  const std::size_t last = line.rfind('|');
  if (last == std::string::npos || last == 0) return;
  const std::size_t before = line.rfind('|', last - 1);
  const std::size_t from = before == std::string::npos ? 0 : before + 1;
  partNumber = TrimSpaces(std::string_view(line).substr(from, last - from));
}

void ReadDimensions(const std::string& line, std::array<double, 21>& dims) {
  // Named fields first: a size line they refuse leaves the dimensions as they were.
  const NamedValues named = ReadNamedFields(line);
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
  std::copy(named.values.begin(), named.values.end(), dims.begin() + named_field::kWallFactor);
}

int NumericFieldCount(const std::string& line) {
  const std::vector<std::string_view> fields = FieldsBeforePartNumber(line);
  return static_cast<int>(std::count_if(fields.begin(), fields.end(), [](std::string_view field) { return !IsNamedField(field); }));
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
    thicknesses.AddItem(TrimmedView(std::string_view(line).substr(from + 1, bar - from - 1)));
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
