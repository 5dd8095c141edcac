#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "settings.h"

namespace zembrati::cli {

// The options every command that reads the catalogue shares.
struct SettingsOptions {
  std::string settingsFile;  // empty: the default settings found beside the program
  std::string language;      // it, en, de: overrides the "Language" value
  std::string prefsFile;     // overrides where the dialog keeps its preferences
};

void AddSettingsOptions(CLI::App& command, SettingsOptions& options);

// The settings the command runs with; raises UsageError when none can be found or read.
scene::Settings LoadSettings(const SettingsOptions& options);

// The path this program was started from, for finding its default settings.
void SetProgramPath(const std::string& path);

}  // namespace zembrati::cli
