#include "deferred_preferences.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <random>

#include "catalogue/configuration.h"
#include "file_output.h"
#include "runtime/file_replacement.h"
#include "runtime/paths.h"

namespace zembrati::cli {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::optional<std::string> Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder of the scratch copy's own: in memory (/dev/shm) where there is one, so that the
// flush after each member's write costs nothing, else the temporary folder.
fs::path NewScratchFolder() {
  std::error_code error;
  fs::path base = "/dev/shm";
  if (!fs::is_directory(base, error)) base = fs::temp_directory_path(error);
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path folder = base / ("zembrati-frame-" + std::to_string(random()));
    if (fs::create_directory(folder, error)) return folder;
  }
  return {};
}

// The settings name the preferences file as the program folder ("ApplDir") followed by "File
// Prefs": the scratch copy is named the same way, relative to that folder when there is one.
std::string SettingFor(const fs::path& scratch, const std::string& programFolder) {
  if (programFolder.empty()) return Utf8(scratch);
  std::error_code error;
  const fs::path relative = fs::relative(scratch, runtime::PathFromUtf8(programFolder), error);
  return error || relative.empty() ? std::string() : Utf8(relative);
}

}  // namespace

DeferredPreferences::DeferredPreferences(SceneSession& session) : session_(session) {
  scene::Settings& settings = session_.host().settings();
  const std::string programFolder = settings.Get(catalogue::kProductKey, "ApplDir");
  settingValue_ = settings.Get(catalogue::kCatalogueKey, "File Prefs");
  preferences_ = programFolder + settingValue_;
  try {
    scene::CheckCanReplace(preferences_, "preferences file");
  } catch (const runtime::RuntimeError&) {
    return;  // written member by member, its failure reported as the dialog reports it
  }
  scratchFolder_ = NewScratchFolder();
  if (scratchFolder_.empty()) return;
  const fs::path scratch = scratchFolder_ / "preferences.txt";
  const std::string setting = SettingFor(scratch, programFolder);
  const std::optional<std::string> before = Content(runtime::PathFromUtf8(preferences_));
  if (setting.empty() || (before && !(std::ofstream(scratch, std::ios::binary) << *before))) {
    std::error_code ignored;
    fs::remove_all(scratchFolder_, ignored);
    scratchFolder_.clear();
    return;
  }
  settings.Set(catalogue::kCatalogueKey, "File Prefs", setting);
}

void DeferredPreferences::Keep() {
  if (scratchFolder_.empty()) return;
  const std::optional<std::string> last = Content(scratchFolder_ / "preferences.txt");
  if (!last || Content(runtime::PathFromUtf8(preferences_)) == last) return;
  try {
    runtime::ReplaceFileContent(preferences_, *last);
  } catch (const runtime::RuntimeError& error) {
    std::cerr << "zembrati: the preferences file " << preferences_ << " could not be written (" << error.description()
              << "); the scene was saved\n";
  }
}

DeferredPreferences::~DeferredPreferences() {
  if (scratchFolder_.empty()) return;
  session_.host().settings().Set(catalogue::kCatalogueKey, "File Prefs", settingValue_);
  std::error_code ignored;
  fs::remove_all(scratchFolder_, ignored);
}

}  // namespace zembrati::cli
