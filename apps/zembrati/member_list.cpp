#include "member_list.h"

#include <cmath>
#include <string>
#include <vector>

#include "cli_support.h"
#include "csv_table.h"
#include "member_axes.h"

namespace zembrati::cli {
namespace {

const std::vector<std::string> kColumns{"mark", "family", "type", "standard", "size", "thickness", "material",
                                        "x1",   "y1",     "z1",   "x2",       "y2",   "z2",        "roll"};
const std::vector<std::string> kRequired{"type", "standard", "size", "x1", "y1", "z1", "x2", "y2", "z2"};

MemberRow RowOf(const CsvTable& table, const CsvRow& csvRow) {
  const auto field = [&](const char* name) -> const std::string& { return table.Field(csvRow, name); };
  MemberRow row;
  row.line = csvRow.line;
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
  const CsvTable table = ReadCsvTable(text, fileName, kColumns, kRequired, "members");
  std::vector<MemberRow> rows;
  for (const CsvRow& row : table.rows) {
    try {
      rows.push_back(RowOf(table, row));
    } catch (const UsageError& error) {
      RaiseRowError(fileName, row.line, error.what());
    }
  }
  return rows;
}

}  // namespace zembrati::cli
