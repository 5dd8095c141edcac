#include "runtime/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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

}  // namespace

void TextFileReader::Closer::operator()(std::FILE* file) const { std::fclose(file); }

TextFileReader::TextFileReader(const std::string& path) {
  if (path.empty()) Raise(error::kBadFileNameOrNumber);
  block_ = FileReadingScope::Find(path);
  if (block_) return;
  file_.reset(OpenFile(path, "rb"));
  if (!file_) RaiseForFailedInput(path);
  const OpenFileFacts facts = FactsOf(file_.get());
  if (facts.directory) Raise(error::kPathFileAccessError);
  // The reader keeps blocks of its own: the stream's buffer would only copy them once more.
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  block_ = std::make_shared<const std::string>();
  if (FileReadingScope::Active()) ReadWhole(path, facts);
}

void TextFileReader::ReadWhole(const std::string& path, const OpenFileFacts& facts) {
  constexpr std::size_t kLargestKept = 16u << 20;
  constexpr std::size_t kChunk = 64 * 1024;
  auto whole = std::make_shared<std::string>();
  // Read straight into the kept text: first as much as the file holds and one byte more, to see
  // its end in one call, then on in chunks if it has grown meanwhile.
  std::size_t chunk = facts.sizeKnown && facts.size < kLargestKept ? static_cast<std::size_t>(facts.size) + 1 : kChunk;
  while (whole->size() <= kLargestKept) {
    const std::size_t before = whole->size();
    whole->resize(before + chunk);
    const std::size_t read = std::fread(whole->data() + before, 1, chunk, file_.get());
    whole->resize(before + read);
    if (read < chunk) {
      if (std::ferror(file_.get())) Raise(error::kDeviceIoError);
      file_.reset();
      FileReadingScope::Keep(path, whole);
      break;
    }
    chunk = kChunk;
  }
  block_ = std::move(whole);
}

bool TextFileReader::Fill() {
  if (!file_) return false;
  constexpr std::size_t kBlock = 64 * 1024;
  auto next = std::make_shared<std::string>(kBlock, '\0');
  const std::size_t read = std::fread(next->data(), 1, kBlock, file_.get());
  if (read == 0 && std::ferror(file_.get())) Raise(error::kDeviceIoError);
  next->resize(read);
  block_ = std::move(next);
  at_ = 0;
  return read > 0;
}

bool TextFileReader::AtEnd() {
  if (!block_) Raise(error::kBadFileNameOrNumber);  // closed
  return at_ == block_->size() && !Fill();
}

namespace {

bool Ascii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Where the line starting at `from` ends: its CR or LF, or the end of the block.
std::size_t LineEnd(const std::string& block, std::size_t from) {
  const char* begin = block.data() + from;
  const std::size_t left = block.size() - from;
  const void* lf = std::memchr(begin, '\n', left);
  const std::size_t scanned = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : left;
  const void* cr = std::memchr(begin, '\r', scanned);
  return from + (cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : scanned);
}

}  // namespace

std::string TextFileReader::ReadLine() {
  std::string line;
  ReadLine(line);
  return line;
}

void TextFileReader::ConsumeLine(std::string* line) {
  while (true) {
    const std::string& block = *block_;
    const std::size_t end = LineEnd(block, at_);
    if (line) line->append(block, at_, end - at_);
    if (end == block.size()) {
      at_ = end;
      if (!Fill()) return;
      continue;
    }
    at_ = end + 1;
    // CR LF is one line end, even when the block ends between the two.
    if (block[end] == '\r' && (at_ < block_->size() || Fill()) && (*block_)[at_] == '\n') ++at_;
    return;
  }
}

void TextFileReader::ReadLine(std::string& line) {
  if (AtEnd()) Raise(error::kInputPastEndOfFile);
  line.clear();
  ConsumeLine(&line);
  if (!Ascii(line)) line = Windows1252ToUtf8(line);
}

bool TextFileReader::ReadLineStartingWith(char first, std::string& line) {
  while (!AtEnd()) {
    if ((*block_)[at_] == first) {
      ReadLine(line);
      return true;
    }
    ConsumeLine(nullptr);
  }
  return false;
}

void TextFileReader::Close() {
  file_.reset();
  block_.reset();
  at_ = 0;
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
