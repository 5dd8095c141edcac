#pragma once

#include <CLI/CLI.hpp>

namespace zembrati::cli {

// drop, edit, set-length, show and export: parts placed, edited, regenerated, shown and exported
// on the built-in host, each through the same calls the real host makes.
void AddPartCommands(CLI::App& app, int& exitCode);

}  // namespace zembrati::cli
