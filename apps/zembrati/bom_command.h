#pragma once

#include <CLI/CLI.hpp>

namespace zembrati::cli {

// `bom`: the cutting list of a scene.
void AddBomCommand(CLI::App& app, int& exitCode);

}  // namespace zembrati::cli
