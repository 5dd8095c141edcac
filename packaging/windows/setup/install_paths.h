#pragma once

#include <optional>
#include <string>

namespace zembrati::setup {

// The add-in joins "ApplDir" and the path values under it by plain concatenation, so a package
// that installs its files somewhere else must write those values relative to "ApplDir".
// The text to append to `base` (a folder, with or without its closing backslash) to name
// `target` (a folder ending in a backslash, or a file): "..\" for every folder of `base` below
// what the two share, then the rest of `target`. Empty when they are on different drives or
// shares, or either is not a full path.
std::optional<std::string> PathRelativeTo(const std::string& base, const std::string& target);

// A folder without its closing backslash ("C:\Program Files\Zembrati"), as the type library's
// help folder is registered.
std::string WithoutClosingSeparator(std::string folder);

}  // namespace zembrati::setup
