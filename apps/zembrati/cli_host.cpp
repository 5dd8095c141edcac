#include "cli_host.h"

#include <filesystem>
#include <system_error>

#include "catalogue/configuration.h"
#include "cli_support.h"
#include "runtime/runtime_error.h"

namespace zembrati::cli {
namespace fs = std::filesystem;
namespace {
std::string programPath;

// Started through PATH, the program's argv[0] is its bare name: where the running file lies is
// asked of the system instead, so an installed program finds the settings installed beside it.
std::string RunningProgram(const std::string& argv0) {
  std::error_code error;
  const fs::path running = fs::read_symlink("/proc/self/exe", error);
  return error ? argv0 : running.string();
}

// Every family the settings name must have its folder: a missing one is named here, with the
// setting that names it, rather than met later as one "Path not found" per type.
void CheckFamilyFolders(const scene::Settings& settings, const std::string& path) {
  const std::string applDir = settings.Get(catalogue::kProductKey, "ApplDir");
  for (int n = 0;; ++n) {
    const std::string number = std::to_string(n);
    if (settings.Get(catalogue::kCatalogueKey, "Norme#" + number).empty()) return;
    const std::string setting = "Norme Dir#" + number;
    const std::string folder = applDir + settings.Get(catalogue::kCatalogueKey, setting);
    std::error_code error;
    if (fs::is_directory(fs::path(folder), error)) continue;
    throw CommandFailure("the catalogue folder " + folder + " does not exist (\"" + setting +
                         "\" in the settings file " + path +
                         "): install the catalogue there or mend the setting");
  }
}

}  // namespace

void SetProgramPath(const std::string& path) { programPath = RunningProgram(path); }

void AddSettingsOptions(CLI::App& command, SettingsOptions& options) {
  command.add_option("--settings", options.settingsFile,
                     "Settings file standing in for the registry (default: the shipped zembrati.ini)");
  command.add_option("--lang", options.language, "Language of the texts: it, en or de")
      ->check(CLI::IsMember({"it", "en", "de"}));
  command.add_option("--prefs", options.prefsFile, "Preferences file of the dialog (default: from the settings)");
}

scene::Settings LoadSettings(const SettingsOptions& options) {
  const std::string path =
      options.settingsFile.empty() ? scene::Settings::FindDefaultFile(programPath) : options.settingsFile;
  if (path.empty()) throw UsageError("no settings file found; give one with --settings");
  scene::Settings settings;
  try {
    settings = scene::Settings::Load(path);
  } catch (const runtime::RuntimeError& error) {
    throw UsageError(error.description());
  }
  if (!options.prefsFile.empty()) {
    settings.Set(catalogue::kProductKey, "ApplDir", "");
    settings.Set(catalogue::kCatalogueKey, "File Prefs", options.prefsFile);
  }
  if (options.language == "it") settings.Set(catalogue::kProductKey, "Language", "Italian");
  if (options.language == "en") settings.Set(catalogue::kProductKey, "Language", "English");
  if (options.language == "de") settings.Set(catalogue::kProductKey, "Language", "German");
  CheckFamilyFolders(settings, path);
  return settings;
}

}  // namespace zembrati::cli
