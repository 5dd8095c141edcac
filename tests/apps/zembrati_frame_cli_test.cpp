// Frames from member lists, members between two points, and the cutting list, run as a user runs
// them on the shipped catalogue.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using zembrati::testing::CliRun;

struct Box {
  std::array<double, 3> low{1e300, 1e300, 1e300}, high{-1e300, -1e300, -1e300};
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The box around every vertex of a binary STL file.
Box BoxOfStl(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string data{std::istreambuf_iterator<char>(in), {}};
  Box box;
  std::uint32_t triangles = 0;
  std::memcpy(&triangles, data.data() + 80, 4);
  for (std::uint32_t t = 0; t < triangles; ++t) {
    for (int v = 0; v < 3; ++v) {
      std::array<float, 3> point;
      std::memcpy(point.data(), data.data() + 84 + t * 50 + 12 + v * 12, 12);
      for (int k = 0; k < 3; ++k) {
        box.low[k] = std::min(box.low[k], double(point[k]));
        box.high[k] = std::max(box.high[k], double(point[k]));
      }
    }
  }
  return box;
}

// A vector turned by the quaternion (w, x, y, z) of a placement's P4..P7.
std::array<double, 3> Turned(const Json& placement, std::array<double, 3> v) {
  const double w = placement[3], x = placement[4], y = placement[5], z = placement[6];
  const std::array<double, 3> u{x, y, z};
  const std::array<double, 3> t{2 * (u[1] * v[2] - u[2] * v[1]), 2 * (u[2] * v[0] - u[0] * v[2]), 2 * (u[0] * v[1] - u[1] * v[0])};
  return {v[0] + w * t[0] + (u[1] * t[2] - u[2] * t[1]), v[1] + w * t[1] + (u[2] * t[0] - u[0] * t[2]),
          v[2] + w * t[2] + (u[0] * t[1] - u[1] * t[0])};
}

class ZembratiFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zembrati_frame_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Scene() const { return (folder_ / "scene.json").string(); }
  std::string Prefs() const { return (folder_ / "prefs.txt").string(); }

  CliRun Run(const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments + " --prefs " + Prefs(),
                                                 (folder_ / "stderr.txt").string());
  }
  Json RunJson(const std::string& arguments) {
    const CliRun run = Run(arguments + " --json");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    return Json::parse(run.out);
  }
  std::string List(const std::string& rows) {
    const fs::path file = folder_ / "members.csv";
    std::ofstream(file, std::ios::binary) << rows;
    return file.string();
  }
  Json Part(const Json& shown, const std::string& name) {
    for (const Json& part : shown["parts"]) {
      if (part["name"] == name) return part;
    }
    ADD_FAILURE() << "no part " << name;
    return Json::object();
  }

  fs::path folder_;
};

constexpr const char* kHeader = "mark,type,standard,size,thickness,material,x1,y1,z1,x2,y2,z2,roll\n";
constexpr const char* kPortal =
    "C1,HE,HEA,240,,S355J2,0,0,0,0,0,5000,0\n"
    "C2,HE,HEA,240,,S355J2,12000,0,0,12000,0,5000,0\n"
    "R1,HE,IPE,300,,S355J2,0,0,5000,6000,0,5600,0\n"
    "R2,HE,IPE,300,,S355J2,12000,0,5000,6000,0,5600,0\n"
    "P1,UPN,UPN,140,,S235JR,0,0,5150,0,6000,5150,0\n"
    "T1,TUBO,CHS EN 10219,60.3,4,S235JRH,0,0,2000,12000,0,2000,0\n";

TEST_F(ZembratiFrameTest, MembersStandBetweenTheirPointsWithTheirMarksLengthsAndData) {
  RunJson("frame --scene " + Scene() + " " + List(std::string(kHeader) + kPortal));
  const Json shown = RunJson("show --scene " + Scene());
  ASSERT_EQ(shown["parts"].size(), 6u);
  const Json column = Part(shown, "HEA 240 x 5000 C1");
  EXPECT_EQ(column["class"], "ProfilHE");
  EXPECT_EQ(column["material"], "S355J2");
  EXPECT_EQ(column["placement"], Json::parse("[0, 0, 0, 1, 0, 0, 0]"));  // vertical: as a drop stands
  const Json rafter = Part(shown, "IPE 300 x 6029.9 R1");
  EXPECT_EQ(rafter["length_mm"], 6029.9);
  const auto axis = Turned(rafter["placement"], {0, 0, 1});
  EXPECT_NEAR(axis[0], 6000 / 6029.925, 1e-6);
  EXPECT_NEAR(axis[2], 600 / 6029.925, 1e-6);
  const auto web = Turned(rafter["placement"], {0, 1, 0});  // the section's y, as near +Z as the slope allows
  EXPECT_NEAR(web[2], 6000 / 6029.925, 1e-6);
  EXPECT_NEAR(web[1], 0, 1e-12);
  const Json downhill = Part(shown, "IPE 300 x 6029.9 R2");
  EXPECT_EQ(downhill["placement"][0], 12000);
  EXPECT_EQ(Part(shown, "CFCHS 60.3x4 x 12000 T1")["summary"]["part_number"], "CFCHS60.3x4");

  // The solids stand there: the column's box is its section around the axis from 0 to 5000, the
  // purlin runs along Y at the height of its points with its web (140 high) standing up.
  ASSERT_EQ(Run("export --scene " + Scene() + " --part \"HEA 240 x 5000 C1\" --stl " + (folder_ / "c1.stl").string()).exitCode, 0);
  const Box c1 = BoxOfStl(folder_ / "c1.stl");
  EXPECT_NEAR(c1.low[2], 0, 1e-3);
  EXPECT_NEAR(c1.high[2], 5000, 1e-3);
  EXPECT_NEAR(c1.high[0] - c1.low[0], 240, 1e-3);  // HEA 240: b 240 across X, h 230 across Y
  EXPECT_NEAR(c1.high[1] - c1.low[1], 230, 1e-3);
  ASSERT_EQ(Run("export --scene " + Scene() + " --part \"UPN 140 x 6000 P1\" --stl " + (folder_ / "p1.stl").string()).exitCode, 0);
  const Box p1 = BoxOfStl(folder_ / "p1.stl");
  EXPECT_NEAR(p1.low[1], 0, 1e-3);
  EXPECT_NEAR(p1.high[1], 6000, 1e-3);
  EXPECT_NEAR(p1.high[2] - p1.low[2], 140, 1e-3);
  EXPECT_LE(p1.low[2], 5150);
  EXPECT_GE(p1.high[2], 5150);
}

TEST_F(ZembratiFrameTest, EachKindOfBadRowIsRefusedWithItsLineAndNothingIsSaved) {
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"X1,HE,HEX,240,,S355J2,0,0,0,0,0,5000,0\n", "line 3: "},            // a standard the catalogue lacks
      {"X1,HE,HEA,240,,S355J2,0,0,0,0,0,0,0\n", "line 3: the member has no length"},
      {"X1,HE,HEA,240,,S355J2,0,0,0,0,0,5000.0.0,0\n", "line 3: z2: \"5000.0.0\" is not a number"},
      {"X1,HE,HEA,240,,S355J2,0,0,0,0,0,5000\n", "line 3: the row has 12 columns, the header 13"},
  };
  for (const auto& [row, reason] : bad) {
    const CliRun run = Run("frame --scene " + Scene() + " " +
                           List(std::string(kHeader) + "C1,HE,HEA,240,,S355J2,0,0,0,0,0,5000,0\n" + row));
    EXPECT_EQ(run.exitCode, 2) << row;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(Scene())) << row;
    EXPECT_FALSE(fs::exists(Prefs())) << "the first member's OK wrote preferences that must go back: " << row;
  }
  const CliRun header = Run("frame --scene " + Scene() + " " + List("mark,type,standard,size,x1,y1,z1,x2,y2,depth\n"));
  EXPECT_EQ(header.exitCode, 2);
  EXPECT_NE(header.err.find("line 1: the header names an unknown column \"depth\""), std::string::npos) << header.err;
}

// A frame writes the dialog's preferences once, at the end: the file it leaves is the one the
// same members dropped one by one leave, and a frame that fails leaves the file as it was.
TEST_F(ZembratiFrameTest, AFrameLeavesThePreferencesItsMembersDroppedOneByOneWouldLeave) {
  const std::string byDrops = (folder_ / "drops-prefs.txt").string();
  const auto drop = [&](const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " drop --scene " + (folder_ / "drops.json").string() +
                                                     " " + arguments + " --prefs " + byDrops,
                                                 (folder_ / "stderr.txt").string())
        .exitCode;
  };
  // Both start from the same earlier choice, which the members' blank fields take up.
  ASSERT_EQ(drop("--type UPN --size 100 --material S355J2 --length 777"), 0);
  fs::copy_file(byDrops, Prefs());
  const std::string before = FileText(Prefs());
  ASSERT_EQ(Run("frame --scene " + Scene() + " " +
                List(std::string(kHeader) + "C1,HE,HEA,240,,,0,0,0,0,0,5000,0\n" + "T1,TUBO,CHS EN 10219,60.3,4,S235JRH,0,0,2000,1200.5,0,2000,0\n" +
                     "L1,L,L equal legs,60x60x6,,,0,0,0,0,3000,0,0\n"))
                .exitCode,
            0);
  ASSERT_EQ(drop("--type HE --standard HEA --size 240 --at 0,0,0 --to 0,0,5000"), 0);
  ASSERT_EQ(drop("--type TUBO --standard \"CHS EN 10219\" --size 60.3 --thickness 4 --material S235JRH --at 0,0,2000 --to 1200.5,0,2000"), 0);
  ASSERT_EQ(drop("--type L --standard \"L equal legs\" --size 60x60x6 --at 0,0,0 --to 0,3000,0"), 0);
  const std::string left = FileText(Prefs());
  EXPECT_EQ(left, FileText(byDrops));
  EXPECT_NE(left, before);
  EXPECT_NE(left.find("3000"), std::string::npos) << left;  // the last member's length
  // A bad last row: nothing saved, the preferences as they were.
  const CliRun failed = Run("frame --scene " + (folder_ / "other.json").string() + " " +
                            List(std::string(kHeader) + "C1,HE,HEA,200,,,0,0,0,0,0,4000,0\nX1,HE,HEX,240,,S355J2,0,0,0,0,0,5000,0\n"));
  EXPECT_EQ(failed.exitCode, 2);
  EXPECT_EQ(FileText(Prefs()), left);
}

TEST_F(ZembratiFrameTest, TheCuttingListCountsSumsAndNamesTheMarks) {
  RunJson("frame --scene " + Scene() + " " + List(std::string(kHeader) + kPortal));
  const Json bom = RunJson("bom --scene " + Scene());
  ASSERT_EQ(bom["lines"].size(), 4u);
  const Json& columns = bom["lines"][0];  // sorted by standard: CHS, HEA, IPE, UPN
  EXPECT_EQ(bom["lines"][0]["standard"], "CHS EN 10219");
  const Json& hea = bom["lines"][1];
  EXPECT_EQ(hea["designation"], "HEA240");
  EXPECT_EQ(hea["count"], 2);
  EXPECT_EQ(hea["total_length_mm"], 10000);
  EXPECT_NEAR(hea["unit_mass_kg"].get<double>(), 60.3 * 5, 0.01 * 60.3 * 5);  // 60.3 kg/m in the tables
  EXPECT_EQ(hea["marks"], Json::parse("[\"C1\", \"C2\"]"));
  EXPECT_EQ(bom["lines"][2]["count"], 2);
  EXPECT_EQ(bom["lines"][2]["length_mm"], 6029.9);
  EXPECT_NEAR(columns["unit_mass_kg"].get<double>(), 5.55 * 12, 0.01 * 5.55 * 12);  // CHS 60.3x4: 5.55 kg/m
  double sum = 0;
  for (const Json& line : bom["lines"]) sum += line["total_mass_kg"].get<double>();
  EXPECT_NEAR(bom["total_mass_kg"].get<double>(), sum, 1e-9);
  ASSERT_EQ(bom["materials"].size(), 3u);
  EXPECT_EQ(bom["materials"][1]["material"], "S235JRH");

  ASSERT_EQ(Run("bom --scene " + Scene() + " --csv " + (folder_ / "list.csv").string()).exitCode, 0);
  std::ifstream csv(folder_ / "list.csv");
  std::string header, first;
  std::getline(csv, header);
  std::getline(csv, first);
  EXPECT_EQ(header, "standard,designation,material,length_mm,start_angle_web_deg,start_angle_flange_deg,"
                    "end_angle_web_deg,end_angle_flange_deg,count,unit_mass_kg,total_length_mm,total_mass_kg,marks");
  EXPECT_EQ(first.substr(0, 49), "CHS EN 10219,CFCHS60.3x4,S235JRH,12000,0,0,0,0,1,");
}

TEST_F(ZembratiFrameTest, AMemberKeepsItsMarkThroughAnEditAndALengthChange) {
  RunJson("frame --scene " + Scene() + " " + List(std::string(kHeader) + kPortal));
  const Json edited = RunJson("edit --scene " + Scene() + " --part \"HEA 240 x 5000 C1\" --standard HEB --size 240");
  ASSERT_EQ(edited["parts"].size(), 1u);
  EXPECT_EQ(edited["parts"][0]["name"], "HEB 240 x 5000 C1");
  EXPECT_EQ(edited["parts"][0]["placement"], Json::parse("[0, 0, 0, 1, 0, 0, 0]"));
  const Json shorter = RunJson("set-length --scene " + Scene() + " --part \"IPE 300 x 6029.9 R1\" --length 5000");
  EXPECT_EQ(shorter["parts"][0]["name"], "IPE 300 x 5000 R1");
  const Json bom = RunJson("bom --scene " + Scene());
  EXPECT_EQ(bom["lines"][1]["marks"], Json::parse("[\"C2\"]"));
}

// A mark typed in another code page (a byte that is not UTF-8) makes its member like any other:
// the answer says so (the byte shown as U+FFFD), rather than failing after the scene is saved.
TEST_F(ZembratiFrameTest, AMarkInAnotherCodePageIsReportedAsMade) {
  const Json made = RunJson("frame --scene " + Scene() + " " + List(std::string(kHeader) + "C\xE4" "1,HE,HEA,240,,S355J2,0,0,0,0,0,5000,0\n"));
  EXPECT_EQ(made["ok"], true);
  EXPECT_EQ(made["members"][0], "HEA 240 x 5000 C\xEF\xBF\xBD" "1");
  EXPECT_EQ(RunJson("bom --scene " + Scene())["lines"][0]["marks"][0], "C\xEF\xBF\xBD" "1");
}

TEST_F(ZembratiFrameTest, TheReadmesPortalFrameIsMadeAndWeighed) {
  const Json made = RunJson("frame --scene " + Scene() + " " + ZEMBRATI_DOCS_DIR "/portal-frame.csv --joints " +
                            ZEMBRATI_DOCS_DIR "/portal-joints.csv");
  EXPECT_EQ(made["members"].size(), 15u);
  EXPECT_EQ(made["joints"], 10);
  const Json bom = RunJson("bom --scene " + Scene());
  EXPECT_NEAR(bom["total_mass_kg"].get<double>(), 2818.23, 0.005);  // the figures README shows
  EXPECT_EQ(bom["lines"][1]["length_mm"], 5944.4);
  EXPECT_EQ(bom["lines"][1]["count"], 4);
}

TEST_F(ZembratiFrameTest, ASingleDropPlacesAMemberBetweenTwoPointsAndTurnsIt) {
  const Json made = RunJson("drop --scene " + Scene() + " --type HE --standard HEA --size 200 --at 0,0,0 --to 0,0,3000 --roll 90");
  ASSERT_EQ(made["parts"].size(), 1u);
  EXPECT_EQ(made["parts"][0]["name"], "HEA 200 x 3000");
  const auto web = Turned(made["parts"][0]["placement"], {0, 1, 0});
  EXPECT_NEAR(web[0], -1, 1e-12);  // +Y turned a quarter counterclockwise about +Z
  const CliRun both = Run("drop --scene " + Scene() + " --type HE --at 0,0,0 --to 0,0,3000 --length 200");
  EXPECT_EQ(both.exitCode, 2);
  EXPECT_NE(both.err.find("leave out --length"), std::string::npos) << both.err;
  const CliRun nowhere = Run("drop --scene " + Scene() + " --type HE --at 1,2,3 --to 1,2,3");
  EXPECT_EQ(nowhere.exitCode, 2);
}

}  // namespace

namespace {

// The marks on each bar of one nesting entry, bar after bar.
std::vector<std::vector<std::string>> MarksOnBars(const Json& entry) {
  std::vector<std::vector<std::string>> bars;
  for (const Json& bar : entry["bars"]) {
    bars.emplace_back();
    for (const Json& piece : bar["pieces"]) bars.back().push_back(piece["mark"]);
  }
  return bars;
}

}  // namespace

// The same section in two grades is bought as two: the grade is part of what the list groups by,
// in the cutting list and in the bars to order alike.
TEST_F(ZembratiFrameTest, TheSameSectionInTwoGradesIsListedAndOrderedApart) {
  RunJson("frame --scene " + Scene() + " " +
          List(std::string(kHeader) + "A1,HE,HEA,240,,S355J2,0,0,0,0,0,2500,0\n" + "B1,HE,HEA,240,,S235JR,1000,0,0,1000,0,2500,0\n"));
  const Json bom = RunJson("bom --scene " + Scene() + " --stock 6000");
  ASSERT_EQ(bom["lines"].size(), 2u);
  EXPECT_EQ(bom["lines"][0]["material"], "S235JR");
  EXPECT_EQ(bom["lines"][1]["material"], "S355J2");
  ASSERT_EQ(bom["nesting"].size(), 2u);
  for (const Json& entry : bom["nesting"]) {
    EXPECT_EQ(entry["designation"], "HEA240");
    EXPECT_EQ(entry["bars_ordered"], 1);
    EXPECT_EQ(entry["lower_bound_bars"], 1);
  }
  EXPECT_EQ(MarksOnBars(bom["nesting"][0]), (std::vector<std::vector<std::string>>{{"B1"}}));
  EXPECT_EQ(bom["order"]["bars_ordered"], 2);
}

// Rafters of 5944.4 mm and a 6 m stock length: a saw of 3 mm and a trim of 10 mm leave no room
// for anything else on a bar, and the portal's columns share 12 m bars two by two.
TEST_F(ZembratiFrameTest, TheReadmesPortalIsNestedIntoStockBarsWithKerfAndTrim) {
  RunJson("frame --scene " + Scene() + " " + ZEMBRATI_DOCS_DIR "/portal-frame.csv --joints " + ZEMBRATI_DOCS_DIR "/portal-joints.csv");
  const Json bom = RunJson("bom --scene " + Scene() + " --stock 6000,12000 --kerf 3 --trim 10");
  EXPECT_EQ(bom["order"]["kerf_mm"], 3);
  EXPECT_EQ(bom["order"]["unplaced_pieces"], 0);
  double ordered = 0;
  int pieces = 0;
  for (const Json& entry : bom["nesting"]) {
    ASSERT_GE(entry["bars_ordered"].get<int>(), entry["lower_bound_bars"].get<int>());
    EXPECT_LE(entry["bars_ordered"].get<int>(), entry["lower_bound_bars"].get<int>() + 1) << entry["designation"];
    for (const Json& bar : entry["bars"]) {
      double used = 10;
      for (std::size_t i = 0; i < bar["pieces"].size(); ++i) used += bar["pieces"][i]["length_mm"].get<double>() + (i ? 3 : 0);
      EXPECT_NEAR(bar["offcut_mm"].get<double>(), bar["stock_mm"].get<double>() - used, 1e-9);
      EXPECT_GE(bar["offcut_mm"].get<double>(), 0);
      pieces += static_cast<int>(bar["pieces"].size());
    }
    ordered += entry["metres_ordered"].get<double>();
  }
  EXPECT_EQ(pieces, 15);
  EXPECT_NEAR(bom["order"]["metres_ordered"].get<double>(), ordered, 1e-9);

  const CliRun text = Run("bom --scene " + Scene() + " --stock 6000,12000 --kerf 3 --trim 10");
  EXPECT_EQ(text.exitCode, 0) << text.err;
  EXPECT_NE(text.out.find("bars to order (stock 6000, 12000 mm, kerf 3 mm, trim 10 mm):"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("total ordered: "), std::string::npos);
  ASSERT_EQ(Run("bom --scene " + Scene() + " --stock 6000,12000 --kerf 3 --trim 10 --csv " + (folder_ / "order.csv").string()).exitCode, 0);
  std::ifstream csv(folder_ / "order.csv");
  std::string header;
  std::getline(csv, header);
  EXPECT_EQ(header, "standard,designation,material,bar,stock_mm,pieces,offcut_mm");
}

TEST_F(ZembratiFrameTest, APieceLongerThanEveryStockBarIsNamedAndFailsOnlyWhenStrict) {
  RunJson("frame --scene " + Scene() + " " +
          List(std::string(kHeader) + "L1,HE,IPE,300,,S355J2,0,0,0,13000,0,0,0\n" + "S1,HE,IPE,300,,S355J2,0,0,1000,4000,0,1000,0\n"));
  const CliRun run = Run("bom --scene " + Scene() + " --stock 6000,12000");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.err.find("IPE300: L1 (13000 mm) longer than every stock length"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("on no bar: L1 13000"), std::string::npos) << run.out;
  const Json bom = RunJson("bom --scene " + Scene() + " --stock 6000,12000");
  ASSERT_EQ(bom["nesting"].size(), 1u);
  EXPECT_EQ(bom["nesting"][0]["unplaced"], Json::parse(R"([{"mark": "L1", "length_mm": 13000}])"));
  EXPECT_EQ(MarksOnBars(bom["nesting"][0]), (std::vector<std::vector<std::string>>{{"S1"}}));
  EXPECT_EQ(bom["nesting"][0]["bars"][0]["stock_mm"], 6000);
  EXPECT_EQ(Run("bom --scene " + Scene() + " --stock 6000,12000 --strict").exitCode, 1);
  EXPECT_EQ(Run("bom --scene " + Scene() + " --stock 14000 --strict").exitCode, 0);
}

TEST_F(ZembratiFrameTest, NestingAnEmptySceneOrdersNothingAndBadStockIsRefused) {
  std::ofstream(Scene()) << R"({"format": "zembrati-scene", "version": 1, "unit": "mm",
                              "root": {"role": "shape", "kind": 0, "placement": [0, 0, 0, 1, 0, 0, 0], "components": []}})";
  const Json bom = RunJson("bom --scene " + Scene() + " --stock 6000 --kerf 3");
  EXPECT_EQ(bom["nesting"], Json::array());
  EXPECT_EQ(bom["order"]["bars_ordered"], 0);
  for (const char* bad : {"--stock 0", "--stock 6000,-1", "--stock 6000,", "--stock 6000 --kerf -3", "--stock 6000 --trim x",
                          "--kerf 3"}) {
    const CliRun run = Run("bom --scene " + Scene() + " " + bad);
    EXPECT_EQ(run.exitCode, 2) << bad;
    EXPECT_FALSE(run.err.empty()) << bad;
  }
}
