#include "runtime/text_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "runtime/code_page.h"
#include "runtime/file_replacement.h"
#include "runtime/runtime_error.h"


namespace zembrati::runtime {
namespace fs = std::filesystem;
namespace {

[[noreturn]] void RaiseForFailedInput(const std::string& path) {
  const fs::path native = PathFromUtf8(path);
  std::error_code ignored;
  if (IsDirectory(native)) Raise(error::kPathFileAccessError);
  if (!fs::exists(native, ignored)) {
    Raise(FolderExists(native) ? error::kFileNotFound : error::kPathNotFound);
  }
  Raise(error::kPathFileAccessError);
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

TextFileWriter::TextFileWriter(const std::string& path) : replacement_(path) { replacement_.Open(); }

void TextFileWriter::WriteLine(std::string_view text) {
  if (closed_) Raise(error::kBadFileNameOrNumber);
  const std::string bytes = Utf8ToWindows1252(text) + "\r\n";
  std::FILE* file = replacement_.Open();
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    const int failure = errno;
    replacement_.Discard();
    closed_ = true;
    Raise(failure == ENOSPC ? error::kDiskFull : error::kDeviceIoError);
  }
}

void TextFileWriter::Close() {
  if (closed_) return;
  closed_ = true;
  replacement_.Commit();
}

}  // namespace zembrati::runtime
