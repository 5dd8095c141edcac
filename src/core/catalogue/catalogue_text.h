#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The small text rules every catalogue file follows.
namespace zembrati::catalogue {

// Field k (from 1) of a standard line: the text between its (2k-1)-th and 2k-th double quote.
// A line without those quotes raises error 5.
std::string QuotedField(std::string_view line, int k);

// The text without leading and trailing space characters (tabs stay).
std::string TrimSpaces(std::string_view text);
// The same, seen inside `text`.
inline std::string_view TrimmedView(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace zembrati::catalogue
