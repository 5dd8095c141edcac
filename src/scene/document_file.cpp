#include "document_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "file_output.h"
#include "runtime/paths.h"
#include "scene_error.h"

namespace zembrati::scene {
namespace {

// The largest scene file read: far beyond any scene of tens of thousands of parts.
constexpr std::uintmax_t kMaxSceneBytes = std::uintmax_t{1} << 30;

}  // namespace

void SaveDocument(const Document& document, const std::string& path) { SaveDocumentText(DocumentToJson(document), path); }

void SaveDocumentText(std::string_view text, const std::string& path) { WriteWholeFile(path, text, "scene file"); }

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
  // In one read when the size is known: a building's scene is tens of megabytes.
  std::string text;
  if (!error) {
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.gcount() == static_cast<std::streamsize>(size)) text.append(std::istreambuf_iterator<char>(in), {});
  } else {
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  if (in.bad()) RaiseSceneError(scene_error::kBadDocument, "Cannot read the scene file " + path);
  try {
    return DocumentFromJson(text);
  } catch (const runtime::RuntimeError& e) {
    RaiseSceneError(e.number(), path + ": " + e.description());
  }
}

}  // namespace zembrati::scene
