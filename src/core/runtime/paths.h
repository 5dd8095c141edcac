#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// Paths as the system holds them: UTF-8 text on every platform.
namespace zembrati::runtime {

std::filesystem::path PathFromUtf8(const std::string& path);
// Opens a file with a C mode string.
std::FILE* OpenFile(const std::string& path, const char* mode);
// What an open file is, told by the file itself (one call, no second look-up of its path).
struct OpenFileFacts {
  bool directory = false;
  bool sizeKnown = false;  // a regular file, whose size is `size` bytes
  std::uintmax_t size = 0;
};
OpenFileFacts FactsOf(std::FILE* file);
// Whether the path names a directory (false when it cannot be told).
bool IsDirectory(const std::filesystem::path& path);
// Whether the folder a path lies in exists (a bare name lies in the current folder).
bool FolderExists(const std::filesystem::path& path);

}  // namespace zembrati::runtime
