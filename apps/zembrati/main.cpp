// zembrati: the command line over the built-in host.
#include <CLI/CLI.hpp>
#include <iostream>

#include "catalogue_command.h"
#include "cli_host.h"
#include "cli_support.h"
#include "part_commands.h"
#include "section_command.h"

int main(int argc, char** argv) {
  CLI::App app{"zembrati: standard structural steel sections as solid parts, on a built-in CAD host."};
  app.require_subcommand(1);
  int exitCode = zembrati::cli::kExitSuccess;
  zembrati::cli::SetProgramPath(argc > 0 ? argv[0] : "");
  zembrati::cli::AddSectionCommand(app, exitCode);
  zembrati::cli::AddCatalogueCommand(app, exitCode);
  zembrati::cli::AddPartCommands(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return zembrati::cli::kExitUsage;
  } catch (const zembrati::cli::UsageError& error) {
    std::cerr << "zembrati: " << error.what() << "\nRun with --help for usage.\n";
    return zembrati::cli::kExitUsage;
  }
  return exitCode;
}
