#include "member_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

#include "cli_support.h"
#include "member_axes.h"

namespace zembrati::cli {
namespace {

constexpr std::array<const char*, 14> kColumns{"mark", "family", "type", "standard", "size", "thickness", "material",
                                               "x1",   "y1",     "z1",   "x2",       "y2",   "z2",        "roll"};
constexpr std::array<const char*, 9> kRequired{"type", "standard", "size", "x1", "y1", "z1", "x2", "y2", "z2"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The fields of one line; a quote that is never closed is a fault.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false, wasQuoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && TrimmedBlanks(field).empty()) {
      quoted = wasQuoted = true;
      field.clear();
    } else if (c == ',') {
      fields.push_back(wasQuoted ? field : TrimmedBlanks(field));
      field.clear();
      wasQuoted = false;
    } else {
      field += c;
    }
  }
  if (quoted) throw UsageError("a quoted field is not closed");
  fields.push_back(wasQuoted ? field : TrimmedBlanks(field));
  return fields;
}

std::map<std::string, std::size_t> HeaderColumns(const std::vector<std::string>& names) {
  std::map<std::string, std::size_t> columns;
  for (std::size_t i = 0; i < names.size(); ++i) {
    RequirePlainText(names[i], "the header");  // nothing unprintable goes into the message below
    const std::string name = Lower(names[i]);
    if (std::find(kColumns.begin(), kColumns.end(), name) == kColumns.end()) {
      std::string known;
      for (const char* column : kColumns) known += std::string(known.empty() ? "" : ", ") + column;
      throw UsageError("the header names an unknown column \"" + names[i] + "\"; the columns are " + known);
    }
    if (!columns.emplace(name, i).second) throw UsageError("the header names the column \"" + name + "\" twice");
  }
  for (const char* required : kRequired) {
    if (!columns.count(required)) throw UsageError("the header has no column \"" + std::string(required) + "\"");
  }
  return columns;
}

MemberRow RowOf(const std::vector<std::string>& fields, const std::map<std::string, std::size_t>& columns, int line) {
  const auto field = [&](const char* name) -> std::string {
    const auto found = columns.find(name);
    return found == columns.end() ? std::string() : fields[found->second];
  };
  MemberRow row;
  row.line = line;
  row.mark = field("mark");
  RequirePlainText(row.mark, "mark");
  row.choices.family = field("family");
  row.choices.type = field("type");
  row.choices.standard = field("standard");
  row.choices.size = field("size");
  row.choices.thickness = field("thickness");
  row.choices.material = field("material");
  CheckChoices(row.choices);
  const auto number = [&](const char* name) {
    const double value = ParseNumber(field(name), name);
    if (std::abs(value) > kMaxCoordinateMm) throw UsageError(std::string(name) + " lies more than 1000 km from the origin");
    return value;
  };
  row.ends.start = {number("x1"), number("y1"), number("z1")};
  row.ends.end = {number("x2"), number("y2"), number("z2")};
  row.ends.rollDegrees = field("roll").empty() ? 0 : ParseNumber(field("roll"), "roll");
  const double length = scene::Distance(row.ends.start, row.ends.end);
  if (!(length > 0)) throw UsageError("the member has no length: its start and end are the same point");
  if (length > kMaxLengthMm) throw UsageError("the member is longer than 1000000 mm");
  return row;
}

}  // namespace

std::vector<MemberRow> ReadMemberList(const std::string& text, const std::string& fileName) {
  std::vector<MemberRow> rows;
  std::optional<std::map<std::string, std::size_t>> columns;
  std::size_t headerFields = 0;
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a spreadsheet's byte-order mark
    if (TrimmedBlanks(line).empty() || TrimmedBlanks(line)[0] == '#') continue;
    try {
      const std::vector<std::string> fields = Fields(line);
      if (!columns) {
        columns = HeaderColumns(fields);
        headerFields = fields.size();
        continue;
      }
      if (fields.size() != headerFields) {
        throw UsageError("the row has " + std::to_string(fields.size()) + " columns, the header " +
                         std::to_string(headerFields));
      }
      rows.push_back(RowOf(fields, *columns, lineNumber));
    } catch (const UsageError& error) {
      throw UsageError(fileName + " line " + std::to_string(lineNumber) + ": " + error.what());
    }
  }
  if (!columns) throw UsageError(fileName + ": no header row naming the columns");
  if (rows.empty()) throw UsageError(fileName + ": no members below the header");
  return rows;
}

}  // namespace zembrati::cli
