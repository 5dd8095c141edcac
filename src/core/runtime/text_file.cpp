#include "runtime/text_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "runtime/code_page.h"
#include "runtime/runtime_error.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zembrati::runtime {
namespace fs = std::filesystem;
namespace {

fs::path PathFromUtf8(const std::string& path) {
  return fs::path(std::u8string(path.begin(), path.end()));
}

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

[[noreturn]] void RaiseForFailedInput(const std::string& path) {
  const fs::path native = PathFromUtf8(path);
  std::error_code ignored;
  if (IsDirectory(native)) Raise(error::kPathFileAccessError);
  if (!fs::exists(native, ignored)) {
    Raise(FolderExists(native) ? error::kFileNotFound : error::kPathNotFound);
  }
  Raise(error::kPathFileAccessError);
}

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

}  // namespace

void TextFileReader::Closer::operator()(std::FILE* file) const { std::fclose(file); }

TextFileReader::TextFileReader(const std::string& path) {
  if (path.empty()) Raise(error::kBadFileNameOrNumber);
  if (IsDirectory(PathFromUtf8(path))) Raise(error::kPathFileAccessError);
  file_.reset(OpenFile(path, "rb"));
  if (!file_) RaiseForFailedInput(path);
}

bool TextFileReader::AtEnd() {
  if (!file_) Raise(error::kBadFileNameOrNumber);
  const int next = std::getc(file_.get());
  if (next == EOF) return true;
  std::ungetc(next, file_.get());
  return false;
}

std::string TextFileReader::ReadLine() {
  if (AtEnd()) Raise(error::kInputPastEndOfFile);
  std::string bytes;
  std::FILE* file = file_.get();
  for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
    if (c == '\n') break;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next != '\n' && next != EOF) std::ungetc(next, file);
      break;
    }
    bytes += static_cast<char>(c);
  }
  if (std::ferror(file)) Raise(error::kDeviceIoError);
  return Windows1252ToUtf8(bytes);
}

void TextFileReader::Close() { file_.reset(); }

TextFileWriter::TextFileWriter(const std::string& path)
    : target_(path), temporary_(path + ".tmp~") {
  if (path.empty()) Raise(error::kBadFileNameOrNumber);
  if (IsDirectory(PathFromUtf8(path))) Raise(error::kPathFileAccessError);
  errno = 0;
  file_ = OpenFile(temporary_, "wb");
  if (file_ == nullptr) RaiseForFailedOutput(path, errno);
}

TextFileWriter::~TextFileWriter() { Discard(); }

void TextFileWriter::WriteLine(std::string_view text) {
  if (file_ == nullptr) Raise(error::kBadFileNameOrNumber);
  const std::string bytes = Utf8ToWindows1252(text) + "\r\n";
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    const int failure = errno;
    Discard();
    RaiseForFailedWrite(failure);
  }
}

void TextFileWriter::Close() {
  if (file_ == nullptr) return;
  errno = 0;
  const bool flushed = FlushToDisk(file_);
  const int failure = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) {
    Discard();
    RaiseForFailedWrite(failure);
  }
  std::error_code renameError;
  fs::rename(PathFromUtf8(temporary_), PathFromUtf8(target_), renameError);
  if (renameError) {
    Discard();
    RaiseForFailedOutput(target_, renameError.value());
  }
}

void TextFileWriter::Discard() noexcept {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  std::error_code ignored;
  fs::remove(PathFromUtf8(temporary_), ignored);
}

}  // namespace zembrati::runtime
