// Runs the built command line as a user would and checks what it prints and returns.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <fstream>
#include <nlohmann/json.hpp>
#include <unistd.h>
#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int exitCode;
  std::string out;     // standard output alone: what --json prints, and nothing a runtime may add
  std::string output;  // standard output and standard error together, for the messages
};

CliRun Zembrati(const std::string& arguments) {
  // One file per test process: ctest runs the tests of this file side by side.
  const fs::path errors = fs::temp_directory_path() / ("zembrati_cli_test_stderr_" + std::to_string(getpid()));
  const auto run = zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments, errors.string());
  fs::remove(errors);
  return {run.exitCode, run.out, run.out + run.err};
}

TEST(ZembratiCliTest, SectionReportsTheTabulatedAreaAndWritesItsFiles) {
  const fs::path folder = fs::temp_directory_path() / "zembrati_cli_test";
  fs::create_directories(folder);
  const std::string step = ZEMBRATI_HAVE_STEP ? " --step " + (folder / "a.step").string() : "";
  const CliRun run = Zembrati("section --type HE --dims 190,200,6.5,10,18 --length 1500 --json" + step +
                              " --stl " + (folder / "a.stl").string() + " --svg " + (folder / "a.svg").string());
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto report = nlohmann::json::parse(run.out);
  EXPECT_NEAR(report["area_mm2"].get<double>(), 5383.124, 0.0005);
  EXPECT_NEAR(report["volume_mm3"].get<double>(), 5383.124 * 1500, 1);
  EXPECT_NEAR(report["mass_kg"].get<double>(), 63.386, 0.001);
  EXPECT_EQ(report["bbox_mm"]["max"][1].get<double>(), 95);
  EXPECT_EQ(report["class"], "ProfilHE");
  for (const char* file : {"a.stl", "a.svg"}) EXPECT_GT(fs::file_size(folder / file), 0u) << file;
  if (ZEMBRATI_HAVE_STEP) {
    EXPECT_GT(fs::file_size(folder / "a.step"), 0u);
  }
  fs::remove_all(folder);
}

TEST(ZembratiCliTest, SquareTypesTakeTheirSideOnceAndTypesGoByCodeToo) {
  const CliRun run = Zembrati("section --type 12 --dims 20 --length 100 --json");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(nlohmann::json::parse(run.out)["area_mm2"].get<double>(), 400);
  const CliRun text = Zembrati("section --type quadcavo --dims 40,4 --length 1000");
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_NE(text.output.find("section area"), std::string::npos);
}

TEST(ZembratiCliTest, MistakesGetAClearMessageAndTheirExitCode) {
  const CliRun wrongCount = Zembrati("section --type HE --dims 190,200 --length 1500");
  EXPECT_EQ(wrongCount.exitCode, 2);
  EXPECT_NE(wrongCount.output.find("HE takes 5 dimensions (h,b,tw,tf,r), not 2"), std::string::npos);
  const CliRun notANumber = Zembrati("section --type HE --dims 190,2oo,6.5,10,18 --length 1500");
  EXPECT_EQ(notANumber.exitCode, 2);
  EXPECT_NE(notANumber.output.find("\"2oo\" is not a number"), std::string::npos);
  EXPECT_EQ(Zembrati("section --type HEB --dims 1 --length 1").exitCode, 2);
  EXPECT_EQ(Zembrati("section --dims 1 --length 1").exitCode, 2);
  EXPECT_EQ(Zembrati("").exitCode, 2);

  const CliRun tooLarge = Zembrati("section --type HE --dims 190,200,6.5,10,180 --length 1500");
  EXPECT_EQ(tooLarge.exitCode, 1);
  EXPECT_NE(tooLarge.output.find("too large"), std::string::npos);
  const CliRun noLength = Zembrati("section --type TUBO --dims 60.3,4 --length 0");
  EXPECT_EQ(noLength.exitCode, 2);
  EXPECT_NE(noLength.output.find("--length"), std::string::npos);
  const CliRun solidTube = Zembrati("section --type TUBO --dims 60.3,40 --length 10");
  EXPECT_EQ(solidTube.exitCode, 1);
  EXPECT_NE(solidTube.output.find("radius"), std::string::npos);
}

TEST(ZembratiCliTest, HelpSaysWhatACommandDoesWithAnExample) {
  const CliRun help = Zembrati("section --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("Example:"), std::string::npos);
  EXPECT_NE(help.output.find("--dims"), std::string::npos);
  EXPECT_EQ(Zembrati("--help").exitCode, 0);
}

}  // namespace

namespace {

// Two different sections never share a name or a part number within a family: the name is the
// name format with the designation, size and wall; the part number the size's, with the wall
// picked in place of "{t}". (A sharp-cornered T and the rounded T of the same designation and
// size are one product drawn two ways: they may share a part number.)
TEST(ZembratiCatalogueTest, NamesAndPartNumbersTellEverySectionOfAFamilyApart) {
  const CliRun run = Zembrati("catalogue list --json");
  ASSERT_EQ(run.exitCode, 0);
  const auto list = nlohmann::json::parse(run.out);
  for (const auto& family : list["families"]) {
    std::map<std::string, std::string> names;
    std::map<std::string, std::pair<std::string, std::string>> partNumbers;  // to product and where
    std::size_t sections = 0;
    for (const auto& type : family["types"]) {
      for (const auto& standard : type["standards"]) {
        const std::string format = standard["name_format"], designation = standard["designation"];
        for (const auto& size : standard["sizes"]) {
          std::vector<std::string> walls{""};
          if (size.contains("thicknesses_mm") && !size["thicknesses_mm"].empty()) walls = size["thicknesses_mm"];
          for (const std::string& wall : walls) {
            std::string name;
            for (const char c : format) {
              if (c == 'D') name += designation;
              else if (c == 'C') name += size["name"].get<std::string>();
              else if (c == 'S') name += wall;
              else if (c == 'N') name += standard["name"].get<std::string>();
              else if (c != 'L' && c != 'M') name += c;
            }
            const std::string where = standard["name"].get<std::string>() + " " + size["name"].get<std::string>() + " " + wall;
            EXPECT_TRUE(names.emplace(name, where).second) << family["name"] << ": \"" << name << "\" names " << where
                                                            << " and " << names[name];
            std::string number = size["part_number"];
            if (const std::size_t at = number.find("{t}"); at != std::string::npos) number.replace(at, 3, wall);
            const std::string product = designation + " " + size["name"].get<std::string>() + " " + wall;
            const auto [known, added] = partNumbers.emplace(number, std::pair{product, where});
            EXPECT_TRUE(added || known->second.first == product)
                << family["name"] << ": part number " << number << " of " << where << " and " << known->second.second;
            ++sections;
          }
        }
      }
    }
    EXPECT_GT(sections, 100u) << family["name"];
  }
}

TEST(ZembratiCatalogueTest, TheShippedCatalogueChecksWithoutAProblem) {
  const CliRun run = Zembrati("catalogue check");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("Checked 4 families"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("no problems"), std::string::npos) << run.output;
}

// Shipped sizes of every family against the mill tables, as the catalogue list reports them:
// areas within 1 %, and second moments in the tables' axes (an angle stands on its long leg, a
// rectangular hollow section on its short side).
TEST(ZembratiCatalogueTest, ShippedSizesHaveTheirPublishedAreasAndMoments) {
  const CliRun run = Zembrati("catalogue list --json");
  ASSERT_EQ(run.exitCode, 0);
  const auto list = nlohmann::json::parse(run.out);
  const auto section = [&](const std::string& family, const std::string& standard, const std::string& size) {
    for (const auto& f : list["families"]) {
      if (f["name"] != family) continue;
      for (const auto& type : f["types"]) {
        for (const auto& s : type["standards"]) {
          if (s["name"] != standard) continue;
          for (const auto& z : s["sizes"]) {
            if (z["name"] == size) return z.contains("sections") ? z["sections"][0] : z["section"];
          }
        }
      }
    }
    ADD_FAILURE() << family << " " << standard << " " << size << " is not in the catalogue";
    return nlohmann::json::object({{"area_mm2", 0}, {"Iy_mm4", 0}, {"Iz_mm4", 0}});
  };
  const auto expectNear = [](const nlohmann::json& value, double published, const std::string& what) {
    EXPECT_NEAR(value.get<double>(), published, 0.01 * published) << what;
  };
  const double inch2 = 25.4 * 25.4, cm2 = 100, cm4 = 1e4;
  expectNear(section("EN", "IPE", "200")["area_mm2"], 28.5 * cm2, "IPE 200");
  expectNear(section("BS", "UB", "305x165x40")["area_mm2"], 51.3 * cm2, "UB 305x165x40");
  expectNear(section("US", "W", "310x38.7 (W12x26)")["area_mm2"], 7.65 * inch2, "W12x26");
  expectNear(section("US", "HSS rectangular", "152.4x101.6x6.4 (HSS6x4x.250)")["area_mm2"], 4.30 * inch2, "HSS6x4x1/4");
  const auto angle = section("EN", "L unequal legs", "100x50x8");
  expectNear(angle["Iy_mm4"], 116 * cm4, "L 100x50x8 Iy");
  expectNear(angle["Iz_mm4"], 19.7 * cm4, "L 100x50x8 Iz");
  const auto hss = section("US", "HSS rectangular", "152.4x101.6x6.4 (HSS6x4x.250)");
  expectNear(hss["Iy_mm4"], 20.9 * inch2 * inch2, "HSS6x4x1/4 Ix");  // AISC's x axis is the tables' y
  expectNear(hss["Iz_mm4"], 11.1 * inch2 * inch2, "HSS6x4x1/4 Iy");
}

TEST(ZembratiCatalogueTest, ListShowsEveryFamilyWithItsTypes) {
  const CliRun run = Zembrati("catalogue list --json");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto list = nlohmann::json::parse(run.out);
  ASSERT_EQ(list["families"].size(), 4u);
  // EN and DIN offer every type; the British and American families no tees and no bars.
  const std::vector<std::vector<int>> offered{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                              {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                              {1, 3, 4, 7, 8, 9},
                                              {1, 2, 3, 4, 7, 8, 9}};
  for (std::size_t f = 0; f < 4; ++f) {
    const auto& family = list["families"][f];
    ASSERT_EQ(family["types"].size(), 12u);
    std::vector<int> withStandards;
    for (const auto& type : family["types"]) {
      if (!type["standards"].empty()) withStandards.push_back(type["code"].get<int>());
    }
    EXPECT_EQ(withStandards, offered[f]) << family["name"];
  }
  const auto& hea = list["families"][0]["types"][0]["standards"][0];
  EXPECT_EQ(hea["designation"], "HEA");
  const auto& hea200 = hea["sizes"][5];
  EXPECT_EQ(hea200["name"], "200");
  EXPECT_EQ(hea200["dimensions_mm"]["h"], 190);
  EXPECT_EQ(hea200["dimensions_mm"]["r"], 18);
  EXPECT_EQ(hea200["part_number"], "HEA200");
}

TEST(ZembratiCatalogueTest, CheckReportsProblemsWithTheirFileAndLine) {
  const fs::path folder = fs::temp_directory_path() / "zembrati_catalogue_check";
  fs::remove_all(folder);
  fs::create_directories(folder / "tables");
  std::ofstream(folder / "standards.ini", std::ios::binary)
      << "[1]\r\n\"he.tab\" \"HE\" \"test\" \"HE\" \"steel.mat\" \"D C x L\"\r\n[2]\r\n"
      << "\"missing.tab\" \"IPN\" \"test\" \"IPN\" \"steel.mat\" \"D C\"\r\n[END]\r\n";
  std::ofstream(folder / "tables" / "he.tab", std::ios::binary)
      << "# sizes\r\n100|96|0|100|5|8|12|p|\r\n200|190|0|100|150|10|18|p|\r\n300|290|0|300|\r\n"
      << "400|390|0|300|11|19|27|HE400|\r\n500|490|0|300|12|23|27|HE500|\r\n400|390|0|300|11,5|19|27|HE400|\r\n"
      << "600|590|0|300|13|25|27|HE600|\r\n";
  std::ofstream(folder / "tables" / "steel.mat", std::ios::binary) << "S235JR\r\nSt\xC3\xA4hl\r\n";  // UTF-8 "ä"
  const CliRun run = Zembrati("catalogue check " + folder.string());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("he.tab:3: HE 200: the web (150) is not narrower than the flange (100)"),
            std::string::npos) << run.output;
  EXPECT_NE(run.output.find("he.tab:4: HE 300: needs 6 numeric fields, has 2"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("missing.tab"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("HE 100:"), std::string::npos) << run.output;  // no problem with it
  EXPECT_NE(run.output.find("he.tab:7: HE 400: listed twice (first on line 5)"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("he.tab:7: HE 400: the field \"11,5\" has a decimal comma and reads as 11"),
            std::string::npos) << run.output;
  EXPECT_NE(run.output.find("steel.mat:2: the line looks like UTF-8"), std::string::npos) << run.output;
  // Every size's mass per metre, beside its file and line: HE 100 here weighs 7.85e-3 kg/m per mm².
  const CliRun masses = Zembrati("catalogue check --masses " + folder.string());
  const double area = 2 * 100 * 8 + (96 - 16) * 5 + (4 - 3.141592653589793) * 12 * 12;
  std::ostringstream mass;
  mass << "he.tab:2: HE 100: " << std::round(area * 7.85e-3 * 100) / 100 << " kg/m";
  EXPECT_NE(masses.output.find(mass.str()), std::string::npos) << mass.str() << "\n" << masses.output;
  fs::remove_all(folder);
}

}  // namespace
