#pragma once

#include <string>

namespace zembrati::parts {

// A part name is its generated text (the name template with the length where the "@" stands)
// followed by whatever the user added. UserSuffix finds that addition: the text after the first
// occurrence, in the name, of the template's text after "@". When that text is empty (the
// template ends with the length), the addition is what follows the template's text before "@"
// and the number after it. A name that no longer contains the generated text (the user renamed
// the part) has no suffix: nothing of an unrelated name is carried over. The regeneration and the
// rebuild of an edited part both use this one rule.
std::string UserSuffix(const std::string& name, const std::string& nameTemplate);

}  // namespace zembrati::parts
