#include "file_output.h"

#include <cerrno>
#include <cstdio>

#include "runtime/file_replacement.h"
#include "scene_error.h"

namespace zembrati::scene {

void RaiseCannotWrite(const std::string& path, const runtime::RuntimeError& error, const std::string& what) {
  std::string reason(runtime::ErrorDescription(error.number()));
  if (error.number() == runtime::error::kPermissionDenied) reason = "the file or its folder is read-only";
  if (error.number() == runtime::error::kPathFileAccessError) reason = "it is a folder or cannot be opened";
  if (error.number() == runtime::error::kPathNotFound) reason = "its folder does not exist";
  RaiseSceneError(scene_error::kBadDocument,
                  "Cannot write the " + what + " " + path + ": " + reason + "; the file was left as it was");
}

void CheckCanReplace(const std::string& path, const std::string& what) {
  try {
    runtime::FileReplacement probe(path);  // checks the target; writes nothing until opened
  } catch (const runtime::RuntimeError& error) {
    RaiseCannotWrite(path, error, what);
  }
}

void WriteWholeFile(const std::string& path, std::string_view bytes, const std::string& what) {
  try {
    runtime::ReplaceFileContent(path, bytes);
  } catch (const runtime::RuntimeError& error) {
    RaiseCannotWrite(path, error, what);
  }
}

void WriteFileInPieces(const std::string& path, const std::string& what, const std::function<bool(const FileSink&)>& produce) {
  try {
    runtime::FileReplacement replacement(path);
    std::FILE* file = replacement.Open();
    const bool keep = produce([&](std::string_view piece) {
      errno = 0;
      if (std::fwrite(piece.data(), 1, piece.size(), file) != piece.size()) {
        const int failure = errno;
        replacement.Discard();
        runtime::Raise(failure == ENOSPC ? runtime::error::kDiskFull : runtime::error::kDeviceIoError);
      }
    });
    if (!keep) return replacement.Discard();
    replacement.Commit();
  } catch (const runtime::RuntimeError& error) {
    RaiseCannotWrite(path, error, what);
  }
}

}  // namespace zembrati::scene
