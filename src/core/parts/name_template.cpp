#include "parts/name_template.h"

#include "runtime/number_text.h"

namespace zembrati::parts {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the number text at the start of `text`: digits with at most one decimal
// separator between them, as the general number form writes a length.
std::size_t NumberLength(const std::string& text, std::size_t from) {
  std::size_t at = from;
  if (at < text.size() && text[at] == '-') ++at;
  const std::size_t digits = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  const char separator = runtime::UserDecimalSeparator();
  if (at > digits && at + 1 < text.size() && (text[at] == '.' || text[at] == separator) && IsDigit(text[at + 1])) {
    ++at;
    while (at < text.size() && IsDigit(text[at])) ++at;
  }
  return at - from;
}

}  // namespace

std::string UserSuffix(const std::string& name, const std::string& nameTemplate) {
  const std::size_t at = nameTemplate.find('@');
  if (at == std::string::npos) return {};
  const std::string after = nameTemplate.substr(at + 1);
  if (!after.empty()) {
    const std::size_t found = name.find(after);
    return found == std::string::npos ? std::string() : name.substr(found + after.size());
  }
  const std::string before = nameTemplate.substr(0, at);
  if (name.compare(0, before.size(), before) != 0) return {};
  return name.substr(before.size() + NumberLength(name, before.size()));
}

}  // namespace zembrati::parts
