#pragma once

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
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

// A run of the command line: exit code, standard output and standard error.
struct CliRun {
  int exitCode;  // -1 when the process ended on a signal
  std::string out;
  std::string err;
};

// Runs a command line with its standard error collected in `errFile`.
inline CliRun RunCapturingErrors(const std::string& command, const std::string& errFile) {
  const CommandResult result = RunCommand(command + " 2>" + errFile);
  std::ifstream err(errFile);
  return {result.exitCode, result.output, {std::istreambuf_iterator<char>(err), {}}};
}

}  // namespace zembrati::testing
