// Jointed members as a CAD program receives them: frames made by the command line, exported as
// STEP and read back by the solid modeller's own reader, their solids checked for overlap and
// contact as a detailer checks a model.
#include <BRepAdaptor_Surface.hxx>
#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Section.hxx>
#include <BRepBndLib.hxx>
#include <BRepExtrema_DistShapeShape.hxx>
#include <BRepGProp.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "support/run_command.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kMembers = "mark,type,standard,size,thickness,x1,y1,z1,x2,y2,z2,roll\n";

class JointSolidsTest : public ::testing::Test {
 protected:

  std::string File(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return (folder_ / name).string();
  }
  int Run(const std::string& arguments) {
    return zembrati::testing::RunCapturingErrors(std::string(ZEMBRATI_CLI) + " " + arguments + " --prefs " +
                                                     (folder_ / "prefs.txt").string(),
                                                 (folder_ / "stderr.txt").string())
        .exitCode;
  }
  // The frame's members as STEP solids read back by the modeller, in the order of the list.
  std::vector<TopoDS_Shape> Solids(const std::string& members, const std::string& joints) {
    const std::string scene = (folder_ / "scene.json").string(), step = (folder_ / "frame.step").string();
    const std::string jointList = joints.empty() ? joints : " --joints " + File("joints.csv", joints);
    EXPECT_EQ(Run("frame --scene " + scene + " " + File("members.csv", members) + jointList), 0);
    EXPECT_EQ(Run("export --scene " + scene + " --step " + step), 0);
    STEPControl_Reader reader;
    EXPECT_EQ(reader.ReadFile(step.c_str()), IFSelect_RetDone);
    reader.TransferRoots();
    std::vector<TopoDS_Shape> solids;
    for (TopExp_Explorer solid(reader.OneShape(), TopAbs_SOLID); solid.More(); solid.Next()) solids.push_back(solid.Current());
    return solids;
  }

  zembrati::testing::TempFolder temp_;
  fs::path folder_ = temp_.Path("");
};

double Volume(const TopoDS_Shape& shape) {
  GProp_GProps properties;
  BRepGProp::VolumeProperties(shape, properties);
  return properties.Mass();
}

double Overlap(const TopoDS_Shape& a, const TopoDS_Shape& b) { return Volume(BRepAlgoAPI_Common(a, b).Shape()); }

double Gap(const TopoDS_Shape& a, const TopoDS_Shape& b) {
  BRepExtrema_DistShapeShape distance(a, b);
  return distance.Value();
}

// The total length of the curves along which the surfaces of two solids meet.
double ContactLength(const TopoDS_Shape& a, const TopoDS_Shape& b) {
  double length = 0;
  for (TopExp_Explorer edge(BRepAlgoAPI_Section(a, b).Shape(), TopAbs_EDGE); edge.More(); edge.Next()) {
    GProp_GProps properties;
    BRepGProp::LinearProperties(edge.Current(), properties);
    length += properties.Mass();
  }
  return length;
}

// The faces of a solid that lie on the plane through `point` with normal `normal`.
std::vector<TopoDS_Face> FacesOnPlane(const TopoDS_Shape& solid, gp_Pnt point, gp_Dir normal) {
  std::vector<TopoDS_Face> faces;
  for (TopExp_Explorer explorer(solid, TopAbs_FACE); explorer.More(); explorer.Next()) {
    const TopoDS_Face& face = TopoDS::Face(explorer.Current());
    const BRepAdaptor_Surface surface(face);
    if (surface.GetType() != GeomAbs_Plane) continue;
    const gp_Pln plane = surface.Plane();
    if (plane.Axis().Direction().IsParallel(normal, 1e-9) && plane.Distance(point) < 1e-6) faces.push_back(face);
  }
  return faces;
}

TEST_F(JointSolidsTest, AMitredWindowsMembersTouchAtTheirCornersAndNowhereOverlap) {
  const std::vector<TopoDS_Shape> solids = Solids(std::string(kMembers) +
                                                      "A,QUADCAVO,SHS EN 10210,100,5,0,0,0,1000,0,0,0\n"
                                                      "B,QUADCAVO,SHS EN 10210,100,5,1000,0,0,1000,0,600,0\n"
                                                      "C,QUADCAVO,SHS EN 10210,100,5,1000,0,600,0,0,600,0\n"
                                                      "D,QUADCAVO,SHS EN 10210,100,5,0,0,600,0,0,0,0\n",
                                                  "mark,end,kind,to,gap\nA,end,mitre,B,\nB,end,mitre,C,\nC,end,mitre,D,\n"
                                                  "D,end,mitre,A,\n");
  ASSERT_EQ(solids.size(), 4u);
  Bnd_Box all;
  for (std::size_t i = 0; i < 4; ++i) {
    BRepBndLib::AddOptimal(solids[i], all, false, false);
    for (std::size_t j = i + 1; j < 4; ++j) {
      EXPECT_LT(Overlap(solids[i], solids[j]), 1e-3) << i << " and " << j;
      if (j == i + 1 || (i == 0 && j == 3)) {
        EXPECT_LT(Gap(solids[i], solids[j]), 1e-6) << i << " and " << j;
        EXPECT_GT(ContactLength(solids[i], solids[j]), 4 * 100 * std::numbers::sqrt2 - 1) << i << " and " << j;
      }
    }
  }
  double x0, y0, z0, x1, y1, z1;
  all.Get(x0, y0, z0, x1, y1, z1);
  EXPECT_NEAR(x0, -50, 1e-6);
  EXPECT_NEAR(x1, 1050, 1e-6);
  EXPECT_NEAR(z0, -50, 1e-6);
  EXPECT_NEAR(z1, 650, 1e-6);
}

TEST_F(JointSolidsTest, APortalKneesTwoCutFacesAreOneOutlineOnOnePlane) {
  const std::vector<TopoDS_Shape> solids = Solids(std::string(kMembers) +
                                                      "C1,HE,IPE,300,,0,0,0,0,0,5000,90\n"
                                                      "R1,HE,IPE,300,,0,0,5000,6000,0,5600,0\n",
                                                  "mark,end,kind,to,gap\nC1,end,mitre,R1,\n");
  ASSERT_EQ(solids.size(), 2u);
  const gp_Vec intoColumn(0, 0, -1), intoRafter = gp_Vec(6000, 0, 600).Normalized();
  const gp_Dir normal(intoRafter - intoColumn);
  const gp_Pnt knee(0, 0, 5000);
  const std::vector<TopoDS_Face> column = FacesOnPlane(solids[0], knee, normal);
  const std::vector<TopoDS_Face> rafter = FacesOnPlane(solids[1], knee, normal);
  ASSERT_EQ(column.size(), 1u);
  ASSERT_EQ(rafter.size(), 1u);
  GProp_GProps a, b;
  BRepGProp::SurfaceProperties(column[0], a);
  BRepGProp::SurfaceProperties(rafter[0], b);
  EXPECT_NEAR(a.Mass(), b.Mass(), 1e-6 * a.Mass());
  EXPECT_LT(a.CentreOfMass().Distance(b.CentreOfMass()), 1e-6);
  // The two outlines coincide: the faces' common part is each of them whole.
  GProp_GProps common;
  BRepGProp::SurfaceProperties(BRepAlgoAPI_Common(column[0], rafter[0]).Shape(), common);
  EXPECT_NEAR(common.Mass(), a.Mass(), 1e-6 * a.Mass());
  EXPECT_LT(Overlap(solids[0], solids[1]), 1e-3);
}

TEST_F(JointSolidsTest, ButtedBeamsMeetTheColumnsFacesWithoutEnteringThem) {
  const std::vector<TopoDS_Shape> solids = Solids(std::string(kMembers) +
                                                      "C1,HE,HEA,240,,0,0,0,0,0,5000,0\n"
                                                      "B1,HE,IPE,300,,0,2000,3000,0,0,3000,0\n"
                                                      "B2,HE,IPE,300,,2000,0,3000,0,0,3000,0\n"
                                                      "B3,HE,IPE,300,,0,-2000,2600,0,0,2800,0\n",
                                                  "mark,end,kind,to,gap,plane\nB1,end,butt,C1,,\nB2,end,butt,C1,,\n"
                                                  "B3,end,butt,C1,,yes\n");
  ASSERT_EQ(solids.size(), 4u);
  for (std::size_t beam = 1; beam < 4; ++beam) {
    EXPECT_LT(Overlap(solids[0], solids[beam]), 1e-3) << beam;
    EXPECT_LT(Gap(solids[0], solids[beam]), 1e-6) << beam;
  }
  // The sloping beam cut on the flange's plane lies on it with its whole end face.
  const std::vector<TopoDS_Face> end = FacesOnPlane(solids[3], gp_Pnt(0, -115, 0), gp::DY());
  ASSERT_EQ(end.size(), 1u);
  GProp_GProps face;
  BRepGProp::SurfaceProperties(end[0], face);
  EXPECT_GT(face.Mass(), 5380 * 0.99);  // IPE 300's area, a little more on the slanting plane
}

TEST_F(JointSolidsTest, CopedTubesSitOnTheChordAlongTheirSaddle) {
  const std::vector<TopoDS_Shape> solids = Solids(std::string(kMembers) +
                                                      "M,TUBO,CHS EN 10210,114.3,6.3,-500,0,0,500,0,0,0\n"
                                                      "T,TUBO,CHS EN 10210,60.3,5,-200,0,400,-200,0,0,0\n"
                                                      "S,TUBO,CHS EN 10210,60.3,5,300,0,400,0,0,0,0\n",
                                                  "mark,end,kind,to,gap\nT,end,cope,M,\nS,end,cope,M,\n");
  ASSERT_EQ(solids.size(), 3u);
  for (std::size_t brace = 1; brace < 3; ++brace) {
    EXPECT_LT(Overlap(solids[0], solids[brace]), 1e-2) << brace;
    EXPECT_LT(Gap(solids[0], solids[brace]), 1e-6) << brace;
    // Both skins of the brace end on the chord: the saddles are longer than the circles.
    EXPECT_GT(ContactLength(solids[0], solids[brace]), 2 * std::numbers::pi * (30.15 + 25.15)) << brace;
  }
}

TEST_F(JointSolidsTest, TheReadmesPortalHasNoTwoMembersInEachOther) {
  std::ifstream list(ZEMBRATI_DOCS_DIR "/portal-frame.csv"), joints(ZEMBRATI_DOCS_DIR "/portal-joints.csv");
  const std::vector<TopoDS_Shape> solids = Solids({std::istreambuf_iterator<char>(list), {}},
                                                  {std::istreambuf_iterator<char>(joints), {}});
  ASSERT_EQ(solids.size(), 15u);
  for (std::size_t i = 0; i < solids.size(); ++i) {
    for (std::size_t j = i + 1; j < solids.size(); ++j) EXPECT_LT(Overlap(solids[i], solids[j]), 1e-2) << i << " and " << j;
  }
  // Each rafter sits on its column's flange and meets the other at the ridge.
  EXPECT_LT(Gap(solids[0], solids[4]), 1e-6);
  EXPECT_LT(Gap(solids[4], solids[5]), 1e-6);
}

}  // namespace
