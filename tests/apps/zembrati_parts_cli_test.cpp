// The part commands run as a user runs them, on the shipped catalogue.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

using zembrati::testing::CliRun;

class ZembratiPartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zembrati_parts_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Scene() const { return (folder_ / "scene.json").string(); }

  // Runs zembrati with a scene and preferences of this test's own.
  CliRun Run(const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(
        std::string(ZEMBRATI_CLI) + " " + arguments + " --prefs " + (folder_ / "prefs.txt").string(),
        (folder_ / "stderr.txt").string());
  }

  Json RunJson(const std::string& arguments) {
    const CliRun run = Run(arguments + " --json");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    return Json::parse(run.out);
  }

  std::string SceneText() const {
    std::ifstream in(Scene(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path folder_;
};

TEST_F(ZembratiPartsTest, EveryTypeDropsFromTheShippedCatalogue) {
  const std::vector<std::pair<std::string, std::string>> drops = {
      {"HE", "--standard HEB --size 300"},       {"IPN", "--size 200"},
      {"UPN", "--size 100"},                      {"L", "--standard \"L unequal legs\" --size 100x50x8"},
      {"T", "--size 50x50x6"},                    {"TARR", "--size 60x60x7"},
      {"TUBO", "--size 60.3 --thickness 4"},      {"RETTCAVO", "--size 100x50 --thickness 5"},
      {"QUADCAVO", "--size 100 --thickness 5"},   {"PIATTO", "--size 100 --thickness 10"},
      {"TONDO", "--size 20"},                     {"QUADRO", "--size 20"},
  };
  for (const auto& [type, choices] : drops) {
    const Json result = RunJson("drop --scene " + Scene() + " --type " + type + " " + choices + " --length 1000");
    ASSERT_EQ(result["parts"].size(), 1u) << type;
    const Json& part = result["parts"][0];
    EXPECT_GT(part["area_mm2"].get<double>(), 0) << type;
    EXPECT_EQ(part["length_mm"], 1000) << type;
  }
  // The parts are printed one by one as one document would print them: the same text.
  const CliRun printed = Run("show --scene " + Scene() + " --json");
  const nlohmann::ordered_json whole = nlohmann::ordered_json::parse(printed.out);
  EXPECT_EQ(printed.out, whole.dump(2) + "\n");
  // Twelve sections, each worked out once, each part's the same as alone.
  const CliRun text = Run("show --scene " + Scene());
  const CliRun tube = Run("show --scene " + Scene() + " --part \"CFCHS 60.3x4 x 1000\"");
  EXPECT_NE(text.out.find(tube.out), std::string::npos) << tube.out;
  const Json shown = RunJson("show --scene " + Scene());
  ASSERT_EQ(shown["parts"].size(), 12u);
  EXPECT_EQ(shown["parts"][0]["name"], "HEB 300 x 1000");
  EXPECT_EQ(shown["parts"][3]["name"], "L 100x50x8 x 1000");
  EXPECT_EQ(shown["parts"][6]["name"], "CFCHS 60.3x4 x 1000");  // cold formed, EN 10219, listed first
  EXPECT_EQ(shown["parts"][7]["summary"]["part_number"], "CFRHS100x50x5");  // the size has several walls
  EXPECT_EQ(shown["parts"][8]["name"], "CFSHS 100x5 x 1000");
  EXPECT_EQ(shown["parts"][9]["name"], "FL 100x10 x 1000");
  EXPECT_EQ(shown["parts"][10]["class"], "ProfilTondo");
  EXPECT_EQ(shown["parts"][11]["type_code"], 12);
  EXPECT_NEAR(shown["parts"][11]["mass_kg"].get<double>(), 400 * 1000 * 7.85e-6, 1e-9);
  const Json& variables = shown["parts"][0]["part_variables"];
  EXPECT_EQ(variables[0]["type"], "Integer");  // (1, 0) comes first in (kind, index) order
}

TEST_F(ZembratiPartsTest, EditingOnlyTheLengthKeepsTheNameSuffixAndAnUnchangedEditChangesNoByte) {
  RunJson("drop --scene " + Scene() + " --type HE --standard HEA --size 200 --length 1500");
  // A user's own tail on the name, as typed in the host.
  std::string text = SceneText();
  const std::string name = "\"name\":\"HEA 200 x 1500\"";
  text.replace(text.find(name), name.size(), "\"name\":\"HEA 200 x 1500 pos. 4\"");
  std::ofstream(Scene(), std::ios::binary) << text;
  const Json edited = RunJson("edit --scene " + Scene() + " --part \"HEA 200 x 1500 pos. 4\" --length 2000");
  ASSERT_EQ(edited["parts"].size(), 1u);
  EXPECT_EQ(edited["parts"][0]["name"], "HEA 200 x 2000 pos. 4");
  EXPECT_EQ(RunJson("show --scene " + Scene())["parts"].size(), 1u);

  const std::string before = SceneText();
  const Json unchanged = RunJson("edit --scene " + Scene() + " --part \"HEA 200 x 2000 pos. 4\"");
  EXPECT_TRUE(unchanged["parts"].empty());
  EXPECT_EQ(SceneText(), before);
}

// A scene file laid out otherwise than this system writes it (by hand, or by an earlier version)
// is the same scene: a command that changes nothing leaves its bytes, one that changes it
// writes the scene as this system writes it.
TEST_F(ZembratiPartsTest, ASceneFileLaidOutOtherwiseIsLeftAsItWasUntilTheSceneChanges) {
  RunJson("drop --scene " + Scene() + " --type HE --standard HEA --size 200 --length 1500");
  const std::string canonical = SceneText();
  const std::string pretty = Json::parse(canonical).dump(1) + "\n";
  ASSERT_NE(pretty, canonical);
  std::ofstream(Scene(), std::ios::binary) << pretty;
  EXPECT_EQ(Run("edit --scene " + Scene() + " --part \"HEA 200 x 1500\"").exitCode, 0);
  EXPECT_EQ(SceneText(), pretty);
  EXPECT_EQ(Run("set-length --scene " + Scene() + " --part \"HEA 200 x 1500\" --length 1600").exitCode, 0);
  EXPECT_NE(SceneText(), pretty);
  EXPECT_EQ(Json::parse(SceneText())["format"], Json::parse(canonical)["format"]);
  EXPECT_NE(SceneText().find("1600"), std::string::npos);
  EXPECT_EQ(SceneText().find("\n \""), std::string::npos);  // no longer laid out by hand
}

TEST_F(ZembratiPartsTest, SetLengthCutsToAWholeNumber) {
  RunJson("drop --scene " + Scene() + " --type IPN --size 200 --length 1500");
  const Json result = RunJson("set-length --scene " + Scene() + " --part \"IPN 200 x 1500\" --length 12.9");
  const Json& part = result["parts"][0];
  EXPECT_EQ(part["name"], "IPN 200 x 12");
  EXPECT_EQ(part["length_mm"], 12);
  EXPECT_EQ(part["summary"]["description"], "IPN 200 x 12");
  EXPECT_EQ(part["properties"][2]["value"], "12");
}

TEST_F(ZembratiPartsTest, ASceneInInchesGetsTheUnitsMessageThroughTheHook) {
  const CliRun run = Run("drop --scene " + Scene() + " --units in --at 0,0,0 --type HE --json");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const Json result = Json::parse(run.out);
  EXPECT_TRUE(result["parts"].empty());
  ASSERT_EQ(result["messages"].size(), 1u);
  EXPECT_EQ(result["messages"][0]["text"], "This tool was designed to be used with scene units of millimeters.");
  EXPECT_NE(run.err.find("[VantREX] This tool was designed"), std::string::npos);
}

TEST_F(ZembratiPartsTest, CancelAddsNothing) {
  const Json result = RunJson("drop --scene " + Scene() + " --type HE --cancel");
  EXPECT_TRUE(result["parts"].empty());
  EXPECT_FALSE(fs::exists(Scene()));  // a new scene with nothing in it is not written
}

TEST_F(ZembratiPartsTest, AMissingIndexFileGivesItsMessageAndExit1) {
  const fs::path settings = folder_ / "settings.ini";
  std::ofstream(settings) << "[SOFTWARE\\Morvantec\\Vantrex\\Profil]\nNorme#0=Gone\nNorme Dir#0="
                          << folder_.string() << "/\nData#0=tables/\nFile INI#0=missing.ini\n";
  const CliRun run = Run("drop --scene " + Scene() + " --settings " + settings.string() + " --type HE --json");
  EXPECT_EQ(run.exitCode, 1);
  const Json result = Json::parse(run.out);
  ASSERT_FALSE(result["messages"].empty());
  EXPECT_NE(result["messages"][0]["text"].get<std::string>().find("File INI not found"), std::string::npos);
  EXPECT_EQ(result["messages"][0]["icon"], "exclamation");
}

TEST_F(ZembratiPartsTest, AMissingCatalogueFolderIsNamedAndNothingIsWritten) {
  const fs::path settings = folder_ / "settings.ini";
  const std::string gone = (folder_ / "gone").string() + "/";
  std::ofstream(settings) << "[SOFTWARE\\Morvantec\\Vantrex\\Profil]\nNorme#0=EN\nNorme Dir#0="
                          << ZEMBRATI_DATA_DIR << "/catalogue/en/\nNorme#1=Gone\nNorme Dir#1=" << gone
                          << "\nData#0=tables/\nFile INI#0=standards.ini\n";
  const CliRun run = Run("drop --scene " + Scene() + " --settings " + settings.string() + " --type HE");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("the catalogue folder " + gone + " does not exist (\"Norme Dir#1\" in the settings file " +
                         settings.string()),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(fs::exists(Scene()));
  EXPECT_FALSE(fs::exists(folder_ / "prefs.txt"));
}

// Installed, the program finds the settings and catalogue beside it (PREFIX/bin and
// PREFIX/share/zembrati), also when it is started through PATH by its bare name.
TEST_F(ZembratiPartsTest, AnInstalledProgramStartedThroughPathUsesTheSettingsInstalledBesideIt) {
  const fs::path prefix = folder_ / "usr";
  fs::create_directories(prefix / "bin");
  fs::copy_file(ZEMBRATI_CLI, prefix / "bin/zembrati");
  fs::create_directories(prefix / "share");
  fs::copy(ZEMBRATI_DATA_DIR, prefix / "share/zembrati", fs::copy_options::recursive);
  // German in the installed settings tells them from the source tree's English ones.
  const fs::path ini = prefix / "share/zembrati/settings/zembrati.ini";
  std::ifstream in(ini);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  in.close();
  text.replace(text.find("Language=English"), 16, "Language=German");
  std::ofstream(ini) << text;

  const CliRun run = zembrati::testing::RunCapturingErrors(
      "cd " + folder_.string() + " && PATH=" + (prefix / "bin").string() +
          " zembrati drop --scene scene.json --type QUADRO --size 20 --json --prefs prefs.txt",
      (folder_ / "stderr.txt").string());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Json::parse(run.out)["parts"][0]["properties"][2]["name"], "L\xC3\xA4nge");
}

TEST_F(ZembratiPartsTest, ThreeLanguagesGiveTheirPropertyLabels) {
  const std::vector<std::pair<std::string, std::string>> languages = {
      {"it", "Lunghezza"}, {"en", "Length"}, {"de", "L\xC3\xA4nge"}};
  for (const auto& [language, label] : languages) {
    const Json result = RunJson("drop --scene " + Scene() + " --lang " + language + " --type QUADRO --size 20");
    EXPECT_EQ(result["parts"][0]["properties"][2]["name"], label) << language;
  }
}

TEST_F(ZembratiPartsTest, ExportWritesTheScenesSolids) {
  RunJson("drop --scene " + Scene() + " --type HE --standard HEA --size 200 --length 1500");
  const std::string svg = (folder_ / "hea.svg").string();
  EXPECT_EQ(Run("export --scene " + Scene() + " --svg " + svg + " --stl " + (folder_ / "a.stl").string()).exitCode, 0);
  EXPECT_GT(fs::file_size(svg), 0u);
  EXPECT_EQ(Run("export --scene " + Scene()).exitCode, 2);  // nothing asked for
  EXPECT_EQ(Run("edit --scene " + Scene() + " --part nope").exitCode, 2);
}

}  // namespace
