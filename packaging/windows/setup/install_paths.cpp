#include "install_paths.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zembrati::setup {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> Folders(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (IsSeparator(c)) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// "C:" for a drive path, "\\server\share" for a share; empty for anything else.
std::size_t RootFolders(const std::string& path) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && IsSeparator(path[2])) {
    return 1;
  }
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return 2;
  return 0;
}

}  // namespace

std::optional<std::string> PathRelativeTo(const std::string& base, const std::string& target) {
  const std::size_t roots = RootFolders(base);
  if (roots == 0 || RootFolders(target) != roots) return std::nullopt;
  const std::vector<std::string> from = Folders(base), to = Folders(target);
  if (from.size() < roots || to.size() < roots) return std::nullopt;
  for (std::size_t i = 0; i < roots; ++i) {
    if (!SameName(from[i], to[i])) return std::nullopt;
  }
  std::size_t shared = roots;
  while (shared < from.size() && shared < to.size() && SameName(from[shared], to[shared])) ++shared;
  std::string relative = IsSeparator(base.back()) ? "" : "\\";
  for (std::size_t i = shared; i < from.size(); ++i) relative += "..\\";
  for (std::size_t i = shared; i < to.size(); ++i) relative += to[i] + "\\";
  if (!IsSeparator(target.back()) && !relative.empty() && relative.back() == '\\' && to.size() > shared) {
    relative.pop_back();  // the target is a file
  }
  return relative;
}

std::string WithoutClosingSeparator(std::string folder) {
  while (folder.size() > 3 && IsSeparator(folder.back())) folder.pop_back();
  return folder;
}

}  // namespace zembrati::setup
