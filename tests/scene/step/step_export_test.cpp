#include "step/step_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>

#include "../scene_test_support.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "scene_error.h"
#include "support/error_number.h"
#include "support/run_command.h"

namespace zembrati::scene {
namespace {

namespace fs = std::filesystem;

TEST(StepExportTest, SolidsReadBackWithTheirExactVolumeNamesAndIds) {
  SceneHost host;
  const NodePtr beam = test::BuildSectionPart(host, 1, test::Dims({190, 1500, 200, 6.5, 10, 18}));
  const NodePtr tube = test::BuildSectionPart(host, 7, test::Dims({60.3, 1000, 4}));
  const NodePtr rhs = test::BuildSectionPart(host, 8, test::Dims({100, 600, 5, 50}));
  const NodePtr tee = test::BuildSectionPart(host, 6, test::Dims({60, 700, 60, 7, 7, 3.5, 2}));
  const RigidTransform turned = RigidTransform::FromPlacement({100, 0, 50, 0.5, 0.5, 0.5, 0.5});
  const fs::path path = fs::temp_directory_path() / "zembrati_step_export_test.step";
  WriteStep({{beam.get(), turned, "HEA 200 x 1500", "HEA200", "S355J2"},
             {tube.get(), {}, "CFCHS 60.3x4 x 1000", "CFCHS60.3x4"},
             {rhs.get(), {}},
             {tee.get(), turned, "T 60 x 700"}},
            path.string(), "four parts");
  const StepContents contents = ReadStepContents(path.string());
  ASSERT_EQ(contents.solids.size(), 4u);
  EXPECT_EQ(contents.solidsWritten, 4);
  EXPECT_EQ(contents.instances, 4);
  // Each placed solid is named after its part; its product's id is the part number.
  std::vector<std::string> names;
  for (const StepSolidRead& solid : contents.solids) names.push_back(solid.name);
  EXPECT_EQ(names, (std::vector<std::string>{"HEA 200 x 1500", "CFCHS 60.3x4 x 1000", "test", "T 60 x 700"}));
  std::map<std::string, std::string> ids;
  for (std::size_t i = 0; i < contents.names.size(); ++i) ids[contents.names[i]] = contents.ids[i];
  EXPECT_EQ(ids, (std::map<std::string, std::string>{{"four parts", "four parts"},
                                                      {"HEA 200 x 1500", "HEA200"},
                                                      {"CFCHS 60.3x4 x 1000", "CFCHS60.3x4"},
                                                      {"test", "test"},
                                                      {"T 60 x 700", "T 60 x 700"}}));
  const double expected = beam->section->area * 1500 + tube->section->area * 1000 +
                          rhs->section->area * 600 + tee->section->area * 700;
  EXPECT_NEAR(contents.volume, expected, expected * 1e-7);
  EXPECT_NEAR(contents.solids[0].volume, beam->section->area * 1500, 1e-6 * beam->section->area * 1500);
  fs::remove(path);
}

// The members of the README's portal frame, made by `frame` and exported one by one: each STEP
// solid stands between the points its row gives, its section around the axis.
TEST(StepExportTest, FrameMembersStandWhereTheMemberListSaysThem) {
  const fs::path folder = fs::temp_directory_path() / "zembrati_step_frame_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string cli = std::string(ZEMBRATI_CLI) + " ";
  const std::string scene = (folder / "portal.json").string(), prefs = " --prefs " + (folder / "prefs.txt").string();
  const auto run = [&](const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(cli + arguments + prefs, (folder / "err.txt").string());
  };
  ASSERT_EQ(run("frame --scene " + scene + " " + ZEMBRATI_DOCS_DIR "/portal-frame.csv").exitCode, 0);
  const auto boxOf = [&](const std::string& part) {
    const std::string file = (folder / "member.step").string();
    EXPECT_EQ(run("export --scene " + scene + " --part \"" + part + "\" --step " + file).exitCode, 0) << part;
    const StepContents contents = ReadStepContents(file);
    EXPECT_EQ(contents.solids.size(), 1u) << part;
    return contents.solids.empty() ? std::array<double, 6>{} : contents.solids.front().box;
  };
  // C2 stands from (12000, 0, 0) to (12000, 0, 5200) turned a quarter: HEA 240, h 230 across X,
  // b 240 across Y.
  const auto column = boxOf("HEA 240 x 5200 C2");
  EXPECT_NEAR(column[0], 12000 - 115, 0.01);
  EXPECT_NEAR(column[3], 12000 + 115, 0.01);
  EXPECT_NEAR(column[1], -120, 0.01);
  EXPECT_NEAR(column[2], 0, 0.01);
  EXPECT_NEAR(column[5], 5200, 0.01);
  // P3 runs along Y at the ridge, from (6000, 0, 5820.8) to (6000, 6000, 5820.8), its web 140 high.
  const auto purlin = boxOf("UPN 140 x 6000 P3");
  EXPECT_NEAR(purlin[1], 0, 0.01);
  EXPECT_NEAR(purlin[4], 6000, 0.01);
  EXPECT_NEAR(purlin[2], 5820.8 - 70, 0.01);
  EXPECT_NEAR(purlin[5], 5820.8 + 70, 0.01);
  // R2 rises from (12000, 0, 5000) towards the ridge (6000, 0, 5600), 6029.9 mm long (the
  // distance to 0.1 mm): its end faces square to the slope, its web (300 deep) as near upright as
  // the slope allows, its flanges 150 wide.
  const auto rafter = boxOf("IPE 300 x 6029.9 R2");
  const double distance = std::hypot(6000.0, 600.0), cosine = 6000 / distance, sine = 600 / distance;
  EXPECT_NEAR(rafter[0], 12000 - 6029.9 * cosine - 150 * sine, 0.01);
  EXPECT_NEAR(rafter[3], 12000 + 150 * sine, 0.01);
  EXPECT_NEAR(rafter[4] - rafter[1], 150, 0.01);
  EXPECT_NEAR(rafter[2], 5000 - 150 * cosine, 0.01);
  EXPECT_NEAR(rafter[5], 5000 + 6029.9 * sine + 150 * cosine, 0.01);
  fs::remove_all(folder);
}

// Coordinates the modeller cannot work with never reach it; the file is not written.
TEST(StepExportTest, PlacementsOutsideTheModellingRangeAreRefused) {
  SceneHost host;
  const NodePtr beam = test::BuildSectionPart(host, 1, test::Dims({190, 1500, 200, 6.5, 10, 18}));
  const fs::path path = fs::temp_directory_path() / "zembrati_step_range_test.step";
  fs::remove(path);
  for (const double bad : {std::numeric_limits<double>::infinity(), std::nan(""), 1e300}) {
    RigidTransform placement;
    placement.translation.y = bad;
    try {
      WriteStep({{beam.get(), placement}}, path.string(), "out of range");
      FAIL() << bad;
    } catch (const runtime::RuntimeError& e) {
      EXPECT_EQ(e.number(), scene_error::kNonFinite);
    }
    EXPECT_FALSE(fs::exists(path));
  }
  // Nor does a placement object put a shape at infinity.
  automation::ScopedObjectCreator creator(host);
  const automation::ObjectRef placement = host::CreateHostObject(host::kPlacementObject);
  host::SetTarget(placement, host.Wrap(beam));
  host::SetP(placement, 2, std::nan(""));
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Apply(placement); }), scene_error::kNonFinite);
  EXPECT_EQ(beam->placement.translation.y, 0);
}

}  // namespace
}  // namespace zembrati::scene
