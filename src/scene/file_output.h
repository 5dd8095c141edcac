#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "runtime/runtime_error.h"

namespace zembrati::scene {

// Files this host writes (scenes, STEP, STL, SVG) are replaced whole or not at all: written
// beside the target and put in its place (runtime::FileReplacement). A failure is a host error
// that names the file, says why, and says the file was left as it was; `what` names the kind of
// file ("scene file", "STEP file").
void WriteWholeFile(const std::string& path, std::string_view bytes, const std::string& what);
// The same for a file made in pieces, none of which is held with the others (a building's mesh
// is hundreds of megabytes): `produce` hands each piece to the sink it is given, in order, and
// answers whether the file is to take the new content (false leaves it as it was).
using FileSink = std::function<void(std::string_view)>;
void WriteFileInPieces(const std::string& path, const std::string& what, const std::function<bool(const FileSink&)>& produce);
// Raises the error WriteWholeFile would raise at once, before anything is written, when the file
// cannot be replaced: it is read-only, a folder, or its folder is missing.
void CheckCanReplace(const std::string& path, const std::string& what);
[[noreturn]] void RaiseCannotWrite(const std::string& path, const runtime::RuntimeError& error, const std::string& what);

}  // namespace zembrati::scene
