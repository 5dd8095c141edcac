#include "runtime/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>

#include "runtime/runtime_error.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zembrati::runtime {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void RaiseForFailedWrite(int errorNumber) {
  Raise(errorNumber == ENOSPC ? error::kDiskFull : error::kDeviceIoError);
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// A name no other writer picks: random, and never the same twice in this process.
std::string UniqueSuffix() {
  static std::atomic<unsigned long long> counter{0};
  thread_local std::mt19937_64 generator{std::random_device{}()};
  const unsigned long long value = generator() ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (int shift = 60; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
  return text;
}

bool IsReadOnly(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return false;
  return (status.permissions() & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
         fs::perms::none;
}

}  // namespace

[[noreturn]] void RaiseForFailedOutput(const std::string& path, int errorNumber) {
  const fs::path native = PathFromUtf8(path);
  if (IsDirectory(native)) Raise(error::kPathFileAccessError);
  if (!FolderExists(native)) Raise(error::kPathNotFound);
  if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS) {
    Raise(error::kPermissionDenied);
  }
  if (errorNumber == ENOSPC) Raise(error::kDiskFull);
  Raise(error::kPathFileAccessError);
}

FileReplacement::FileReplacement(std::string target) : target_(std::move(target)) {
  if (target_.empty()) Raise(error::kBadFileNameOrNumber);
  const fs::path native = PathFromUtf8(target_);
  if (IsDirectory(native)) Raise(error::kPathFileAccessError);
  if (!FolderExists(native)) Raise(error::kPathNotFound);
  if (IsReadOnly(native)) Raise(error::kPermissionDenied);
  temporary_ = target_ + "." + UniqueSuffix() + ".tmp~";
}

FileReplacement::~FileReplacement() {
  if (!committed_) Discard();
}

std::FILE* FileReplacement::Open() {
  if (file_ != nullptr) return file_;
  errno = 0;
  file_ = OpenFile(temporary_, "wb");
  if (file_ == nullptr) RaiseForFailedOutput(target_, errno);
  return file_;
}

void FileReplacement::Commit() {
  if (file_ != nullptr) {
    errno = 0;
    const bool flushed = FlushToDisk(file_);
    const int failure = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
      Discard();
      RaiseForFailedWrite(failure);
    }
  }
  const fs::path native = PathFromUtf8(target_);
  const fs::path temporary = PathFromUtf8(temporary_);
  std::error_code error;
  const fs::file_status old = fs::status(native, error);
  if (!error && fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
  error.clear();
  fs::rename(temporary, native, error);
  if (error) {
    Discard();
    RaiseForFailedOutput(target_, error.value());
  }
  committed_ = true;
}

void FileReplacement::Discard() noexcept {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::error_code ignored;
  fs::remove(PathFromUtf8(temporary_), ignored);
}

void ReplaceFileContent(const std::string& path, std::string_view bytes) {
  FileReplacement replacement(path);
  std::FILE* file = replacement.Open();
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    const int failure = errno;
    replacement.Discard();
    RaiseForFailedWrite(failure);
  }
  replacement.Commit();
}

}  // namespace zembrati::runtime
