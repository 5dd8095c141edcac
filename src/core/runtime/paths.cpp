#include "runtime/paths.h"

#include <system_error>

namespace zembrati::runtime {
namespace fs = std::filesystem;

fs::path PathFromUtf8(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

std::FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(PathFromUtf8(path).c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

bool IsDirectory(const fs::path& path) {
  std::error_code ignored;
  return fs::is_directory(path, ignored);
}

bool FolderExists(const fs::path& path) {
  const fs::path folder = path.parent_path();
  return folder.empty() || IsDirectory(folder);
}

}  // namespace zembrati::runtime
