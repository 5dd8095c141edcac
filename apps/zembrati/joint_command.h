#pragma once

#include <CLI/CLI.hpp>

namespace zembrati::cli {

// `joint`: joins two parts of a scene (mitre, butt, cope), or removes joints with --remove.
void AddJointCommand(CLI::App& app, int& exitCode);

}  // namespace zembrati::cli
