#include "catalogue/catalogue_text.h"

#include "runtime/runtime_error.h"

namespace zembrati::catalogue {

std::string QuotedField(std::string_view line, int k) {
  std::size_t open = std::string_view::npos;
  std::size_t at = 0;
  for (int quote = 1; quote <= 2 * k - 1; ++quote) {
    open = line.find('"', at);
    if (open == std::string_view::npos) runtime::Raise(runtime::error::kInvalidProcedureCall);
    at = open + 1;
  }
  const std::size_t close = line.find('"', at);
  if (close == std::string_view::npos) runtime::Raise(runtime::error::kInvalidProcedureCall);
  return std::string(line.substr(open + 1, close - open - 1));
}

std::string TrimSpaces(std::string_view text) { return std::string(TrimmedView(text)); }

}  // namespace zembrati::catalogue
