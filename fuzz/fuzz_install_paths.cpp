// The installer's path composition, given any host folder (the "ApplDir" a machine holds) and any
// target, split at the first newline: when it answers, the host folder followed by the answer
// names the target, as Windows resolves "..".
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input_file.h"
#include "install_paths.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The folders a path names once ".." is applied, in lower case; false if it climbs above its root
// or holds a "." folder, which the composition does not take apart.
bool Resolved(const std::string& path, std::vector<std::string>& folders) {
  std::string part;
  const auto flush = [&]() {
    if (part == ".") return false;
    if (part == "..") {
      if (folders.size() <= 1) return false;
      folders.pop_back();
    } else if (!part.empty()) {
      folders.push_back(part);
    }
    part.clear();
    return true;
  };
  for (char c : path) {
    if (IsSeparator(c)) {
      if (!flush()) return false;
    } else {
      part += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return flush();
}

bool HasDotFolders(const std::string& path) {
  std::vector<std::string> folders;
  return !Resolved(path, folders) || path.find("..") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  if (newline == std::string::npos) return 0;
  const std::string base = input.substr(0, newline), target = input.substr(newline + 1);
  const std::optional<std::string> relative = zembrati::setup::PathRelativeTo(base, target);
  if (!relative || HasDotFolders(base) || HasDotFolders(target)) return 0;
  std::vector<std::string> reached, wanted;
  if (!Resolved(base + *relative, reached) || !Resolved(target, wanted) || reached != wanted) {
    zembrati::fuzz::Finding("the host folder and the composed path do not name the target");
  }
  return 0;
}
