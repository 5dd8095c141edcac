#include "runtime/file_reading_scope.h"

#include <map>

namespace zembrati::runtime {
namespace {

struct Files {
  int depth = 0;
  std::map<std::string, std::shared_ptr<const TextLines>> content;
};

Files& ThreadFiles() {
  thread_local Files files;
  return files;
}

}  // namespace

FileReadingScope::FileReadingScope() { ++ThreadFiles().depth; }

FileReadingScope::~FileReadingScope() {
  Files& files = ThreadFiles();
  if (--files.depth == 0) files.content.clear();
}

bool FileReadingScope::Active() { return ThreadFiles().depth > 0; }

std::shared_ptr<const TextLines> FileReadingScope::Find(const std::string& path) {
  const Files& files = ThreadFiles();
  const auto found = files.content.find(path);
  return found == files.content.end() ? nullptr : found->second;
}

void FileReadingScope::Keep(const std::string& path, std::shared_ptr<const TextLines> content) {
  Files& files = ThreadFiles();
  if (files.depth > 0) files.content[path] = std::move(content);
}

void FileReadingScope::Forget(const std::string& path) { ThreadFiles().content.erase(path); }

}  // namespace zembrati::runtime
