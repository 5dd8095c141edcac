#include "cli_support.h"

#include <charconv>
#include <cmath>

namespace zembrati::cli {

double ParseNumber(const std::string& text, const std::string& what) {
  double value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (!text.empty() && text.front() == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  if (text.empty() || error != std::errc{} || end != last || !std::isfinite(value)) {
    throw UsageError(what + ": \"" + text + "\" is not a number (use \".\" for decimals)");
  }
  return value;
}

std::vector<double> ParseNumberList(const std::string& text, const std::string& what) {
  std::vector<double> numbers;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    numbers.push_back(ParseNumber(text.substr(start, comma - start), what));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return numbers;
}

}  // namespace zembrati::cli
