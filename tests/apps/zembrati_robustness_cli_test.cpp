// The command line given what users and damaged files give it: every command ends with a message
// and exit code 1 or 2 (never a signal), and a command that fails leaves every file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

using zembrati::testing::CliRun;

class ZembratiRobustnessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zembrati_robustness_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, ignored);
    fs::remove_all(folder_);
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::string Scene() const { return Path("scene.json"); }
  std::string Prefs() const { return Path("prefs.txt"); }

  CliRun Run(const std::string& arguments) const {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments, Path("stderr.txt"));
  }

  CliRun Drop(const std::string& choices, const std::string& scene = "") const {
    return Run("drop --scene " + (scene.empty() ? Scene() : scene) + " --prefs " + Prefs() + " " + choices);
  }

  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // A scene holding one HEA 200 x 1500, and the preferences its drop left.
  void MakeScene() const {
    const CliRun run = Drop("--type HE --standard HEA --size 200 --length 1500");
    ASSERT_EQ(run.exitCode, 0) << run.err;
  }

  fs::path folder_;
};

// Lengths the dialog would read as something else, or as nothing, are refused before the scene
// is touched: a new scene is not written, an existing one and the preferences keep their bytes.
TEST_F(ZembratiRobustnessTest, BadLengthsAreRefusedAndNothingIsWritten) {
  for (const std::string length : {"0", "-5", "abc", "inf", "nan", "1,5", "1e309", "2e6", "''", "\"$(printf '15\\r\\n00')\""}) {
    SCOPED_TRACE(length);
    const CliRun run = Drop("--type HE --length " + length);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("--length"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Scene()));
    EXPECT_FALSE(fs::exists(Prefs()));
  }
  MakeScene();
  const std::string scene = Bytes(Scene());
  const std::string prefs = Bytes(Prefs());
  for (const std::string length : {"0", "1,5", "\"$(printf '15\\r\\n00')\""}) {
    EXPECT_EQ(Drop("--type HE --length " + length).exitCode, 2);
    EXPECT_EQ(Run("edit --scene " + Scene() + " --prefs " + Prefs() + " --part 'HEA 200 x 1500' --length " + length).exitCode, 2);
    EXPECT_EQ(Run("set-length --scene " + Scene() + " --part 'HEA 200 x 1500' --length " + length).exitCode, 2);
  }
  EXPECT_EQ(Bytes(Scene()), scene);
  EXPECT_EQ(Bytes(Prefs()), prefs);
}

// A size the host cannot build: the creation fails, and neither the failed part nor anything
// else reaches the scene.
TEST_F(ZembratiRobustnessTest, AFailedCreationAddsNothing) {
  fs::create_directories(folder_ / "family/tables");
  std::ofstream(folder_ / "family/standards.ini") << "[1]\r\n\"he.tab\" \"HE-X\" \"bad\" \"HEX\" \"mat.txt\" \"D C x L\"\r\n[END]\r\n";
  std::ofstream(folder_ / "family/tables/he.tab") << "100|96|0|100|5|8|60|p|\r\n200|190|0|200|6.5|10|18|p|\r\n";
  std::ofstream(folder_ / "family/tables/mat.txt") << "S235\r\n";
  std::ofstream(Path("settings.ini")) << "[SOFTWARE\\Morvantec\\Vantrex\\Profil]\nNorme#0=X\nNorme Dir#0=" << folder_.string()
                                      << "/family/\nData#0=tables/\nFile INI#0=standards.ini\n";
  const std::string settings = " --settings " + Path("settings.ini");
  ASSERT_EQ(Drop("--type HE --size 200" + settings).exitCode, 0);
  const std::string scene = Bytes(Scene());
  const CliRun failed = Drop("--type HE --size 100 --json" + settings);  // its root radius is too large
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_FALSE(Json::parse(failed.out)["messages"].empty());
  EXPECT_EQ(Bytes(Scene()), scene);
  const CliRun edit = Run("edit --scene " + Scene() + settings + " --prefs " + Prefs() + " --part 'HEX 200 x 1500' --size 100");
  EXPECT_EQ(edit.exitCode, 1);
  EXPECT_EQ(Bytes(Scene()), scene);
  EXPECT_FALSE(fs::exists(Path("elsewhere.json")));
  EXPECT_EQ(Drop("--type HE --size 100" + settings, Path("elsewhere.json")).exitCode, 1);
  EXPECT_FALSE(fs::exists(Path("elsewhere.json")));  // a failed drop on a new scene writes none
}

// Mistakes that once ended the process on a signal now end with a message.
TEST_F(ZembratiRobustnessTest, OptionsThatOnceCrashedAreUsageErrors) {
  MakeScene();
  const std::string scene = Bytes(Scene());
  for (const std::string face : {"side 0", "side -1", "side 99", "x", "", "side 1x"}) {
    SCOPED_TRACE(face);
    const CliRun run = Drop("--type HE --on 'HEA 200 x 1500:" + face + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("side 1 to side"), std::string::npos) << run.err;
  }
  EXPECT_EQ(Drop("--type HE --on 'HEA 200 x 1500:side 3'").exitCode, 0);
  const CliRun family = Drop("--family 99999999999999 --type HE");
  EXPECT_EQ(family.exitCode, 2);
  EXPECT_NE(family.err.find("\"EN\", \"DIN\""), std::string::npos) << family.err;
  EXPECT_EQ(Drop("--type 99999999999999").exitCode, 2);
  EXPECT_EQ(Drop("--type HE --at 1e999,0,0").exitCode, 2);
  const std::string longName(5000, 'x');
  for (const std::string& command : {"catalogue check " + longName, "catalogue list " + longName, "show --scene " + longName,
                                    "drop --type HE --scene " + longName + "/scene.json --prefs " + Prefs()}) {
    const CliRun run = Run(command);
    EXPECT_TRUE(run.exitCode == 1 || run.exitCode == 2) << run.exitCode << " " << command.substr(0, 20);
  }
}

TEST_F(ZembratiRobustnessTest, ScenesThatCannotBeReadOrWrittenAreRefusedWithTheReason) {
  // A folder where the scene should be.
  fs::create_directories(Path("folder.json"));
  CliRun run = Drop("--type HE", Path("folder.json"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("is a folder"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("--help"), std::string::npos);

  // A damaged scene: exit 1, what is wrong, as JSON when asked for.
  std::ofstream(Path("damaged.json")) << "{\"format\": \"zembrati-scene\", \"version\": 1e300}";
  run = Run("show --scene " + Path("damaged.json"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("damaged"), std::string::npos) << run.err;
  run = Run("show --json --scene " + Path("damaged.json"));
  EXPECT_EQ(run.exitCode, 1);
  const Json error = Json::parse(run.out);
  EXPECT_FALSE(error["ok"].get<bool>());
  EXPECT_NE(error["error"]["message"].get<std::string>().find("version"), std::string::npos);

  // A scene nested far too deeply is refused at once.
  std::string open, close;
  for (int i = 0; i < 100000; ++i) {
    open += R"({"role":"shape","kind":3,"components":[{"kind":2,"items":[)";
    close += "]}]}";
  }
  std::ofstream(Path("deep.json")) << R"({"format":"zembrati-scene","version":1,"unit":"mm","root":)" << open
                                   << R"({"role":"shape","kind":3})" << close << "}";
  run = Run("show --scene " + Path("deep.json"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("nests deeper"), std::string::npos);

  // Something that is not a file is not read for ever.
  run = Run("show --scene /dev/zero");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("not a file"), std::string::npos) << run.err;

  // A read-only scene is refused before the dialog, not replaced: content, mode and the
  // preferences stay.
  MakeScene();
  const std::string scene = Bytes(Scene());
  const std::string prefs = Bytes(Prefs());
  fs::permissions(Scene(), fs::perms::owner_read | fs::perms::group_read);
  run = Drop("--type HE --size 300");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("read-only"), std::string::npos) << run.err;
  EXPECT_EQ(Bytes(Scene()), scene);
  EXPECT_EQ(fs::status(Scene()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(Bytes(Prefs()), prefs);
  run = Run("set-length --scene " + Scene() + " --part 'HEA 200 x 1500' --length 900");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Bytes(Scene()), scene);
  fs::permissions(Scene(), fs::perms::owner_read | fs::perms::owner_write);
}

// A placement at infinity never reaches the modeller, and an export never overwrites its scene.
TEST_F(ZembratiRobustnessTest, ExportsRefuseTheirOwnSceneAndUnreadablePlacements) {
  MakeScene();
  const std::string scene = Bytes(Scene());
  for (const std::string option : {"--step", "--stl", "--svg"}) {
    const CliRun run = Run("export --scene " + Scene() + " --part 'HEA 200 x 1500' " + option + " " + Scene());
    EXPECT_EQ(run.exitCode, 2) << option;
    EXPECT_NE(run.err.find("scene file itself"), std::string::npos) << run.err;
  }
  EXPECT_EQ(Run("export --scene " + Scene() + " --step " + folder_.string() + "/./scene.json").exitCode, 2);
  EXPECT_EQ(Bytes(Scene()), scene);

  Json json = Json::parse(scene);
  json["root"]["components"][0]["items"][0]["shapes"][0]["placement"][1] = "Inf";  // the part's own
  std::ofstream(Path("infinite.json")) << json.dump(2);
  const CliRun run = Run("export --scene " + Path("infinite.json") + " --step " + Path("out.step"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(fs::exists(Path("out.step")));
}

// Drops into one scene at the same moment take turns: no part is lost.
TEST_F(ZembratiRobustnessTest, ConcurrentDropsIntoOneSceneLoseNoPart) {
  constexpr int kDrops = 6;
  std::vector<std::thread> drops;
  std::vector<int> exitCodes(kDrops, -2);
  for (int i = 0; i < kDrops; ++i) {
    drops.emplace_back([&, i] {
      exitCodes[static_cast<std::size_t>(i)] =
          zembrati::testing::RunCommand(std::string(ZEMBRATI_CLI) + " drop --scene " + Scene() + " --prefs " +
                                        Path("prefs" + std::to_string(i) + ".txt") + " --type HE --length " +
                                        std::to_string(1000 + i) + " > /dev/null 2>&1")
              .exitCode;
    });
  }
  for (std::thread& drop : drops) drop.join();
  for (const int code : exitCodes) EXPECT_EQ(code, 0);
  const CliRun show = Run("show --json --scene " + Scene());
  ASSERT_EQ(show.exitCode, 0);
  EXPECT_EQ(Json::parse(show.out)["parts"].size(), static_cast<std::size_t>(kDrops));
  for (const auto& entry : fs::directory_iterator(folder_)) {
    EXPECT_EQ(entry.path().string().find(".tmp~"), std::string::npos) << entry.path();
  }
}

}  // namespace
