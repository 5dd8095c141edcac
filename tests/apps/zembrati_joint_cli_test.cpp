// Joints as a detailer makes them with the command line: frames with joint lists, the joint
// command, what show and bom report of the cut members, and joints that follow their members.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using zembrati::testing::CliRun;

constexpr const char* kMembers = "mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n";
// A window 1000 x 600 (axes) of SHS 100x5 in the XZ plane, anticlockwise.
constexpr const char* kWindow =
    "A,QUADCAVO,SHS EN 10210,100,5,0,0,0,1000,0,0,0\n"
    "B,QUADCAVO,SHS EN 10210,100,5,1000,0,0,1000,0,600,0\n"
    "C,QUADCAVO,SHS EN 10210,100,5,1000,0,600,0,0,600,0\n"
    "D,QUADCAVO,SHS EN 10210,100,5,0,0,600,0,0,0,0\n";
constexpr const char* kWindowJoints = "mark,end,kind,to,gap\nA,end,mitre,B,\nB,end,mitre,C,\nC,end,mitre,D,\nD,end,mitre,A,\n";
// An HEA 240 column with an IPE 300 butted to its flange (face 115 from the axis) and one to its
// web (3.75 from the axis), both 2000 long to the column's axis.
constexpr const char* kColumnAndBeams =
    "C1,HE,HEA,240,,0,0,0,0,0,5000,0\n"
    "B1,HE,IPE,300,,0,2000,3000,0,0,3000,0\n"
    "B2,HE,IPE,300,,2000,0,3000,0,0,3000,0\n";
constexpr const char* kButts = "mark,end,kind,to,gap\nB1,end,butt,C1,\nB2,end,butt,C1,\n";

class ZembratiJointTest : public ::testing::Test {
 protected:

  std::string Scene() const { return (folder_ / "scene.json").string(); }
  std::string Prefs() const { return (folder_ / "prefs.txt").string(); }
  std::string File(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return (folder_ / name).string();
  }
  std::string SceneText() const {
    std::ifstream in(Scene(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  CliRun Run(const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments + " --prefs " + Prefs(),
                                                 (folder_ / "stderr.txt").string());
  }
  Json RunJson(const std::string& arguments) {
    const CliRun run = Run(arguments + " --json");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    return run.out.empty() ? Json::object() : Json::parse(run.out);
  }
  void MakeFrame(const std::string& members, const std::string& joints) {
    RunJson("frame --scene " + Scene() + " " + File("members.csv", std::string(kMembers) + members) + " --joints " +
            File("joints.csv", joints));
  }
  // The parts `show` reports, by the mark at the end of their names.
  std::map<std::string, Json> Shown() {
    std::map<std::string, Json> parts;
    const Json shown = RunJson("show --scene " + Scene());
    for (const Json& part : shown["parts"]) {
      const std::string name = part["name"];
      parts[name.substr(name.rfind(' ') + 1)] = part;
    }
    return parts;
  }

  zembrati::testing::TempFolder temp_;
  fs::path folder_ = temp_.Path("");
};

TEST_F(ZembratiJointTest, AWindowMitredAtItsCornersIsCutAsTheShopCutsIt) {
  MakeFrame(kWindow, kWindowJoints);
  const auto parts = Shown();
  ASSERT_EQ(parts.size(), 4u);
  for (const auto& [mark, part] : parts) {
    // Tip to tip the axis length and the depth; the volume that of the axis length, the centroid
    // lying on the axis where the mitres cross it.
    const double axis = part["length_mm"];
    EXPECT_NEAR(part["cut_length_mm"].get<double>(), axis + 100, 0.05) << mark;
    EXPECT_NEAR(part["volume_mm3"].get<double>(), part["area_mm2"].get<double>() * axis, 1e-6 * axis) << mark;
    EXPECT_NEAR(part["mass_kg"].get<double>(), part["volume_mm3"].get<double>() * 7.85e-6, 1e-9) << mark;
    for (const Json& end : part["ends"]) {
      EXPECT_EQ(end["joint"]["kind"], "mitre") << mark;
      EXPECT_NEAR(std::fabs(end["angle_web_deg"].get<double>()) + std::fabs(end["angle_flange_deg"].get<double>()), 45,
                  1e-9)
          << mark;
    }
  }
  EXPECT_EQ(parts.at("A")["ends"][1]["joint"]["to"], "SHS 100x5 x 600 B");
  EXPECT_EQ(parts.at("B")["ends"][0]["joint"]["to"], "SHS 100x5 x 1000 A");
  // The outline is the window's outer size.
  ASSERT_EQ(Run("export --scene " + Scene() + " --stl " + (folder_ / "w.stl").string()).exitCode, 0);
  std::ifstream in(folder_ / "w.stl", std::ios::binary);
  const std::string stl{std::istreambuf_iterator<char>(in), {}};
  std::uint32_t triangles = 0;
  std::memcpy(&triangles, stl.data() + 80, 4);
  std::array<float, 3> low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
  for (std::uint32_t t = 0; t < triangles; ++t) {
    for (int v = 0; v < 3; ++v) {
      std::array<float, 3> p;
      std::memcpy(p.data(), stl.data() + 84 + t * 50 + 12 + v * 12, 12);
      for (int k = 0; k < 3; ++k) low[k] = std::min(low[k], p[k]), high[k] = std::max(high[k], p[k]);
    }
  }
  EXPECT_NEAR(low[0], -50, 1e-3);
  EXPECT_NEAR(high[0], 1050, 1e-3);
  EXPECT_NEAR(low[2], -50, 1e-3);
  EXPECT_NEAR(high[2], 650, 1e-3);
  EXPECT_NEAR(high[1] - low[1], 100, 1e-3);

  // The member's drawing shows its cuts: elevation and plan beside the section, the cut length
  // and the angles.
  const std::string svg = (folder_ / "a.svg").string();
  ASSERT_EQ(Run("export --scene " + Scene() + " --part \"SHS 100x5 x 1000 A\" --svg " + svg).exitCode, 0);
  std::ifstream drawing(svg);
  const std::string text{std::istreambuf_iterator<char>(drawing), {}};
  EXPECT_NE(text.find("cut length 1100"), std::string::npos) << text;
  EXPECT_NE(text.find(">start -45° / 0°<"), std::string::npos) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n') > 8, true);
  EXPECT_NE(text.find("class=\"edge\" d=\"M "), std::string::npos);

  // The cutting list: two pieces of each length, whichever way round they lie, with their angles.
  const Json bom = RunJson("bom --scene " + Scene());
  ASSERT_EQ(bom["lines"].size(), 2u);
  for (const Json& line : bom["lines"]) {
    EXPECT_EQ(line["count"], 2);
    const double angles = std::fabs(line["start_angle_web_deg"].get<double>()) +
                          std::fabs(line["start_angle_flange_deg"].get<double>()) +
                          std::fabs(line["end_angle_web_deg"].get<double>()) + std::fabs(line["end_angle_flange_deg"].get<double>());
    EXPECT_EQ(angles, 90);
  }
  EXPECT_EQ(bom["lines"][0]["length_mm"], 700);
  EXPECT_EQ(bom["lines"][1]["length_mm"], 1100);
  const CliRun table = Run("bom --scene " + Scene());
  EXPECT_NE(table.out.find("1100       -45/0       -45/0     2"), std::string::npos) << table.out;
}

TEST_F(ZembratiJointTest, ButtsStartAtTheFaceTheyMeetAndFollowTheColumnWhenItChanges) {
  MakeFrame(kColumnAndBeams, kButts);
  auto parts = Shown();
  EXPECT_NEAR(parts.at("B1")["cut_length_mm"].get<double>(), 2000 - 115, 0.05);
  EXPECT_NEAR(parts.at("B2")["cut_length_mm"].get<double>(), 2000 - 3.75, 0.05);
  EXPECT_EQ(parts.at("C1")["cut_length_mm"], 5000);  // a butt leaves the member it meets as it is
  EXPECT_EQ(parts.at("C1")["ends"][1]["joint"], nullptr);

  // HEA 300 is 290 deep and has an 8.5 web: the beams lose 30 and 0.5 mm.
  ASSERT_EQ(Run("edit --scene " + Scene() + " --part \"HEA 240 x 5000 C1\" --size 300").exitCode, 0);
  parts = Shown();
  EXPECT_NEAR(parts.at("B1")["cut_length_mm"].get<double>(), 2000 - 145, 0.05);
  EXPECT_NEAR(parts.at("B2")["cut_length_mm"].get<double>(), 2000 - 4.25, 0.05);
  EXPECT_EQ(parts.at("B1")["ends"][1]["joint"]["to"], "HEA 300 x 5000 C1");

  // A length change the joints cannot follow (the column below the beams) is refused, and the
  // scene stays as it was.
  const std::string before = SceneText();
  const CliRun shorter = Run("set-length --scene " + Scene() + " --part \"HEA 300 x 5000 C1\" --length 2500");
  EXPECT_EQ(shorter.exitCode, 1);
  EXPECT_NE(shorter.err.find("the change breaks the butt of the end of IPE 300 x 2000 B"), std::string::npos)
      << shorter.err;
  EXPECT_NE(shorter.err.find("passes"), std::string::npos) << shorter.err;
  EXPECT_EQ(SceneText(), before);
  // One it can: the beams do not care how tall the column is above them.
  ASSERT_EQ(Run("set-length --scene " + Scene() + " --part \"HEA 300 x 5000 C1\" --length 6000").exitCode, 0);
  EXPECT_NEAR(Shown().at("B1")["cut_length_mm"].get<double>(), 2000 - 145, 0.05);
}

TEST_F(ZembratiJointTest, CopedTubesStopAtTheSaddle) {
  MakeFrame("M,TUBO,CHS EN 10210,114.3,6.3,-500,0,0,500,0,0,0\n"
            "T,TUBO,CHS EN 10210,60.3,5,0,0,400,0,0,0,0\n"
            "S,TUBO,CHS EN 10210,60.3,5,400,0,400,0,0,0,0\n",
            "mark,end,kind,to,gap\nT,end,cope,M,\nS,end,cope,M,\n");
  const auto parts = Shown();
  // Square on: the saddle's low points, where the brace's sides meet the chord, are
  // √(57.15² − 30.15²) above the chord's axis.
  EXPECT_NEAR(parts.at("T")["cut_length_mm"].get<double>(), 400 - std::sqrt(57.15 * 57.15 - 30.15 * 30.15), 0.06);
  // At 45°, the brace's upper side reaches farthest: 30.15 past where its axis meets the chord's
  // skin, √2·57.15 short of the chord's axis.
  EXPECT_NEAR(parts.at("S")["cut_length_mm"].get<double>(), 400 * std::sqrt(2.0) - std::sqrt(2.0) * 57.15 + 30.15, 0.06);
  EXPECT_NEAR(parts.at("S")["ends"][1]["angle_web_deg"].get<double>(), 45, 1e-9);
  EXPECT_EQ(parts.at("S")["ends"][1]["angle_flange_deg"], 0);
  // The modeller's volume: less than the uncut tube's, by what the saddle takes.
  const double whole = parts.at("T")["area_mm2"].get<double>() * 400;
  EXPECT_LT(parts.at("T")["volume_mm3"].get<double>(), whole * 0.9);
  EXPECT_GT(parts.at("T")["volume_mm3"].get<double>(), whole * 0.8);
}

TEST_F(ZembratiJointTest, EveryBadJointRowIsRefusedWithItsLineAndNothingIsWritten) {
  const std::string members = File("members.csv", std::string(kMembers) + kWindow +
                                                      "E,QUADCAVO,SHS EN 10210,100,5,0,0,0,0,500,0,0\n"
                                                      "F,QUADCAVO,SHS EN 10210,100,5,2000,0,0,3000,0,0,0\n"
                                                      "G,QUADCAVO,SHS EN 10210,100,5,0,900,0,1000,900,0,0\n"
                                                      "H,QUADCAVO,SHS EN 10210,100,5,1000,0,0,2000,0,0,0\n"
                                                      "I,QUADCAVO,SHS EN 10210,100,5,1000,0,0,0,0,0,0\n");
  const std::vector<std::pair<std::string, std::string>> bad{
      {"A,end,mitre,Z,", "no member has the mark \"Z\""},
      {"A,middle,mitre,B,", "end \"middle\" is neither start nor end"},
      {"A,end,weld,B,", "kind \"weld\" is not a joint"},
      {"A,end,mitre,B,-1", "the gap -1 mm is negative"},
      {"A,end,mitre,A,", "joined to itself"},
      {"A,end,butt,E,", "joined already, on line 2"},  // with the mitre A end to B on the line before
      {"A,end,mitre,F,", "lies 1000 mm from the start of F"},
      {"E,end,mitre,A,", "lies 500 mm from"},
      {"A,end,mitre,H,", "in line"},
      {"A,end,mitre,I,", "one along the other"},
      {"G,start,butt,B,", "passes"},
      {"A,start,butt,B,5000", "leaves nothing"},
      {"A,start,cope,B,,-2000", "leaves nothing"},
      {"A,start,mitre,D,", "joined already"},  // D's end is A's start: taken by the row before
      {"A,end,cope,B,,,yes", "plane goes with a butt joint"},
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    // Each row after a good one, so that the line number says which.
    const std::string header = "mark,end,kind,to,gap,extend,plane\n";
    const std::string before = i == 5 ? "A,end,mitre,B,,,\n" : i == 13 ? "D,end,mitre,A,,,\n" : "B,end,mitre,C,,,\n";
    std::string row = bad[i].first;
    while (std::count(row.begin(), row.end(), ',') < 6) row += ",";
    const std::string joints = File("joints.csv", header + before + row + "\n");
    const CliRun run = Run("frame --scene " + Scene() + " " + members + " --joints " + joints);
    EXPECT_EQ(run.exitCode, 2) << row << ": " << run.err;
    EXPECT_NE(run.err.find("joints.csv line 3: "), std::string::npos) << row << ": " << run.err;
    EXPECT_NE(run.err.find(bad[i].second), std::string::npos) << row << ": " << run.err;
    EXPECT_FALSE(fs::exists(Scene())) << row;
    EXPECT_FALSE(fs::exists(Prefs())) << row;
  }
}

TEST_F(ZembratiJointTest, TheJointCommandJoinsTwoPartsOfAScene) {
  for (const std::string member : {"--at 0,0,0 --to 0,0,5000", "--at 0,2000,3000 --to 0,0,3000"}) {
    RunJson("drop --scene " + Scene() + " --type HE --standard HEA --size 240 " + member);
  }
  const std::string beam = "\"HEA 240 x 2000\"", column = "\"HEA 240 x 5000\"";
  const Json joined = RunJson("joint --scene " + Scene() + " --part " + beam + " --kind butt --to " + column + " --gap 10");
  ASSERT_EQ(joined["parts"].size(), 2u);
  EXPECT_EQ(joined["parts"][0]["ends"][1]["joint"]["kind"], "butt");  // the end nearer the column
  EXPECT_NEAR(joined["parts"][0]["cut_length_mm"].get<double>(), 2000 - 115 - 10, 0.05);
  EXPECT_NE(SceneText().find("\"version\":2"), std::string::npos);

  // Its name changes; the joint stays with it.
  ASSERT_EQ(Run("set-length --scene " + Scene() + " --part " + beam + " --length 2500").exitCode, 0);
  EXPECT_NEAR(Shown().at("2500")["cut_length_mm"].get<double>(), 2000 - 115 - 10, 0.05);

  EXPECT_EQ(Run("joint --scene " + Scene() + " --part \"HEA 240 x 2500\" --kind butt --to " + column).exitCode, 2);
  EXPECT_EQ(Run("joint --scene " + Scene() + " --part \"HEA 240 x 2500\" --kind mitre --to " + column + " --plane").exitCode, 2);
  EXPECT_EQ(Run("joint --scene " + Scene() + " --part nothing --kind butt --to " + column).exitCode, 2);
  EXPECT_EQ(Run("joint --scene " + Scene() + " --part " + column + " --remove").exitCode, 0);  // a mitre's or a butt's other side
  const CliRun again = Run("joint --scene " + Scene() + " --part \"HEA 240 x 2500\" --remove");
  EXPECT_EQ(again.exitCode, 2);  // nothing left to remove
  EXPECT_EQ(Shown().at("2500")["cut_length_mm"], 2500);
  EXPECT_EQ(SceneText().find("\"joints\""), std::string::npos);
  EXPECT_NE(SceneText().find("\"version\":1"), std::string::npos);
}

TEST_F(ZembratiJointTest, JointsSurviveSavingLoadingAndRenaming) {
  MakeFrame(kColumnAndBeams, kButts);
  const std::string saved = SceneText();
  EXPECT_NE(saved.find("\"joints\""), std::string::npos);
  // Loaded and saved again unchanged by a command that changes nothing.
  const auto parts = Shown();
  ASSERT_EQ(Run("edit --scene " + Scene() + " --part \"IPE 300 x 2000 B1\"").exitCode, 0);
  EXPECT_EQ(SceneText(), saved);
  EXPECT_NEAR(parts.at("B1")["cut_length_mm"].get<double>(), 1885, 0.05);
  // A scene without joints keeps the version it had, which earlier releases read (they pass over
  // the parts' identities, which every part has from the start).
  const std::string plain = (folder_ / "plain.json").string();
  ASSERT_EQ(Run("drop --scene " + plain + " --type HE --standard HEA --size 200 --length 1500").exitCode, 0);
  std::ifstream in(plain, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(text.find("\"version\":1"), std::string::npos);
  EXPECT_NE(text.find("\"id\":"), std::string::npos);
}

}  // namespace
