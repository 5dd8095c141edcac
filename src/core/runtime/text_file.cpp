#include "runtime/text_file.h"

#include <algorithm>
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

bool TextFileReader::Fill() {
  constexpr std::size_t kBlock = 64 * 1024;
  buffer_.resize(kBlock);
  const std::size_t read = std::fread(buffer_.data(), 1, kBlock, file_.get());
  buffer_.resize(read);
  at_ = 0;
  if (read == 0 && std::ferror(file_.get())) Raise(error::kDeviceIoError);
  return read > 0;
}

bool TextFileReader::AtEnd() {
  if (!file_) Raise(error::kBadFileNameOrNumber);
  return at_ == buffer_.size() && !Fill();
}

std::string TextFileReader::ReadLine() {
  if (AtEnd()) Raise(error::kInputPastEndOfFile);
  std::string bytes;
  while (true) {
    std::size_t end = at_;
    while (end < buffer_.size() && buffer_[end] != '\n' && buffer_[end] != '\r') ++end;
    if (end == buffer_.size()) {
      bytes.append(buffer_, at_);
      at_ = buffer_.size();
      if (!Fill()) break;
      continue;
    }
    bytes.append(buffer_, at_, end - at_);
    at_ = end + 1;
    // CR LF is one line end, even when the block ends between the two.
    if (buffer_[end] == '\r' && (at_ < buffer_.size() || Fill()) && buffer_[at_] == '\n') ++at_;
    break;
  }
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? bytes : Windows1252ToUtf8(bytes);
}

void TextFileReader::Close() {
  file_.reset();
  buffer_.clear();
  at_ = 0;
}

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
