#pragma once

#include <CLI/CLI.hpp>

namespace zembrati::cli {

// `frame`: a whole frame from a member list, each member dropped as `drop --at --to` drops one,
// all or nothing.
void AddFrameCommand(CLI::App& app, int& exitCode);

}  // namespace zembrati::cli
