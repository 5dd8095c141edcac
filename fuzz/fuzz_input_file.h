#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace zembrati::fuzz {

// A folder of the fuzzing process's own, where each input becomes the file a reader reads; it is
// removed when the process ends normally.
inline const std::filesystem::path& WorkFolder() {
  struct Folder {
    std::filesystem::path path;
    Folder() : path(std::filesystem::temp_directory_path() / ("zembrati_fuzz_" + std::to_string(::getpid()))) {
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

// Writes the input as the file `name` in the work folder and returns its path.
inline std::string InputAsFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = (WorkFolder() / name).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  return path;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A finding that is not a crash: libFuzzer records the input and stops.
[[noreturn]] inline void Finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

}  // namespace zembrati::fuzz
