#include "joint_list.h"

#include <cmath>
#include <map>

#include "cli_support.h"
#include "csv_table.h"

namespace zembrati::cli {
namespace {

const std::vector<std::string> kColumns{"mark", "end", "kind", "to", "gap", "extend", "plane"};
const std::vector<std::string> kRequired{"mark", "end", "kind", "to"};

std::string Known(const std::set<std::string>& marks) {
  std::string list;
  std::size_t shown = 0;
  for (const std::string& mark : marks) {
    if (++shown > 20) return list + ", ...";
    list += (list.empty() ? "" : ", ") + mark;
  }
  return list;
}

const std::string& RequireMark(const std::string& mark, const char* column, const std::set<std::string>& marks) {
  RequirePlainText(mark, column);
  if (mark.empty()) throw UsageError(std::string(column) + " is empty: name a member by its mark");
  if (!marks.count(mark)) throw UsageError("no member has the mark \"" + mark + "\" (the marks are " + Known(marks) + ")");
  return mark;
}

bool YesOrNo(const std::string& text, const char* column) {
  const std::string answer = LowerCase(text);
  if (answer.empty() || answer == "no" || answer == "false" || answer == "0") return false;
  if (answer == "yes" || answer == "true" || answer == "1") return true;
  RequirePlainText(text, column);
  throw UsageError(std::string(column) + " \"" + text + "\" is neither yes nor no");
}

JointRow RowOf(const CsvTable& table, const CsvRow& csvRow, const std::set<std::string>& marks) {
  const auto field = [&](const char* name) -> const std::string& { return table.Field(csvRow, name); };
  JointRow row;
  row.line = csvRow.line;
  row.mark = RequireMark(field("mark"), "mark", marks);
  row.end = ParseMemberEnd(field("end"), "end");
  row.kind = ParseJointKind(field("kind"), "kind");
  row.to = RequireMark(field("to"), "to", marks);
  if (row.to == row.mark) throw UsageError("the member " + row.mark + " is joined to itself");
  row.gap = ParseGap(field("gap"), "the gap");
  row.extend = ParseExtension(field("extend"), "the extension");
  row.onFacePlane = YesOrNo(field("plane"), "plane");
  if (row.onFacePlane && row.kind != scene::JointKind::Butt) {
    throw UsageError("plane goes with a butt joint: a " + std::string(scene::JointKindName(row.kind)) +
                     " has its own cut");
  }
  return row;
}

}  // namespace

scene::JointKind ParseJointKind(const std::string& text, const std::string& what) {
  const std::string name = LowerCase(text);
  if (name == "miter") return scene::JointKind::Mitre;  // the same joint, spelt the American way
  if (const auto kind = scene::JointKindFromName(name)) return *kind;
  RequirePlainText(text, what);
  throw UsageError(what + " \"" + text + "\" is not a joint: give mitre, butt or cope");
}

scene::MemberEnd ParseMemberEnd(const std::string& text, const std::string& what) {
  if (const auto end = scene::MemberEndFromName(LowerCase(text))) return *end;
  RequirePlainText(text, what);
  throw UsageError(what + " \"" + text + "\" is neither start nor end");
}

double ParseGap(const std::string& text, const std::string& what) {
  const double gap = text.empty() ? 0 : ParseNumber(text, what);
  if (gap < 0) throw UsageError(what + " " + text + " mm is negative");
  if (gap > kMaxLengthMm) throw UsageError(what + " " + text + " mm is longer than any member");
  return gap;
}

double ParseExtension(const std::string& text, const std::string& what) {
  const double extension = text.empty() ? 0 : ParseNumber(text, what);
  if (std::abs(extension) > kMaxLengthMm) throw UsageError(what + " " + text + " mm is longer than any member");
  return extension;
}

std::vector<JointRow> ReadJointList(const std::string& text, const std::string& fileName,
                                    const std::set<std::string>& marks) {
  const CsvTable table = ReadCsvTable(text, fileName, kColumns, kRequired, "joints");
  std::vector<JointRow> rows;
  std::map<std::pair<std::string, scene::MemberEnd>, int> joinedAt;
  for (const CsvRow& csvRow : table.rows) {
    try {
      const JointRow row = RowOf(table, csvRow, marks);
      const auto [earlier, first] = joinedAt.emplace(std::pair{row.mark, row.end}, row.line);
      if (!first) {
        throw UsageError("the " + std::string(scene::MemberEndName(row.end)) + " of " + row.mark +
                         " is joined already, on line " + std::to_string(earlier->second));
      }
      rows.push_back(row);
    } catch (const UsageError& error) {
      RaiseRowError(fileName, csvRow.line, error.what());
    }
  }
  return rows;
}

}  // namespace zembrati::cli
