#include "joint_list.h"

#include <cctype>
#include <map>

#include "cli_support.h"
#include "csv_table.h"

namespace zembrati::cli {
namespace {

const std::vector<std::string> kColumns{"mark", "end", "kind", "to", "gap", "extend", "plane"};
const std::vector<std::string> kRequired{"mark", "end", "kind", "to"};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

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

scene::JointKind KindOf(const std::string& text) {
  const std::string name = Lower(text);
  if (name == "miter") return scene::JointKind::Mitre;  // the same joint, spelt the American way
  if (const auto kind = scene::JointKindFromName(name)) return *kind;
  RequirePlainText(text, "kind");
  throw UsageError("kind \"" + text + "\" is not a joint: give mitre, butt or cope");
}

bool YesOrNo(const std::string& text, const char* column) {
  const std::string answer = Lower(text);
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
  const std::optional<scene::MemberEnd> end = scene::MemberEndFromName(Lower(field("end")));
  if (!end) {
    RequirePlainText(field("end"), "end");
    throw UsageError("end \"" + field("end") + "\" is neither start nor end");
  }
  row.end = *end;
  row.kind = KindOf(field("kind"));
  row.to = RequireMark(field("to"), "to", marks);
  if (row.to == row.mark) throw UsageError("the member " + row.mark + " is joined to itself");
  row.gap = field("gap").empty() ? 0 : ParseNumber(field("gap"), "gap");
  if (row.gap < 0) throw UsageError("the gap " + field("gap") + " mm is negative");
  if (row.gap > kMaxLengthMm) throw UsageError("the gap " + field("gap") + " mm is longer than any member");
  row.extend = field("extend").empty() ? 0 : ParseNumber(field("extend"), "extend");
  if (std::abs(row.extend) > kMaxLengthMm) throw UsageError("the extension " + field("extend") + " mm is longer than any member");
  row.onFacePlane = YesOrNo(field("plane"), "plane");
  if (row.onFacePlane && row.kind != scene::JointKind::Butt) {
    throw UsageError("plane goes with a butt joint: a " + std::string(scene::JointKindName(row.kind)) +
                     " has its own cut");
  }
  return row;
}

}  // namespace

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
