#pragma once

#include <map>
#include <string>
#include <vector>

namespace zembrati::cli {

// One row of a list file: its fields and the line it came from.
struct CsvRow {
  int line = 0;
  std::vector<std::string> fields;
};

// A list file as the command line reads them (member lists, joint lists): comma-separated text
// whose first row names the columns, in any order and any case.
struct CsvTable {
  std::map<std::string, std::size_t> columns;  // by the name in lower case
  std::vector<CsvRow> rows;

  // The row's field in the named column, empty where the table has no such column.
  const std::string& Field(const CsvRow& row, const std::string& column) const;
};

// Reads a list: blank lines and lines starting with "#" are skipped, a byte-order mark before the
// header is dropped, a field may be quoted ("...", with "" for a quote) and is otherwise trimmed
// of blanks. The header must name only `known` columns, each once, and every `required` one.
// Each fault is a UsageError "FILE line N: reason" ("FILE: reason" for a file without a header
// or rows); `what` names the rows in those messages ("members", "joints").
CsvTable ReadCsvTable(const std::string& text, const std::string& fileName, const std::vector<std::string>& known,
                      const std::vector<std::string>& required, const std::string& what);

// A field as a CSV writer gives it: quoted (with "" for a quote) where it holds a comma, a quote
// or a line break.
std::string CsvField(const std::string& text);

// A UsageError about one row, as ReadCsvTable words them.
[[noreturn]] void RaiseRowError(const std::string& fileName, int line, const std::string& reason);

}  // namespace zembrati::cli
