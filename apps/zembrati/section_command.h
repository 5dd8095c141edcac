#pragma once

#include <CLI/CLI.hpp>

namespace zembrati::cli {

// `zembrati section`: builds one section body on the built-in host through the system's own
// generator and reports its properties, optionally writing STEP, STL and SVG files.
void AddSectionCommand(CLI::App& app, int& exitCode);

}  // namespace zembrati::cli
