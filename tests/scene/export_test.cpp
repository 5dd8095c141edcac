#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "export/mesh.h"
#include "export/stl_export.h"
#include "export/svg_export.h"
#include "scene_test_support.h"

namespace zembrati::scene {
namespace {

namespace fs = std::filesystem;

double SignedVolume(const Mesh& mesh) {
  double volume = 0;
  for (const auto& t : mesh.triangles) {
    const Vector3 a = t[0], b = t[1], c = t[2];
    volume += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6;
  }
  return volume;
}

// Closed and consistently oriented: every directed edge is met once, and its reverse once.
void ExpectClosed(const Mesh& mesh) {
  using Key = std::array<double, 6>;
  std::map<Key, int> directed;
  for (const auto& t : mesh.triangles) {
    for (int i = 0; i < 3; ++i) {
      const Vector3 a = t[static_cast<std::size_t>(i)], b = t[static_cast<std::size_t>((i + 1) % 3)];
      ++directed[{a.x, a.y, a.z, b.x, b.y, b.z}];
    }
  }
  int unmatched = 0;
  for (const auto& [edge, count] : directed) {
    const auto reverse = directed.find({edge[3], edge[4], edge[5], edge[0], edge[1], edge[2]});
    if (count != 1 || reverse == directed.end() || reverse->second != 1) ++unmatched;
  }
  EXPECT_EQ(unmatched, 0);
}

TEST(ExportTest, MeshesOfEverySectionAreClosedAndEncloseTheirVolume) {
  SceneHost host;
  const std::pair<std::int16_t, std::array<double, 21>> sections[] = {
      {1, test::Dims({190, 1500, 200, 6.5, 10, 18})},     {2, test::Dims({200, 900, 90, 7.5, 11.3, 7.5, 4.5})},
      {3, test::Dims({200, 900, 75, 8.5, 11.5, 11.5, 6})}, {4, test::Dims({80, 900, 40, 6, 7, 3.5})},
      {5, test::Dims({50, 900, 50, 6})},                   {6, test::Dims({60, 900, 60, 7, 7, 3.5, 2})},
      {7, test::Dims({60.3, 900, 4})},                     {8, test::Dims({100, 900, 5, 50})},
      {9, test::Dims({40, 900, 4})},                       {10, test::Dims({100, 900, 10})},
      {11, test::Dims({20, 900})},                         {12, test::Dims({20, 900})},
  };
  for (const auto& [code, dims] : sections) {
    SCOPED_TRACE(code);
    const NodePtr body = test::BuildSectionPart(host, code, dims);
    const Mesh mesh = MeshOfBody(*body, RigidTransform::FromPlacement({5, 6, 7, 0.5, 0.5, 0.5, 0.5}));
    ExpectClosed(mesh);
    const double exact = body->section->area * body->length;
    EXPECT_NEAR(SignedVolume(mesh), exact, exact * 2e-3);  // chords cut a little off every arc
  }
}

TEST(ExportTest, StlFileHoldsEveryTriangle) {
  SceneHost host;
  const NodePtr body = test::BuildSectionPart(host, 7, test::Dims({60.3, 1000, 4}));
  const Mesh mesh = MeshOfBody(*body, {});
  const fs::path path = fs::temp_directory_path() / "zembrati_export_test.stl";
  WriteStl(mesh, path.string(), "CHS 60.3x4");
  EXPECT_EQ(fs::file_size(path), 84 + 50 * mesh.triangles.size());
  fs::remove(path);
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// One mesh placed three times is the file of the three meshes made where the bodies stand,
// byte for byte.
TEST(ExportTest, AnInstancedStlIsTheFileOfEveryPlacedMesh) {
  SceneHost host;
  const NodePtr body = test::BuildSectionPart(host, 1, test::Dims({190, 1500, 200, 6.5, 10, 18}));
  const std::vector<RigidTransform> placements = {
      {}, RigidTransform::FromPlacement({5000, 0, 0, 0.5, 0.5, 0.5, 0.5}),
      RigidTransform::FromPlacement({-300, 12000, 4000, std::sqrt(0.5), 0, std::sqrt(0.5), 0})};
  const Mesh local = MeshOfBody(*body, {});
  Mesh all;
  std::vector<PlacedMesh> instances;
  for (const RigidTransform& placement : placements) {
    const Mesh placed = MeshOfBody(*body, placement);
    all.triangles.insert(all.triangles.end(), placed.triangles.begin(), placed.triangles.end());
    instances.push_back({&local, placement});
  }
  const fs::path flat = fs::temp_directory_path() / "zembrati_stl_flat.stl";
  const fs::path instanced = fs::temp_directory_path() / "zembrati_stl_instanced.stl";
  WriteStl(all, flat.string(), "three");
  WriteStl(instances, instanced.string(), "three");
  EXPECT_EQ(fs::file_size(instanced), 84 + 50 * 3 * local.triangles.size());
  EXPECT_EQ(Bytes(instanced), Bytes(flat));
  // Many pieces make one file: a mesh placed often enough to pass a piece's size several times.
  std::vector<PlacedMesh> many(40, PlacedMesh{&local, placements[1]});
  WriteStl(many, instanced.string(), "many");
  EXPECT_EQ(fs::file_size(instanced), 84 + 50 * 40 * local.triangles.size());
  fs::remove(flat);
  fs::remove(instanced);
}

TEST(ExportTest, SvgDrawsTheTrueArcsAndTheOverallDimensions) {
  SceneHost host;
  const NodePtr body = test::BuildSectionPart(host, 1, test::Dims({190, 1500, 200, 6.5, 10, 18}));
  const std::string svg = SectionSvg(*body->section, "HEA 200 <1500>");
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
  EXPECT_NE(svg.find("M -100 -95 L 100 -95"), std::string::npos);  // the top edge, y pointing down
  EXPECT_NE(svg.find(" A 18 18 0 0 "), std::string::npos);         // a root fillet
  EXPECT_NE(svg.find(">200</text>"), std::string::npos);
  EXPECT_NE(svg.find(">190</text>"), std::string::npos);
  EXPECT_NE(svg.find("HEA 200 &lt;1500&gt;"), std::string::npos);

  const NodePtr tube = test::BuildSectionPart(host, 7, test::Dims({60.3, 1000, 4}));
  const std::string tubeSvg = SectionSvg(*tube->section, "CHS");
  EXPECT_NE(tubeSvg.find("fill-rule=\"evenodd\""), std::string::npos);
  EXPECT_EQ(std::count(tubeSvg.begin(), tubeSvg.end(), 'Z'), 2);
}

}  // namespace
}  // namespace zembrati::scene

#include "section_part.h"

namespace zembrati::scene {
namespace {

TEST(SectionPictureTest, PicturesComeFromTheGeneratorsOutlines) {
  const auto beam = SectionPicture(1, geometry::SampleDims(1));
  ASSERT_TRUE(beam);
  ASSERT_EQ(beam->size(), 1u);
  EXPECT_GT(beam->front().size(), 12u);  // the root fillets are drawn as arcs
  const auto tube = SectionPicture(7, geometry::SampleDims(7));
  ASSERT_TRUE(tube);
  EXPECT_EQ(tube->size(), 2u);
  EXPECT_FALSE(SectionPicture(7, test::Dims({60.3, 1000, 40})));  // a wall thicker than the radius
  EXPECT_FALSE(SectionPicture(13, geometry::SampleDims(1)));
  EXPECT_TRUE(SectionPicture(12, test::Dims({20, 0})));  // a picture needs no length
}

}  // namespace
}  // namespace zembrati::scene
