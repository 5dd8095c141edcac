#include "runtime/paths.h"

#include <sys/stat.h>

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

OpenFileFacts FactsOf(std::FILE* file) {
  OpenFileFacts facts;
#ifdef _WIN32
  struct _stat64 status {};
  if (_fstat64(_fileno(file), &status) != 0) return facts;
#else
  struct stat status {};
  if (fstat(fileno(file), &status) != 0) return facts;
#endif
  facts.directory = (status.st_mode & S_IFMT) == S_IFDIR;
  facts.sizeKnown = (status.st_mode & S_IFMT) == S_IFREG;
  facts.size = facts.sizeKnown ? static_cast<std::uintmax_t>(status.st_size) : 0;
  return facts;
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
