#include "step/step_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../scene_test_support.h"

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
  WriteStep({{beam.get(), turned}, {tube.get(), {}}, {rhs.get(), {}}, {tee.get(), turned}}, path.string());
  const StepContents contents = ReadStepContents(path.string());
  EXPECT_EQ(contents.solids, 4);
  const double expected = beam->section->area * 1500 + tube->section->area * 1000 +
                          rhs->section->area * 600 + tee->section->area * 700;
  EXPECT_NEAR(contents.volume, expected, expected * 1e-7);
  fs::remove(path);
}

}  // namespace
}  // namespace zembrati::scene
