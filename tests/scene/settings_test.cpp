#include "settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scene_error.h"
#include "support/error_number.h"

namespace zembrati::scene {
namespace {

namespace fs = std::filesystem;

TEST(SettingsTest, TheShippedDefaultsPointAtTheShippedCatalogueAndAWritablePreferencesFile) {
  const std::string path = Settings::FindDefaultFile("");
  ASSERT_FALSE(path.empty());
  const Settings settings = Settings::Load(path);
  const std::string key = "SOFTWARE\\Morvantec\\Vantrex\\Profil";
  EXPECT_EQ(settings.Get("SOFTWARE\\Morvantec\\Vantrex", "ApplDir"), "");
  EXPECT_EQ(settings.Get(key, "Norme#0"), "EN");
  const fs::path family = settings.Get(key, "Norme Dir#0");
  EXPECT_TRUE(family.is_absolute());
  EXPECT_EQ(fs::weakly_canonical(family.parent_path().parent_path()),
            fs::weakly_canonical(fs::path(path).parent_path().parent_path() / "catalogue"));
  const fs::path prefs = settings.Get(key, "File Prefs");
  EXPECT_EQ(prefs.parent_path(), fs::path(Settings::ConfigDirectory()));
  EXPECT_TRUE(fs::is_directory(prefs.parent_path()));
}

TEST(SettingsTest, NamesMatchWithoutCaseAndBadLinesAreReported) {
  const fs::path file = fs::temp_directory_path() / "zembrati_settings_test.ini";
  std::ofstream(file) << "; comment\n[Key\\Sub]\nName = value with = sign \n\n[Other]\nbroken line\n";
  try {
    Settings::Load(file.string());
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), scene_error::kBadDocument);
    EXPECT_NE(e.description().find("line 6"), std::string::npos);
  }
  std::ofstream(file) << "[Key\\Sub]\nName = value with = sign \n";
  const Settings settings = Settings::Load(file.string());
  EXPECT_EQ(settings.Get("key\\SUB", "name"), "value with = sign");
  EXPECT_EQ(settings.Get("Key\\Sub", "Missing"), "");
  fs::remove(file);
}

}  // namespace
}  // namespace zembrati::scene
