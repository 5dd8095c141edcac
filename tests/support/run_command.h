#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace zembrati::testing {

struct CommandResult {
  int exitCode;
  std::string output;  // what the command wrote to its standard output
};

// Runs a shell command line as a user would and collects its standard output and exit code.
inline CommandResult RunCommand(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  std::array<char, 4096> buffer{};
  while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

}  // namespace zembrati::testing
