// DSTV NC1 files of a scene's pieces, run as a user runs `export --nc1`: files written out by hand
// from the format's layout, compared byte for byte; the header's figures against each part's own
// report; and what cannot be described.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using zembrati::testing::CliRun;

constexpr const char* kHeader = "mark,type,standard,size,thickness,material,x1,y1,z1,x2,y2,z2,roll\n";

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The lines of a file written with CR LF, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends CR LF";
  return lines;
}

double Number(const std::string& line) { return std::stod(line); }

class ZembratiNc1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("zembrati_nc1_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_ / "nc", fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_);
  }

  CliRun Run(const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments + " --prefs " + (folder_ / "prefs.txt").string(),
                                                 (folder_ / "stderr.txt").string());
  }
  // A scene `name`.json made by `frame` from the member rows and the joint rows.
  std::string Frame(const std::string& name, const std::string& members, const std::string& joints = "") {
    const fs::path scene = folder_ / (name + ".json"), list = folder_ / (name + ".csv"), jointList = folder_ / (name + "-joints.csv");
    std::ofstream(list, std::ios::binary) << kHeader << members;
    std::string command = "frame --scene " + scene.string() + " " + list.string();
    if (!joints.empty()) {
      std::ofstream(jointList, std::ios::binary) << "mark,end,kind,to,gap\n" << joints;
      command += " --joints " + jointList.string();
    }
    const CliRun run = Run(command);
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    return scene.string();
  }
  Json Export(const std::string& scene) {
    const CliRun run = Run("export --scene " + scene + " --nc1 " + Nc().string() + " --json");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    return Json::parse(run.out);
  }
  fs::path Nc() const { return folder_ / "nc"; }

  fs::path folder_;
};

std::string Golden(const std::string& name) { return Bytes(fs::path(ZEMBRATI_NC1_GOLDEN_DIR) / name); }

// Four IPE 200 mitred into a 3 m by 2 m window: the head and the sill are one piece, its web cut
// at 45° at both ends, tip to tip 3000 + 200 mm.
TEST_F(ZembratiNc1Test, AWindowsMitredHeadIsTheFileWrittenByHand) {
  const std::string scene = Frame("window",
                                  "T1,HE,IPE,200,,S355J2,0,0,2000,3000,0,2000,0\n"
                                  "L1,HE,IPE,200,,S355J2,0,0,0,0,0,2000,90\n"
                                  "B1,HE,IPE,200,,S355J2,0,0,0,3000,0,0,0\n"
                                  "R1,HE,IPE,200,,S355J2,3000,0,0,3000,0,2000,90\n",
                                  "T1,start,mitre,L1,0\nT1,end,mitre,R1,0\nB1,start,mitre,L1,0\nB1,end,mitre,R1,0\n");
  const Json made = Export(scene);
  ASSERT_EQ(made["nc1"]["files"].size(), 2u);
  EXPECT_EQ(made["nc1"]["files"][0]["file"], "T1.nc1");
  EXPECT_EQ(made["nc1"]["files"][0]["parts"], Json::parse(R"(["IPE 200 x 3000 T1", "IPE 200 x 3000 B1"])"));
  EXPECT_EQ(Bytes(Nc() / "T1.nc1"), Golden("window-T1.nc1"));
  const std::vector<std::string> jamb = Lines(Bytes(Nc() / "L1.nc1"));
  EXPECT_EQ(jamb[6], "  2");
  EXPECT_EQ(jamb[9], "     2200.00");
  EXPECT_EQ(jamb[17] + jamb[18], "     -45.000      45.000");
}

TEST_F(ZembratiNc1Test, AnAngleIsTheFileWrittenByHand) {
  const Json made = Export(Frame("angle", "A1,L,L unequal legs,80x40x6,,S235JR,0,0,0,1500,0,0,0\n"));
  ASSERT_EQ(made["nc1"]["files"].size(), 1u);
  EXPECT_EQ(Bytes(Nc() / "A1.nc1"), Golden("angle-A1.nc1"));
}

// A CHS 48.3 coped at right angles onto a CHS 114.3: its skin rolled out, the saddle as its
// start; the header and mark as written by hand, the contour against the saddle's own equation.
TEST_F(ZembratiNc1Test, ACopedTubesSaddleIsItsRolledOutSkinsOutline) {
  const Json made = Export(Frame("tee",
                                 "K1,TUBO,CHS EN 10219,114.3,6,S355J2H,0,0,0,2000,0,0,0\n"
                                 "D1,TUBO,CHS EN 10219,48.3,4,S355J2H,1000,0,0,1000,0,1000,0\n",
                                 "D1,start,cope,K1,0\n"));
  EXPECT_EQ(made["nc1"]["notes"], Json::array());
  const std::string text = Bytes(Nc() / "D1.nc1"), head = Golden("tee-D1-before-contour.nc1"),
                    tail = Golden("tee-D1-after-contour.nc1");
  ASSERT_GT(text.size(), head.size() + tail.size());
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(Bytes(Nc() / "K1.nc1").find("AK"), std::string::npos) << "the chord is not coped";

  // The brace's skin at angle θ from its top meets the chord's at height √(R² − (r cos θ)²): the
  // start of the rolled-out skin, from the lowest such height; the far end square at 948.2 mm.
  const double R = 114.3 / 2, r = 48.3 / 2, lowest = std::sqrt(R * R - r * r);
  std::istringstream contour(text.substr(head.size(), text.size() - head.size() - tail.size()));
  std::vector<std::pair<double, double>> points;
  for (std::string face, x, y, radius; contour >> face >> x >> y >> radius;) {
    EXPECT_EQ(face, "v");
    ASSERT_EQ(x.back(), 'u');
    points.emplace_back(std::stod(x), std::stod(y));
  }
  ASSERT_GT(points.size(), 100u);
  EXPECT_EQ(points.front(), points.back());
  EXPECT_EQ(points.front(), std::make_pair(0.0, 0.0));
  double twiceArea = 0;
  int onTheSaddle = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    twiceArea += points[i].first * points[i + 1].second - points[i + 1].first * points[i].second;
    const auto [x, y] = points[i];
    EXPECT_GE(y, 0);
    EXPECT_LE(y, std::round(std::numbers::pi * 48.3 * 100) / 100);
    if (x > 100) {
      EXPECT_EQ(x, 948.2);
      continue;
    }
    const double c = std::cos(y / r);
    EXPECT_NEAR(x, std::sqrt(R * R - r * r * c * c) - lowest, 0.02) << "at y = " << y;
    ++onTheSaddle;
  }
  EXPECT_GT(twiceArea, 0) << "outer contours run anticlockwise";
  EXPECT_GE(onTheSaddle, 100);
}

// Every figure of the README portal's files against what `show` and `bom` report of its parts.
TEST_F(ZembratiNc1Test, ThePortalsFilesGiveEachPartsOwnFigures) {
  const std::string scene = (folder_ / "portal.json").string();
  ASSERT_EQ(Run("frame --scene " + scene + " " + ZEMBRATI_DOCS_DIR "/portal-frame.csv --joints " + ZEMBRATI_DOCS_DIR "/portal-joints.csv").exitCode, 0);
  const Json made = Export(scene);
  const Json shown = Json::parse(Run("show --scene " + scene + " --json").out);
  const Json bom = Json::parse(Run("bom --scene " + scene + " --json").out);
  std::map<std::string, Json> parts;
  for (const Json& part : shown["parts"]) parts[part["name"]] = part;
  // The outline's perimeter, by hand: an I section's 4b − 2tw + 2h − 8r + 2πr, an angle's
  // 2a + 2b − 2r1 + πr1/2 − 4r2 + πr2; the channel's sloped flanges against the published 0.489
  // (to 3 mm of perimeter: tables round their radii' arcs differently).
  const std::map<std::string, std::pair<double, double>> paint{
      {"HEA240", {(4 * 240 - 2 * 7.5 + 2 * 230 - 8 * 21 + 2 * std::numbers::pi * 21) / 1000, 0.0005}},
      {"IPE300", {(4 * 150 - 2 * 7.1 + 2 * 300 - 8 * 15 + 2 * std::numbers::pi * 15) / 1000, 0.0005}},
      {"L60x60x6", {(2 * 60 + 2 * 60 - 2 * 8 + std::numbers::pi * 8 / 2 - 4 * 4 + std::numbers::pi * 4) / 1000, 0.0005}},
      {"UPN140", {0.489, 0.003}}};
  ASSERT_EQ(made["nc1"]["files"].size(), bom["lines"].size());
  for (const Json& file : made["nc1"]["files"]) {
    const std::vector<std::string> st = Lines(Bytes(Nc() / file["file"].get<std::string>()));
    ASSERT_GE(st.size(), 27u);
    const Json& part = parts.at(file["parts"][0]);
    SCOPED_TRACE(part["name"].get<std::string>());
    EXPECT_EQ(st[1], "  portal");
    EXPECT_EQ(st[4], "  " + file["piece"].get<std::string>());
    EXPECT_EQ(st[5], "  " + part["material"].get<std::string>());
    EXPECT_EQ(std::stoi(st[6]), static_cast<int>(file["parts"].size()));
    EXPECT_EQ(st[7], "  " + part["summary"]["part_number"].get<std::string>());
    EXPECT_DOUBLE_EQ(Number(st[9]), part["cut_length_mm"].get<double>());
    EXPECT_NEAR(Number(st[15]), part["section"]["mass_kg_per_m"].get<double>(), 0.0005);
    const auto [perimeter, within] = paint.at(part["summary"]["part_number"]);
    EXPECT_NEAR(Number(st[16]), perimeter, within);
    EXPECT_NEAR(std::fabs(Number(st[17])), std::fabs(part["ends"][0]["angle_web_deg"].get<double>()), 0.0005);
    EXPECT_NEAR(std::fabs(Number(st[18])), std::fabs(part["ends"][1]["angle_web_deg"].get<double>()), 0.0005);
    EXPECT_NEAR(std::fabs(Number(st[19])), std::fabs(part["ends"][0]["angle_flange_deg"].get<double>()), 0.0005);
    EXPECT_NEAR(std::fabs(Number(st[20])), std::fabs(part["ends"][1]["angle_flange_deg"].get<double>()), 0.0005);
    EXPECT_EQ(st[21], "  " + part["name"].get<std::string>());
    EXPECT_EQ(st.back(), "EN");
  }
  const std::map<std::string, std::string> codes{{"C1.nc1", "  I"}, {"R1.nc1", "  I"}, {"P1.nc1", "  U"}, {"B1.nc1", "  L"}};
  for (const auto& [file, code] : codes) EXPECT_EQ(Lines(Bytes(Nc() / file))[8], code) << file;
  // The rafters' parallel cuts: the same angle at both ends, in the format's anticlockwise sense.
  const std::vector<std::string> rafter = Lines(Bytes(Nc() / "R1.nc1"));
  EXPECT_EQ(rafter[17], rafter[18]);
}

TEST_F(ZembratiNc1Test, WhatCannotBeDescribedIsNamedAndNothingIsLeftHalfWritten) {
  const std::string scene = Frame("hollow",
                                  "K1,TUBO,CHS EN 10219,114.3,6,S355J2H,0,0,0,2000,0,0,0\n"
                                  "M1,RETTCAVO,RHS EN 10219,80x40,4,S355J2H,1000,0,0,1000,0,1000,0\n",
                                  "M1,start,cope,K1,0\n");
  const CliRun run = Run("export --scene " + scene + " --nc1 " + Nc().string());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("[NC1] CFRHS 80x40x4 x 1000 M1: no NC file, the format's contours are not written for a cope on this section"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(fs::exists(Nc() / "K1.nc1"));
  EXPECT_FALSE(fs::exists(Nc() / "M1.nc1"));

  // A file in the folder's place is refused; a file that cannot be replaced stops the export
  // before any is written.
  const CliRun onAFile = Run("export --scene " + scene + " --nc1 " + scene);
  EXPECT_EQ(onAFile.exitCode, 2);
  EXPECT_NE(onAFile.err.find("--nc1 names a file"), std::string::npos) << onAFile.err;
  fs::remove_all(Nc());
  fs::create_directories(Nc() / "K1.nc1");  // a folder where the file should go
  const CliRun blocked = Run("export --scene " + scene + " --nc1 " + Nc().string());
  EXPECT_EQ(blocked.exitCode, 1) << blocked.err;
  EXPECT_TRUE(fs::is_directory(Nc() / "K1.nc1"));
}

}  // namespace
