#include "step/step_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "../scene_test_support.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "scene_error.h"
#include "support/error_number.h"

namespace zembrati::scene {
namespace {

namespace fs = std::filesystem;

TEST(StepExportTest, SolidsReadBackWithTheirExactVolume) {
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
            path.string());
  const StepContents contents = ReadStepContents(path.string());
  EXPECT_EQ(contents.solids, 4);
  // Each solid is a product named after its part, its part number as its id.
  EXPECT_EQ(contents.names, (std::vector<std::string>{"HEA 200 x 1500", "CFCHS 60.3x4 x 1000", "test", "T 60 x 700"}));
  EXPECT_EQ(contents.ids, (std::vector<std::string>{"HEA200", "CFCHS60.3x4", "test", "T 60 x 700"}));
  const double expected = beam->section->area * 1500 + tube->section->area * 1000 +
                          rhs->section->area * 600 + tee->section->area * 700;
  EXPECT_NEAR(contents.volume, expected, expected * 1e-7);
  fs::remove(path);
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
      WriteStep({{beam.get(), placement}}, path.string());
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
