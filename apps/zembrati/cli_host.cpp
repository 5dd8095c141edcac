#include "cli_host.h"

#include "catalogue/configuration.h"
#include "cli_support.h"
#include "runtime/runtime_error.h"

namespace zembrati::cli {
namespace {
std::string programPath;
}  // namespace

void SetProgramPath(const std::string& path) { programPath = path; }

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
  return settings;
}

}  // namespace zembrati::cli
