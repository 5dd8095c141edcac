#include "document_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#if defined(__unix__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "file_output.h"
#include "runtime/paths.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

// The largest scene file read: far beyond any scene of tens of thousands of parts.
constexpr std::uintmax_t kMaxSceneBytes = std::uintmax_t{1} << 30;

// A scene file's text in memory of its own, which is handed back to the system page by page as
// the reader passes it: a building's scene is tens of megabytes of text that would otherwise be
// held, beside the scene read from it, until the last part is read. Where the system offers no
// such memory, the text is an ordinary string.
class SceneText {
 public:
  explicit SceneText(std::size_t size) : size_(size) {
#if defined(__unix__)
    if (size_ > 0) {
      void* memory = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (memory != MAP_FAILED) mapped_ = static_cast<char*>(memory);
    }
#endif
    if (!mapped_) fallback_.resize(size_);
  }
  ~SceneText() {
#if defined(__unix__)
    if (mapped_) munmap(mapped_, size_);
#endif
  }
  SceneText(const SceneText&) = delete;
  SceneText& operator=(const SceneText&) = delete;

  char* data() { return mapped_ ? mapped_ : fallback_.data(); }
  std::string_view View(std::size_t length) { return {data(), length}; }

  // Lets go of the whole pages more than a megabyte before `position`.
  void Release([[maybe_unused]] std::size_t position) {
#if defined(__unix__)
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    constexpr std::size_t kMargin = std::size_t{1} << 20;
    if (!mapped_ || position < kMargin) return;
    const std::size_t end = (position - kMargin) / page * page;
    if (end > released_) {
      madvise(mapped_ + released_, end - released_, MADV_DONTNEED);
      released_ = end;
    }
#endif
  }

 private:
  std::size_t size_;
  char* mapped_ = nullptr;
  std::string fallback_;
  std::size_t released_ = 0;
};

}  // namespace

void SaveDocument(const Document& document, const std::string& path) {
  WriteWholeFile(path, DocumentToJson(document), "scene file");
}

Document LoadDocument(const std::string& path) {
  std::error_code error;
  const std::filesystem::path native = runtime::PathFromUtf8(path);
  if (std::filesystem::is_directory(native, error)) {
    RaiseSceneError(scene_error::kBadDocument, path + " is a folder, not a scene file");
  }
  // A device, a pipe or a file larger than any scene would be read for ever or fill the memory.
  if (std::filesystem::exists(native, error) && !std::filesystem::is_regular_file(native, error)) {
    RaiseSceneError(scene_error::kBadDocument, path + " is not a file a scene can be read from");
  }
  const auto size = std::filesystem::file_size(native, error);
  if (!error && size > kMaxSceneBytes) {
    RaiseSceneError(scene_error::kBadDocument, path + " is larger than a scene can be (" + std::to_string(size) + " bytes)");
  }
  std::ifstream in(runtime::PathFromUtf8(path), std::ios::binary);
  if (!in) RaiseSceneError(scene_error::kBadDocument, "Cannot read the scene file " + path);
  // In one read when the size is known; a file that grows meanwhile is read to its end.
  std::string rest;
  std::unique_ptr<SceneText> text = std::make_unique<SceneText>(error ? 0 : static_cast<std::size_t>(size));
  std::size_t length = 0;
  if (!error && size > 0) {
    in.read(text->data(), static_cast<std::streamsize>(size));
    length = static_cast<std::size_t>(in.gcount());
  }
  if (length == (error ? 0 : size)) rest.assign(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) RaiseSceneError(scene_error::kBadDocument, "Cannot read the scene file " + path);
  std::string_view view = text->View(length);
  std::function<void(std::size_t)> release = [&](std::size_t position) { text->Release(position); };
  std::string whole;
  if (!rest.empty()) {
    // Rare (a file written while it is read, or one whose size the system did not tell): the
    // whole text as a string.
    whole.assign(view);
    whole += rest;
    text.reset();
    view = whole;
    release = nullptr;
  }
  try {
    return DocumentFromJson(view, release);
  } catch (const runtime::RuntimeError& e) {
    RaiseSceneError(e.number(), path + ": " + e.description());
  }
}

}  // namespace zembrati::scene
