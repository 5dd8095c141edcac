#include "runtime/text_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "runtime/code_page.h"
#include "runtime/file_reading_scope.h"
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

constexpr std::size_t kPiece = 64 * 1024;
// A file up to this size is read in one piece: the catalogue's files, however long a table grows
// (32,767 lines is the most a list holds). A larger one is read on in pieces of kPiece.
constexpr std::uintmax_t kLargestWhole = 16u << 20;

bool Ascii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void TextFileReader::Closer::operator()(std::FILE* file) const { std::fclose(file); }

TextFileReader::TextFileReader(const std::string& path) {
  if (path.empty()) Raise(error::kBadFileNameOrNumber);
  lines_ = FileReadingScope::Find(path);
  if (lines_) return;
  file_.reset(OpenFile(path, "rb"));
  if (!file_) RaiseForFailedInput(path);
  // The reader keeps pieces of its own: the stream's buffer would only copy them once more.
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  std::string bytes = ReadFirstPiece(path);
  lines_ = std::make_shared<const TextLines>(std::move(bytes), !file_);
  if (!file_) FileReadingScope::Keep(path, lines_);
}

std::string TextFileReader::ReadFirstPiece(const std::string& path) {
  // Most catalogue files hold a few kilobytes: they are read into a buffer the thread keeps, and
  // only a file that fills it is asked its size (asking costs as much as reading a small file).
  thread_local std::string buffer(kPiece, '\0');
  const std::size_t read = std::fread(buffer.data(), 1, kPiece, file_.get());
  if (read < kPiece) {
    if (std::ferror(file_.get())) {
      // A folder opens like a file where the system allows it, and fails at the first read.
      if (IsDirectory(PathFromUtf8(path))) Raise(error::kPathFileAccessError);
      Raise(error::kDeviceIoError);
    }
    file_.reset();
    return buffer.substr(0, read);
  }
  // The rest as the file holds it and one byte more, to see its end in the same call; a very
  // large file is read on in pieces, as the lines are read.
  const OpenFileFacts facts = FactsOf(file_.get());
  const bool whole = facts.sizeKnown && facts.size < kLargestWhole;
  const std::size_t size = whole ? std::max(static_cast<std::size_t>(facts.size), kPiece) : kPiece;
  std::string bytes;
  bytes.reserve(size + 1);
  bytes = buffer;
  if (whole) ReadOn(bytes, bytes.size(), size + 1 - bytes.size());
  return bytes;
}

bool TextFileReader::ReadOn(std::string& bytes, std::size_t from, std::size_t wanted) {
  bytes.resize(from + wanted);
  const std::size_t read = std::fread(bytes.data() + from, 1, wanted, file_.get());
  bytes.resize(from + read);
  if (read == wanted) return true;
  if (std::ferror(file_.get())) Raise(error::kDeviceIoError);
  file_.reset();
  return false;
}

bool TextFileReader::Fill() {
  if (!file_) return false;
  // A line the last piece left unfinished starts this one.
  std::string bytes(lines_->Rest());
  // A line longer than a piece: read on, looking for its end only in what is new.
  std::size_t from = bytes.empty() ? 0 : bytes.size() - 1;
  while (ReadOn(bytes, bytes.size(), kPiece) && !HoldsWholeLineEnd(bytes, from)) from = bytes.size() - 1;
  lines_ = std::make_shared<const TextLines>(std::move(bytes), !file_);
  next_ = 0;
  return lines_->Count() > 0;
}

bool TextFileReader::NoLineLeft() {
  if (!lines_) Raise(error::kBadFileNameOrNumber);  // closed
  return !Fill();
}

std::string_view TextFileReader::ReadAnyLineView() {
  if (AtEnd()) Raise(error::kInputPastEndOfFile);
  const std::string_view line = lines_->Line(next_++);
  if (lines_->Ascii() || Ascii(line)) return line;
  converted_ = Windows1252ToUtf8(line);
  return converted_;
}

std::string TextFileReader::ReadLine() { return std::string(ReadLineView()); }

void TextFileReader::ReadLine(std::string& line) { line.assign(ReadLineView()); }

bool TextFileReader::ReadLineStartingWith(char first, std::string& line) {
  while (!AtEnd()) {
    const std::string_view next = lines_->Line(next_);
    if (!next.empty() && next.front() == first) {
      ReadLine(line);
      return true;
    }
    ++next_;
  }
  return false;
}

void TextFileReader::Close() {
  file_.reset();
  lines_.reset();
  next_ = 0;
}

TextFileWriter::TextFileWriter(const std::string& path) : replacement_(path), path_(path) { replacement_.Open(); }

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
  FileReadingScope::Forget(path_);
}

}  // namespace zembrati::runtime
