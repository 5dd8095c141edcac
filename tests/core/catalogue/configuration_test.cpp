#include "catalogue/configuration.h"

#include <gtest/gtest.h>

#include "catalogue/string_table.h"
#include "host/session_state.h"
#include "support/fake_registry.h"

namespace zembrati::catalogue {
namespace {

class ConfigurationTest : public ::testing::Test {
 protected:
  void SetUp() override { host::Session() = host::SessionState{}; }
  void TearDown() override { host::Session() = host::SessionState{}; }
  testing::FakeRegistry registry_;
};

TEST_F(ConfigurationTest, FamiliesEndAtTheFirstMissingName) {
  registry_.SetCatalogue("Norme#0", "A");
  registry_.SetCatalogue("Norme#1", "B");
  registry_.SetCatalogue("Norme#3", "D");
  EXPECT_EQ(EnumerateFamilies(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(registry_.readersCreated, 3);  // a fresh reader for every value
}

TEST_F(ConfigurationTest, PathsAreJoinedAsTheyStand) {
  registry_.SetProduct("ApplDir", "C:\\App\\");
  registry_.SetCatalogue("Norme Dir#1", "Fam1\\");
  registry_.SetCatalogue("Data#0", "Tab\\");
  registry_.SetCatalogue("File INI#0", "list.ini");
  registry_.SetCatalogue("File Prefs", "p.txt");
  host::Session().NormTab = 1;
  LoadTypePaths(0);
  const host::SessionState& session = host::Session();
  EXPECT_EQ(session.NormeDir, "C:\\App\\Fam1\\");
  EXPECT_EQ(session.DataDir, "C:\\App\\Fam1\\Tab\\");
  EXPECT_EQ(session.IniFile, "list.ini");
  EXPECT_EQ(session.PrefsFile, "C:\\App\\p.txt");
}

TEST_F(ConfigurationTest, MissingValuesReadAsEmptyTexts) {
  registry_.SetCatalogue("Norme Dir#0", "fam/");
  LoadTypePaths(0);
  EXPECT_EQ(host::Session().NormeDir, "fam/");
  EXPECT_EQ(host::Session().DataDir, "fam/");
  EXPECT_EQ(host::Session().IniFile, "");
  EXPECT_EQ(host::Session().PrefsFile, "");
}

TEST_F(ConfigurationTest, LanguageIsFoundByContainedWordsCaseSensitively) {
  const std::pair<const char*, std::int16_t> cases[] = {
      {"German (DE)", 3000}, {"german", 2000},         {"English/Italian", 1000}, {"Italian", 1000},
      {"English", 2000},     {"Deutsch", 2000},        {"", 2000},               {"Swiss German", 3000},
  };
  for (const auto& [language, base] : cases) {
    registry_.SetProduct("Language", language);
    std::int16_t found = 0;
    GetLanguageBase(found);
    EXPECT_EQ(found, base) << language;
  }
}

TEST(StringTableTest, ThirtyEntriesInThreeLanguages) {
  EXPECT_EQ(LoadString(1000), "VantREX");
  EXPECT_EQ(LoadString(1001), "Normativa");
  EXPECT_EQ(LoadString(1002), "Misura");
  EXPECT_EQ(LoadString(1005), "Lunghezza");
  EXPECT_EQ(LoadString(1007), "Annulla");
  EXPECT_EQ(LoadString(1008), "Misure");
  EXPECT_EQ(LoadString(2002), "Type");
  EXPECT_EQ(LoadString(2003), "Thickness");
  EXPECT_EQ(LoadString(2008), "Dimensions");
  EXPECT_EQ(LoadString(3003), "Breite");
  EXPECT_EQ(LoadString(3004), "Mat.");
  EXPECT_EQ(LoadString(3005), "L\xC3\xA4nge");
  EXPECT_EQ(LoadString(3007), "Abbrechen");
  EXPECT_EQ(LoadString(3008), "Dimensions");
  const std::string units = "This tool was designed to be used with scene units of millimeters.";
  EXPECT_EQ(LoadString(1009), units);
  EXPECT_EQ(LoadString(2009), units);
  EXPECT_EQ(LoadString(3009), units);
  for (const int base : {1000, 2000, 3000}) EXPECT_EQ(LoadString(base + 6), "OK");
  EXPECT_EQ(LoadString(4000), "");
  EXPECT_EQ(LoadString(1010), "");
}

}  // namespace
}  // namespace zembrati::catalogue
