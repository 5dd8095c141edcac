// A scene's STEP file as an assembly: every distinct solid written once, placed as each part,
// checked against the same scene written one solid per part, both read back by the modeller.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "step/step_export.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

namespace zembrati::scene {
namespace {

class StepAssemblyTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  std::string File(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name);
  }
  int Run(const std::string& arguments) const {
    const zembrati::testing::CliRun run = zembrati::testing::RunCapturingErrors(
        std::string(ZEMBRATI_CLI) + " " + arguments + " --prefs " + Path("prefs.txt"), Path("stderr.txt"));
    if (run.exitCode != 0) std::cerr << arguments << ": " << run.err;
    return run.exitCode;
  }
  void MakeFrame(const std::string& members, const std::string& joints) const {
    const std::string jointList = joints.empty() ? "" : " --joints " + File("joints.csv", joints);
    ASSERT_EQ(Run("frame --scene " + Path("scene.json") + " " + File("members.csv", members) + jointList), 0);
  }
  // The scene exported both ways, each read back by the modeller.
  std::pair<StepContents, StepContents> AssemblyAndFlat() const {
    EXPECT_EQ(Run("export --scene " + Path("scene.json") + " --step " + Path("assembly.step")), 0);
    EXPECT_EQ(Run("export --scene " + Path("scene.json") + " --step " + Path("flat.step") + " --step-flat"), 0);
    return {ReadStepContents(Path("assembly.step")), ReadStepContents(Path("flat.step"))};
  }

  zembrati::testing::TempFolder folder_;
};

// Solid for solid, in the parts' order: the same names, the same volumes, the same places.
void ExpectSameSolids(const StepContents& assembly, const StepContents& flat) {
  ASSERT_EQ(assembly.solids.size(), flat.solids.size());
  for (std::size_t i = 0; i < flat.solids.size(); ++i) {
    const StepSolidRead &placed = assembly.solids[i], &whole = flat.solids[i];
    EXPECT_EQ(placed.name, whole.name);
    EXPECT_NEAR(placed.volume, whole.volume, 1e-9 * whole.volume) << whole.name;
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(placed.box[k], whole.box[k], 1e-6) << whole.name << " box " << k;
  }
}

// Each of the twelve types twice, the pair mitred at a corner in plan; a beam butted to a
// column's flange; two tubes coped to a chord.
TEST_F(StepAssemblyTest, EveryTypeAndEveryEndCutReadsBackAsTheFlatFileHasIt) {
  const std::vector<std::string> types = {
      "HE,HEB,300,",       "IPN,,200,",     "UPN,,100,", "L,L unequal legs,100x50x8,", "T,,50x50x6,",   "TARR,,60x60x7,",
      "TUBO,,60.3,4",      "RETTCAVO,,100x50,5", "QUADCAVO,,100,5", "PIATTO,,100,10", "TONDO,,20,", "QUADRO,,20,"};
  std::ostringstream members, joints;
  members << "mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n";
  joints << "mark,end,kind,to,gap,plane\n";
  for (std::size_t i = 0; i < types.size(); ++i) {
    const int x = 2000 * static_cast<int>(i);
    members << "A" << i << "," << types[i] << "," << x << ",0,0," << x + 1000 << ",0,0,0\n"
            << "B" << i << "," << types[i] << "," << x + 1000 << ",0,0," << x + 1000 << ",1000,0,0\n";
    joints << "A" << i << ",end,mitre,B" << i << ",0,\n";
  }
  members << "C,HE,HEA,240,,0,-3000,0,0,-3000,4000,90\n"
          << "R,HE,IPE,300,,0,-3000,3500,4000,-3000,3900,0\n"
          << "M,TUBO,CHS EN 10210,114.3,6.3,-500,-6000,0,500,-6000,0,0\n"
          << "T,TUBO,CHS EN 10210,60.3,5,0,-6000,400,0,-6000,0,0\n"
          << "S,TUBO,CHS EN 10210,60.3,5,400,-6000,400,0,-6000,0,0\n";
  joints << "R,start,butt,C,0,yes\nT,end,cope,M,,\nS,end,cope,M,,\n";
  MakeFrame(members.str(), joints.str());
  const auto [assembly, flat] = AssemblyAndFlat();
  EXPECT_EQ(flat.solids.size(), 29u);
  ExpectSameSolids(assembly, flat);
  EXPECT_EQ(assembly.instances, 29);
  EXPECT_EQ(flat.instances, 0);
}

// Three bays of the README's portal: their 45 members are four solids (a column, a rafter, a
// purlin, a brace), each placed where its member stands and named after it.
TEST_F(StepAssemblyTest, ARepeatedFrameSharesItsSolidsAndPlacesEachPart) {
  std::ifstream portal(ZEMBRATI_DOCS_DIR "/portal-frame.csv"), portalJoints(ZEMBRATI_DOCS_DIR "/portal-joints.csv");
  std::vector<std::string> rows, jointRows;
  for (std::string line; std::getline(portal, line);) {
    if (!line.empty() && line[0] != '#' && line.rfind("mark,", 0) != 0) rows.push_back(line);
  }
  for (std::string line; std::getline(portalJoints, line);) {
    if (!line.empty() && line[0] != '#' && line.rfind("mark,", 0) != 0) jointRows.push_back(line);
  }
  ASSERT_EQ(rows.size(), 15u);
  std::ostringstream members, joints;
  members << "mark,type,standard,size,thickness,material,x1,y1,z1,x2,y2,z2,roll\n";
  joints << "mark,end,kind,to,gap,plane\n";
  for (int bay = 0; bay < 3; ++bay) {
    const std::string suffix = "_" + std::to_string(bay);
    for (const std::string& row : rows) {
      std::vector<std::string> fields;
      std::stringstream split(row);
      for (std::string field; std::getline(split, field, ',');) fields.push_back(field);
      fields[0] += suffix;
      fields[7] = std::to_string(std::stod(fields[7]) + 20000 * bay);  // y1
      fields[10] = std::to_string(std::stod(fields[10]) + 20000 * bay);  // y2
      for (std::size_t k = 0; k < fields.size(); ++k) members << (k ? "," : "") << fields[k];
      members << (fields.size() < 13 ? ",\n" : "\n");
    }
    for (const std::string& row : jointRows) {
      std::vector<std::string> fields;
      std::stringstream split(row);
      for (std::string field; std::getline(split, field, ',');) fields.push_back(field);
      fields.resize(6);  // the empty plane field the line ends with
      joints << fields[0] << suffix << "," << fields[1] << "," << fields[2] << "," << fields[3] << suffix << ","
             << fields[4] << "," << fields[5] << "\n";
    }
  }
  MakeFrame(members.str(), joints.str());
  const auto [assembly, flat] = AssemblyAndFlat();
  EXPECT_EQ(assembly.solidsWritten, 4);
  EXPECT_EQ(flat.solidsWritten, 45);
  EXPECT_EQ(assembly.instances, 45);
  ExpectSameSolids(assembly, flat);
  EXPECT_EQ(assembly.solids.front().name, "HEA 240 x 5200 C1_0");
  EXPECT_EQ(assembly.solids.back().name, "L 60x60x6 x 7810.2 B2_2");
  // The root is named after the scene; the shared products after their part numbers.
  std::map<std::string, std::string> products;
  for (std::size_t i = 0; i < assembly.names.size(); ++i) products[assembly.names[i]] = assembly.ids[i];
  EXPECT_EQ(products, (std::map<std::string, std::string>{
                          {"scene", "scene"}, {"HEA240", "HEA240"}, {"IPE300", "IPE300"}, {"UPN140", "UPN140"}, {"L60x60x6", "L60x60x6"}}));
  // The file is the solids once and a placement per part: a fraction of the flat one.
  EXPECT_LT(std::filesystem::file_size(Path("assembly.step")) * 5, std::filesystem::file_size(Path("flat.step")));
}

// A flat file is a way of writing STEP: asked for without --step, it is refused and nothing
// is written.
TEST_F(StepAssemblyTest, AFlatFileIsAskedForWithStep) {
  MakeFrame("mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\nA,HE,HEA,200,,0,0,0,0,0,1000,0\n",
            "");
  EXPECT_EQ(Run("export --scene " + Path("scene.json") + " --step-flat --stl " + Path("a.stl")), 2);
  EXPECT_FALSE(std::filesystem::exists(Path("a.stl")));
}

}  // namespace
}  // namespace zembrati::scene
