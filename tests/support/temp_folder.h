#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zembrati::testing {

// A fresh folder for one test, removed afterwards; files are written as the system writes them:
// 8-bit text with CR LF line ends.
class TempFolder {
 public:
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("zembrati_" + std::string(test->test_suite_name()) + "_" + test->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }

  // The folder's path with a trailing separator, as the catalogue paths carry one.
  std::string Dir() const { return path_.string() + "/"; }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

  std::string Write(const std::string& name, std::initializer_list<std::string> lines) const {
    return Write(name, std::vector<std::string>(lines));
  }
  std::string Write(const std::string& name, const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return WriteBytes(name, bytes);
  }

  std::string WriteBytes(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return Path(name);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace zembrati::testing
