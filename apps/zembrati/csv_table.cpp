#include "csv_table.h"

#include <algorithm>
#include <optional>

#include "cli_support.h"

namespace zembrati::cli {
namespace {

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

std::map<std::string, std::size_t> HeaderColumns(const std::vector<std::string>& names,
                                                 const std::vector<std::string>& known,
                                                 const std::vector<std::string>& required) {
  std::map<std::string, std::size_t> columns;
  for (std::size_t i = 0; i < names.size(); ++i) {
    RequirePlainText(names[i], "the header");  // nothing unprintable goes into the message below
    const std::string name = LowerCase(names[i]);
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      std::string list;
      for (const std::string& column : known) list += (list.empty() ? "" : ", ") + column;
      throw UsageError("the header names an unknown column \"" + names[i] + "\"; the columns are " + list);
    }
    if (!columns.emplace(name, i).second) throw UsageError("the header names the column \"" + name + "\" twice");
  }
  for (const std::string& column : required) {
    if (!columns.count(column)) throw UsageError("the header has no column \"" + column + "\"");
  }
  return columns;
}

}  // namespace

const std::string& CsvTable::Field(const CsvRow& row, const std::string& column) const {
  static const std::string kNone;
  const auto found = columns.find(column);
  return found == columns.end() ? kNone : row.fields[found->second];
}

void RaiseRowError(const std::string& fileName, int line, const std::string& reason) {
  throw UsageError(fileName + " line " + std::to_string(line) + ": " + reason);
}

CsvTable ReadCsvTable(const std::string& text, const std::string& fileName, const std::vector<std::string>& known,
                      const std::vector<std::string>& required, const std::string& what) {
  CsvTable table;
  bool haveHeader = false;
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
      std::vector<std::string> fields = Fields(line);
      if (!haveHeader) {
        table.columns = HeaderColumns(fields, known, required);
        headerFields = fields.size();
        haveHeader = true;
        continue;
      }
      if (fields.size() != headerFields) {
        throw UsageError("the row has " + std::to_string(fields.size()) + " columns, the header " +
                         std::to_string(headerFields));
      }
      table.rows.push_back({lineNumber, std::move(fields)});
    } catch (const UsageError& error) {
      RaiseRowError(fileName, lineNumber, error.what());
    }
  }
  if (!haveHeader) throw UsageError(fileName + ": no header row naming the columns");
  if (table.rows.empty()) throw UsageError(fileName + ": no " + what + " below the header");
  return table;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace zembrati::cli
