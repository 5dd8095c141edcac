#include "settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "scene_error.h"

namespace zembrati::scene {
namespace fs = std::filesystem;
namespace {

// Registry names match without regard to ASCII case (the names are ASCII; bytes beyond it are
// compared as they are, whatever the C library's locale).
std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Expanded(std::string value, const std::string& settingsDir) {
  const std::pair<std::string, std::string> variables[] = {{"${SETTINGS_DIR}", settingsDir}};
  for (const auto& [name, replacement] : variables) {
    for (auto at = value.find(name); at != std::string::npos; at = value.find(name, at)) {
      value.replace(at, name.size(), replacement);
      at += replacement.size();
    }
  }
  const std::string config = "${CONFIG_DIR}";
  if (const auto at = value.find(config); at != std::string::npos) {
    const std::string folder = Settings::ConfigDirectory();
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    value.replace(at, config.size(), folder);
  }
  return value;
}

}  // namespace

Settings Settings::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) RaiseSceneError(scene_error::kBadDocument, "Cannot read the settings file " + path);
  const std::string settingsDir = fs::absolute(fs::path(path)).parent_path().generic_string();
  Settings settings;
  std::string key;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const std::string text = Trimmed(line);
    if (text.empty() || text[0] == ';' || text[0] == '#') continue;
    if (text.front() == '[' && text.back() == ']') {
      key = text.substr(1, text.size() - 2);
      continue;
    }
    const auto equals = text.find('=');
    if (equals == std::string::npos || key.empty()) {
      RaiseSceneError(scene_error::kBadDocument, path + ", line " + std::to_string(number) +
                                                     ": expected [key] or name=value");
    }
    settings.Set(key, Trimmed(text.substr(0, equals)),
                 Expanded(Trimmed(text.substr(equals + 1)), settingsDir));
  }
  return settings;
}

std::string Settings::Get(const std::string& key, const std::string& valueName) const {
  const auto found = values_.find({Folded(key), Folded(valueName)});
  return found == values_.end() ? std::string() : found->second;
}

void Settings::Set(const std::string& key, const std::string& valueName, const std::string& value) {
  values_[{Folded(key), Folded(valueName)}] = value;
}

std::string Settings::FindDefaultFile(const std::string& programPath) {
  std::vector<fs::path> candidates;
  std::error_code ignored;
  if (!programPath.empty()) {
    const fs::path program = fs::weakly_canonical(fs::absolute(programPath), ignored);
    candidates.push_back(program.parent_path().parent_path() / "share/zembrati/settings/zembrati.ini");
  }
#ifdef ZEMBRATI_SOURCE_DATA_DIR
  candidates.push_back(fs::path(ZEMBRATI_SOURCE_DATA_DIR) / "settings/zembrati.ini");
#endif
  for (const fs::path& candidate : candidates) {
    if (fs::is_regular_file(candidate, ignored)) return candidate.generic_string();
  }
  return {};
}

std::string Settings::ConfigDirectory() {
#ifdef _WIN32
  if (const char* appData = std::getenv("APPDATA")) return std::string(appData) + "\\zembrati";
#endif
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    return std::string(xdg) + "/zembrati";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::string(home) + "/.config/zembrati";
  }
  return (fs::temp_directory_path() / "zembrati").generic_string();
}

}  // namespace zembrati::scene
