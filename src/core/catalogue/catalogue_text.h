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

}  // namespace zembrati::catalogue
