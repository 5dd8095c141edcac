// zembrati: the command line over the built-in host.
#include <CLI/CLI.hpp>
#include <cstring>
#include <iostream>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "catalogue_command.h"
#include "cli_host.h"
#include "cli_support.h"
#include "bom_command.h"
#include "frame_command.h"
#include "joint_command.h"
#include "part_commands.h"
#include "section_command.h"

namespace {

bool AsksForJson(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) return true;
  }
  return false;
}

int Run(int argc, char** argv) {
  CLI::App app{"zembrati: standard structural steel sections as solid parts, on a built-in CAD host."};
  app.require_subcommand(1);
  app.footer("Exit codes: 0 success, 1 the system reported an error, 2 a mistake on the command line.\n"
             "Run 'zembrati COMMAND --help' for a command's options and an example.");
  int exitCode = zembrati::cli::kExitSuccess;
  zembrati::cli::SetProgramPath(argc > 0 ? argv[0] : "");
  zembrati::cli::AddSectionCommand(app, exitCode);
  zembrati::cli::AddCatalogueCommand(app, exitCode);
  zembrati::cli::AddPartCommands(app, exitCode);
  zembrati::cli::AddFrameCommand(app, exitCode);
  zembrati::cli::AddJointCommand(app, exitCode);
  zembrati::cli::AddBomCommand(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    if (AsksForJson(argc, argv)) {
      zembrati::cli::PrintError(true, "usage", error.what());
    } else {
      app.exit(error);
    }
    return zembrati::cli::kExitUsage;
  }
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // A command on a building's scene allocates and frees blocks of tens of megabytes (the file's
  // text, the scene's): kept for reuse rather than handed back, they are not faulted in again.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  // Whatever goes wrong ends as a message and an exit code, never as an abort.
  const int exitCode = zembrati::cli::RunReportingErrors(AsksForJson(argc, argv), [&] { return Run(argc, argv); });
  // Output that could not be written (a full disk, a closed pipe) is not a success.
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "zembrati: the output could not be written\n";
    return exitCode == zembrati::cli::kExitSuccess ? zembrati::cli::kExitSystemError : exitCode;
  }
  return exitCode;
}
