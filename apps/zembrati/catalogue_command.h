#pragma once

#include <CLI/CLI.hpp>

namespace zembrati::cli {

// `zembrati catalogue check [DIR]` and `zembrati catalogue list`: read a catalogue through the
// system's own readers, report its problems, or print what it holds.
void AddCatalogueCommand(CLI::App& app, int& exitCode);

}  // namespace zembrati::cli
