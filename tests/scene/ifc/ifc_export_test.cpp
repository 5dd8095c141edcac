// The IFC export as a BIM tool meets it: files written by the command line and read back with
// IFC++ (Debian's IFC reader), compared part by part with what the system says of its parts
// (show) and where the solid modeller's STEP export puts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "ifc/global_id.h"
#include "ifc/ifc_profile.h"
#include "ifc_reading.h"
#include "step/step_export.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

namespace {

using Json = nlohmann::json;
using zembrati::testing::IfcFileRead;
using zembrati::testing::IfcProductRead;
using zembrati::testing::ReadIfcWithIfcpp;

class IfcExportTest : public ::testing::Test {
 protected:
  zembrati::testing::CliRun Run(const std::string& arguments) const {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments, folder_.Path("err.txt"));
  }
  Json RunJson(const std::string& arguments) const {
    const auto run = Run(arguments + " --json");
    EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.out << run.err;
    return run.out.empty() ? Json() : Json::parse(run.out);
  }
  std::string Scene() const { return folder_.Path("scene.json"); }
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  std::string Bytes(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::map<std::string, Json> Shown() const {
    std::map<std::string, Json> parts;
    const Json shown = RunJson("show --scene " + Scene());
    for (const Json& part : shown["parts"]) parts[part["name"]] = part;
    return parts;
  }
  std::map<std::string, IfcProductRead> ByName(const IfcFileRead& file) const {
    std::map<std::string, IfcProductRead> products;
    for (const IfcProductRead& product : file.products) products[product.name] = product;
    return products;
  }
  void Drop(const std::string& choices) const {
    ASSERT_EQ(Run("drop --scene " + Scene() + " --prefs " + Path("prefs.txt") + " " + choices).exitCode, 0) << choices;
  }

  // What IFC++ draws of each part against the system's own figures: the same volume (to
  // 0.5 %, where IFC++ honours every attribute it was given), standing where the modeller's
  // solid stands (boxes to half a millimetre: IFC++ draws arcs as chords).
  void ExpectSameSolids(const IfcFileRead& file, const std::set<std::string>& slopedNotDrawn) const {
    const auto shown = Shown();
    const zembrati::scene::StepContents step = zembrati::scene::ReadStepContents(Path("model.step"));
    ASSERT_EQ(file.products.size(), shown.size());
    const auto products = ByName(file);
    for (const zembrati::scene::StepSolidRead& solid : step.solids) {
      const std::string& name = solid.name;
      ASSERT_TRUE(products.count(name)) << name;
      const IfcProductRead& product = products.at(name);
      const Json& part = shown.at(name);
      EXPECT_NEAR(product.quantities.at("Qto_" + product.entity.substr(3) + "BaseQuantities.NetWeight"),
                  part["mass_kg"].get<double>(), 1e-6) << name;
      EXPECT_NEAR(product.quantities.at("Qto_" + product.entity.substr(3) + "BaseQuantities.Length"),
                  part["cut_length_mm"].get<double>(), 0.051) << name;
      EXPECT_TRUE(product.hasAxis) << name;
      // IFC++ draws no indexed poly curve: such an outline is checked by the area it encloses.
      if (product.profileEntity == "IfcArbitraryClosedProfileDef" || product.profileEntity == "IfcArbitraryProfileDefWithVoids") continue;
      if (slopedNotDrawn.count(product.profileEntity + " " + part["standard"].get<std::string>())) continue;
      EXPECT_NEAR(product.volumeMm3 / part["volume_mm3"].get<double>(), 1, 0.005) << name;
      for (int k = 0; k < 6; ++k) EXPECT_NEAR(product.box[k], solid.box[k], 0.5) << name << " box " << k;
    }
  }

  zembrati::testing::TempFolder folder_;
};

TEST_F(IfcExportTest, EveryTypeAndEachFamilyIsItsOwnProfileWithTheCatalogueValues) {
  const std::vector<std::string> drops = {
      "--type HE --standard HEB --size 300",           "--type IPN --size 200",
      "--type UPN --size 100",                         "--type L --standard \"L unequal legs\" --size 100x50x8",
      "--type T --size 50x50x6",                       "--type TARR --size 60x60x7",
      "--type TUBO --size 60.3 --thickness 4",         "--type RETTCAVO --size 100x50 --thickness 5",
      "--type QUADCAVO --size 100 --thickness 5",      "--type PIATTO --size 100 --thickness 10",
      "--type TONDO --size 20",                        "--type QUADRO --size 20",
      "--family DIN --type HE --standard \"DIN 1025-2\" --size 200",
      "--family BS --type HE --standard UB --size 203x133x25",
      "--family US --type HE --standard W --size \"310x38.7 (W12x26)\"",
      "--family EN --type HE --standard IPE --size 300 --at 0,2000,0 --to 6000,2000,0",     // a beam
      "--family EN --type L --standard \"L equal legs\" --size 60x60x6 --at 0,4000,0 --to 3000,4000,3000",  // a brace
  };
  for (const std::string& choices : drops) Drop(choices + (choices.find("--to") == std::string::npos ? " --length 1000" : ""));
  const Json exported = RunJson("export --scene " + Scene() + " --ifc " + Path("model.ifc") + " --step " + Path("model.step"));
  EXPECT_EQ(exported["notes"], Json::array());
  const IfcFileRead file = ReadIfcWithIfcpp(Path("model.ifc"));
  ASSERT_GT(file.entities, 0) << "IFC++ read nothing: is the en_US.UTF-8 locale there?";
  for (const char* spatial : {"IfcProject", "IfcSite", "IfcBuilding", "IfcBuildingStorey"}) EXPECT_EQ(file.counts.at(spatial), 1) << spatial;
  EXPECT_EQ(file.counts.at("IfcColumn"), 15);
  EXPECT_EQ(file.counts.at("IfcBeam"), 1);
  EXPECT_EQ(file.counts.at("IfcMember"), 1);
  // IFC++ draws a channel's flange slope (with its thickness at the box's centre, as written) but
  // not an I beam's: IPN is checked by its attributes.
  ExpectSameSolids(file, {"IfcIShapeProfileDef IPN"});

  const auto products = ByName(file);
  const std::map<std::string, std::string> profiles = {
      {"HEB 300 x 1000", "IfcIShapeProfileDef"},         {"IPN 200 x 1000", "IfcIShapeProfileDef"},
      {"UPN 100 x 1000", "IfcUShapeProfileDef"},         {"L 100x50x8 x 1000", "IfcLShapeProfileDef"},
      {"T 50x50x6 sharp x 1000", "IfcTShapeProfileDef"}, {"T 60x60x7 x 1000", "IfcArbitraryClosedProfileDef"},
      {"CFCHS 60.3x4 x 1000", "IfcCircleHollowProfileDef"}, {"CFSHS 100x5 x 1000", "IfcRectangleHollowProfileDef"},
      {"FL 100x10 x 1000", "IfcRectangleProfileDef"},    {"UB 203x133x25 x 1000", "IfcIShapeProfileDef"},
  };
  for (const auto& [name, entity] : profiles) {
    ASSERT_TRUE(products.count(name)) << name << " among " << Json(Shown()).dump();
    EXPECT_EQ(products.at(name).profileEntity, entity) << name;
  }
  const IfcProductRead& ipn = products.at("IPN 200 x 1000");
  EXPECT_EQ(ipn.profileName, "IPN 200");
  EXPECT_EQ(ipn.typeName, "IPN 200");
  EXPECT_EQ(ipn.typeEntity, "IfcColumnType");
  EXPECT_NEAR(ipn.profileAttributes.at("FlangeSlope"), std::atan(0.14) * 180 / M_PI, 1e-9);  // degrees, not 14 (%)
  EXPECT_NEAR(ipn.profileAttributes.at("FlangeThickness"), 11.3, 1e-9);   // IPN 200's tf, at a quarter of b
  EXPECT_NEAR(products.at("UPN 100 x 1000").profileAttributes.at("FlangeSlope"), std::atan(0.08) * 180 / M_PI, 1e-9);
  EXPECT_NEAR(products.at("UPN 100 x 1000").profileAttributes.at("FlangeThickness"), 8.5, 1e-9);
  EXPECT_EQ(products.at("UPN 100 x 1000").cardinalPoint, 4);     // the back of the web, mid-depth
  EXPECT_EQ(products.at("L 100x50x8 x 1000").cardinalPoint, 1);  // the heel
  EXPECT_EQ(products.at("T 50x50x6 sharp x 1000").cardinalPoint, 2);   // the underside of the flange
  EXPECT_EQ(products.at("HEB 300 x 1000").cardinalPoint, 5);
  // The rounded tee is its exact outline: the area the file's lines and arcs enclose is ours.
  const auto shown = Shown();
  EXPECT_NEAR(products.at("T 60x60x7 x 1000").outlineAreaMm2 / shown.at("T 60x60x7 x 1000")["area_mm2"].get<double>(), 1, 1e-9);
  EXPECT_EQ(products.at("IPE 300 x 6000").entity, "IfcBeam");
  EXPECT_EQ(products.at("L 60x60x6 x 4242.6").entity, "IfcMember");
  for (const auto& [name, product] : products) {
    EXPECT_EQ(product.material, shown.at(name)["material"].get<std::string>()) << name;
    EXPECT_EQ(product.containedIn, "scene") << name;
    EXPECT_EQ(product.properties.at("Zembrati_Part.Standard"), shown.at(name)["standard"].get<std::string>()) << name;
    EXPECT_EQ(product.properties.at("Pset_" + product.entity.substr(3) + "Common.Reference"),
              shown.at(name)["summary"]["part_number"].get<std::string>()) << name;
    EXPECT_NEAR(product.quantities.at("Qto_" + product.entity.substr(3) + "BaseQuantities.CrossSectionArea") * 1e6,
                shown.at(name)["area_mm2"].get<double>(), 1e-6) << name;
  }
  EXPECT_EQ(products.at("CFCHS 60.3x4 x 1000").properties.at("Zembrati_Part.Thickness"), std::to_string(4.0));
  // One type and one profile per designation and material, shared by its parts.
  EXPECT_EQ(file.counts.at("IfcIShapeProfileDef"), 6);  // HEB, IPN, IPB, UB, W, IPE
}

TEST_F(IfcExportTest, ThePortalsMembersAreColumnsBeamsAndMembersCutAsTheirJointsCutThem) {
  const std::string docs = ZEMBRATI_DOCS_DIR;
  ASSERT_EQ(Run("frame --scene " + Scene() + " --prefs " + Path("prefs.txt") + " " + docs + "/portal-frame.csv --joints " + docs +
                "/portal-joints.csv").exitCode, 0);
  RunJson("export --scene " + Scene() + " --ifc " + Path("model.ifc") + " --step " + Path("model.step"));
  const IfcFileRead file = ReadIfcWithIfcpp(Path("model.ifc"));
  ExpectSameSolids(file, {});
  std::map<std::string, std::string> classOfMark;
  for (const IfcProductRead& product : file.products) classOfMark[product.tag] = product.entity;
  // Columns stand within 5° of vertical, purlins lie level; the rafters rise at 10 % (5.7°) and
  // the braces at 40°: members.
  for (const char* column : {"C1", "C2", "C3", "C4"}) EXPECT_EQ(classOfMark[column], "IfcColumn") << column;
  for (const char* rafter : {"R1", "R2", "R3", "R4", "B1", "B2"}) EXPECT_EQ(classOfMark[rafter], "IfcMember") << rafter;
  for (const char* purlin : {"P1", "P2", "P3", "P4", "P5"}) EXPECT_EQ(classOfMark[purlin], "IfcBeam") << purlin;
  // The joints' plane cuts as clippings; one profile, one type and one shape per designation cut
  // alike (the purlins are five of one solid).
  EXPECT_GE(file.counts.at("IfcBooleanClippingResult"), 10);
  EXPECT_EQ(file.counts.at("IfcIShapeProfileDef"), 2);
  EXPECT_EQ(file.counts.at("IfcColumnType") + file.counts.at("IfcBeamType") + file.counts.at("IfcMemberType"), 4);
  EXPECT_EQ(file.counts.at("IfcMaterial"), 2);
  EXPECT_LT(file.counts.at("IfcProductDefinitionShape"), 15);
}

TEST_F(IfcExportTest, CopedEndsAreTheModellersSolidsOffcutsLeftOut) {
  // A secondary beam framing into a main beam between its flanges, and braces coped to a chord:
  // square cut beyond the chord, the braces' walls leave slivers below it, which are not theirs.
  const std::string members = folder_.WriteBytes("members.csv",
      "mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n"
      "M,HE,IPE,300,,-1000,0,0,1000,0,0,0\n"
      "S,HE,IPE,200,,0,1500,0,0,0,0,0\n"
      "C,TUBO,CHS EN 10210,114.3,6.3,-500,0,2000,500,0,2000,0\n"
      "T,TUBO,CHS EN 10210,60.3,5,0,0,2400,0,0,2000,0\n"
      "D,TUBO,CHS EN 10210,60.3,5,400,0,2400,0,0,2000,0\n");
  const std::string joints = folder_.WriteBytes("joints.csv", "mark,end,kind,to,gap\nS,end,cope,M,\nT,end,cope,C,\nD,end,cope,C,\n");
  ASSERT_EQ(Run("frame --scene " + Scene() + " --prefs " + Path("prefs.txt") + " " + members + " --joints " + joints).exitCode, 0);
  const Json exported = RunJson("export --scene " + Scene() + " --ifc " + Path("model.ifc") + " --step " + Path("model.step"));
  EXPECT_EQ(exported["notes"], Json::array());
  const IfcFileRead file = ReadIfcWithIfcpp(Path("model.ifc"));
  // Three copes, and the three pieces the tubes' copes leave below the chord taken away.
  EXPECT_EQ(file.counts.at("IfcBooleanResult"), 6);
  ExpectSameSolids(file, {});
  // The tubes are coped to the chord's skin: a round bar of its diameter.
  EXPECT_EQ(file.counts.at("IfcCircleProfileDef"), 1);
}

TEST_F(IfcExportTest, APartKeepsItsGlobalIdThroughEditsAndTheSameSceneGivesTheSameFile) {
  Drop("--family EN --type HE --standard HEA --size 200 --length 1500");
  // A mark of the user's own on the name, with what a file must quote.
  std::string text = Bytes("scene.json");
  const std::string name = "\"name\":\"HEA 200 x 1500\"";
  ASSERT_NE(text.find(name), std::string::npos);
  text.replace(text.find(name), name.size(), "\"name\":\"HEA 200 x 1500 Pos. Ü'1\\\\a\"");
  folder_.WriteBytes("scene.json", text);
  RunJson("export --scene " + Scene() + " --ifc " + Path("first.ifc"));
  RunJson("export --scene " + Scene() + " --ifc " + Path("again.ifc"));
  EXPECT_EQ(Bytes("first.ifc"), Bytes("again.ifc"));
  const IfcFileRead first = ReadIfcWithIfcpp(Path("first.ifc"));
  ASSERT_EQ(first.products.size(), 1u);
  // IFC++ decodes the Ü but hands the apostrophe and the backslash over as the file escapes them
  // (doubled), which tells that the file's strings end where they should.
  EXPECT_EQ(first.products[0].name, "HEA 200 x 1500 Pos. Ü''1\\\\a");
  EXPECT_EQ(first.products[0].tag, "Pos. Ü''1\\\\a");
  EXPECT_EQ(first.products[0].globalId.size(), 22u);

  ASSERT_EQ(Run("edit --scene " + Scene() + " --prefs " + Path("prefs.txt") + " --part \"HEA 200 x 1500 Pos. Ü'1\\a\" --length 2000").exitCode, 0);
  ASSERT_EQ(Run("set-length --scene " + Scene() + " --part \"HEA 200 x 2000 Pos. Ü'1\\a\" --length 2500").exitCode, 0);
  Drop("--family EN --type UPN --size 100 --length 1000");
  // A frame made into the scene: its members' identities are new ones, above those there are.
  const std::string members = folder_.WriteBytes("members.csv", "mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n"
                                                                "A,HE,IPE,300,,0,0,0,1000,0,0,0\nB,HE,IPE,300,,0,500,0,1000,500,0,0\n");
  ASSERT_EQ(Run("frame --scene " + Scene() + " --prefs " + Path("prefs.txt") + " " + members).exitCode, 0);
  RunJson("export --scene " + Scene() + " --ifc " + Path("edited.ifc"));
  std::set<std::string> ids;
  for (const IfcProductRead& product : ReadIfcWithIfcpp(Path("edited.ifc")).products) ids.insert(product.globalId);
  EXPECT_EQ(ids.size(), 4u);
  const auto edited = ByName(ReadIfcWithIfcpp(Path("edited.ifc")));
  ASSERT_TRUE(edited.count("HEA 200 x 2500 Pos. Ü''1\\\\a"));
  EXPECT_EQ(edited.at("HEA 200 x 2500 Pos. Ü''1\\\\a").globalId, first.products[0].globalId);
  EXPECT_NE(edited.at("UPN 100 x 1000").globalId, first.products[0].globalId);
  // One part alone.
  RunJson("export --scene " + Scene() + " --part \"UPN 100 x 1000\" --ifc " + Path("one.ifc"));
  const IfcFileRead one = ReadIfcWithIfcpp(Path("one.ifc"));
  ASSERT_EQ(one.products.size(), 1u);
  EXPECT_EQ(one.products[0].globalId, edited.at("UPN 100 x 1000").globalId);
}

TEST_F(IfcExportTest, WhatCannotBeWrittenLeavesNothingAndADamagedPartIsWrittenAsItsOutline) {
  Drop("--family EN --type HE --standard HEA --size 200 --length 1500");
  const std::string before = Bytes("scene.json");
  const auto onto = Run("export --scene " + Scene() + " --ifc " + Scene());
  EXPECT_EQ(onto.exitCode, 2);
  EXPECT_NE(onto.err.find("--ifc names the scene file itself"), std::string::npos) << onto.err;
  EXPECT_EQ(Bytes("scene.json"), before);
  // Beside a STEP file that could be written: neither is.
  const auto nowhere = Run("export --scene " + Scene() + " --step " + Path("model.step") + " --ifc " + Path("missing/model.ifc"));
  EXPECT_EQ(nowhere.exitCode, 1) << nowhere.err;
  EXPECT_NE(nowhere.err.find("missing/model.ifc"), std::string::npos) << nowhere.err;
  EXPECT_FALSE(std::filesystem::exists(Path("missing")));
  EXPECT_FALSE(std::filesystem::exists(Path("model.step")));
  // An existing file stays as it was when the export fails.
  folder_.WriteBytes("kept.ifc", "kept");
  std::filesystem::permissions(Path("kept.ifc"), std::filesystem::perms::owner_read);
  EXPECT_EQ(Run("export --scene " + Scene() + " --ifc " + Path("kept.ifc")).exitCode, 1);
  EXPECT_EQ(Bytes("kept.ifc"), "kept");

  // A part whose stored type code says channel but whose outline is an HEA's.
  std::string text = before;
  const std::string code = "{\"kind\":1,\"index\":1,\"value\":{\"type\":\"I2\",\"value\":1}}";
  ASSERT_NE(text.find(code), std::string::npos);
  text.replace(text.find(code), code.size(), "{\"kind\":1,\"index\":1,\"value\":{\"type\":\"I2\",\"value\":3}}");
  folder_.WriteBytes("scene.json", text);
  const Json exported = RunJson("export --scene " + Scene() + " --ifc " + Path("model.ifc"));
  ASSERT_EQ(exported["notes"].size(), 1u);
  EXPECT_NE(exported["notes"][0].get<std::string>().find("\"HEA 200 x 1500\": its stored data names no catalogue profile"),
            std::string::npos) << exported["notes"];
  const IfcFileRead file = ReadIfcWithIfcpp(Path("model.ifc"));
  ASSERT_EQ(file.products.size(), 1u);
  EXPECT_EQ(file.products[0].profileEntity, "IfcArbitraryClosedProfileDef");
  EXPECT_NEAR(file.products[0].outlineAreaMm2, 5383.124, 0.001);  // HEA 200 exactly, root fillets included
}

TEST(GlobalIds, AreTwentyTwoCharactersOfIfcsAlphabetTheSameForAKeyAndApartForOthers) {
  std::set<std::string> ids;
  for (int i = 0; i < 10000; ++i) {
    const std::string id = zembrati::ifc::GlobalIdOf("part " + std::to_string(i));
    ASSERT_EQ(id.size(), 22u);
    EXPECT_NE(std::string("0123").find(id[0]), std::string::npos) << id;  // 128 bits: the first holds two
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$"), std::string::npos);
    ids.insert(id);
  }
  EXPECT_EQ(ids.size(), 10000u);
  EXPECT_EQ(zembrati::ifc::GlobalIdOf("part 7"), zembrati::ifc::GlobalIdOf("part 7"));
}

}  // namespace
