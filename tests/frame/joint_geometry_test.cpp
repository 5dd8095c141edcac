// Joints solved from real members: sections drawn by the system's generators on the built-in
// host, placed between two points as frames place them.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "axis_entry.h"
#include "joints.h"
#include "member_axes.h"
#include "scene/scene_test_support.h"
#include "section/boundary_queries.h"
#include "vector_math.h"

namespace zembrati::frame {
namespace {

using scene::JointKind;
using scene::JointRecord;
using scene::NodePtr;
using scene::Vector3;

constexpr std::int16_t kHE = 1, kUPN = 3, kAngle = 4, kTube = 7, kSquareTube = 9;

// HEA 200: h 190, b 200, tw 6.5, tf 10, r 18.
std::array<double, 21> Hea200(double length) { return scene::test::Dims({190, length, 200, 6.5, 10, 18}); }
// SHS 100x5 and CHS 60.3x4, CHS 114.3x6.3.
std::array<double, 21> Shs100(double length) { return scene::test::Dims({100, length, 5}); }
std::array<double, 21> Chs(double diameter, double wall, double length) {
  return scene::test::Dims({diameter, length, wall});
}

class JointGeometryTest : public ::testing::Test {
 protected:
  // A member from `start` to `end`, turned by `roll` about its axis, as a frame makes one.
  NodePtr AddMember(std::int16_t typeCode, std::array<double, 21> dims, Vector3 start, Vector3 end, double roll = 0) {
    dims[1] = scene::Distance(start, end);
    const NodePtr body = scene::test::BuildSectionPart(host_, typeCode, dims);
    scene::RebuildBody(*body);
    const NodePtr part = body->OwningShape();
    part->placement = *scene::MemberPlacement(start, end, roll);
    part->name = "member " + std::to_string(host_.document().Parts().size());
    return part;
  }
  Member M(const NodePtr& part) { return *MemberOf(part); }
  scene::Document& Scene() { return host_.document(); }

  scene::SceneHost host_;
};

void ExpectNear(Vector3 actual, Vector3 expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST_F(JointGeometryTest, AnAxisEntersThroughTheFaceItMeetsFirst) {
  const NodePtr column = AddMember(kHE, Hea200(1000), {0, 0, 0}, {0, 0, 1000});
  const scene::Section& hea = *M(column).section;
  // Square onto the flange: in at its outer face, out at the other flange's.
  auto entry = FirstEntry(hea, 1000, {0, 500, 50}, {0, -1, 0}, Inside::Material);
  ASSERT_TRUE(entry);
  EXPECT_NEAR(entry->t, 405, 1e-9);
  ExpectNear(entry->normal, {0, 1, 0});
  EXPECT_NEAR(entry->exit, 595, 1e-9);
  // Between the flanges onto the web.
  entry = FirstEntry(hea, 1000, {500, 0, 50}, {-1, 0, 0}, Inside::Material);
  ASSERT_TRUE(entry);
  EXPECT_NEAR(entry->t, 500 - 3.25, 1e-9);
  ExpectNear(entry->normal, {1, 0, 0});
  // Along the axis, in through the end face; beside the section, never.
  entry = FirstEntry(hea, 1000, {0, 0, -100}, {0, 0, 1}, Inside::Material);
  ASSERT_TRUE(entry);
  EXPECT_NEAR(entry->t, 100, 1e-9);
  ExpectNear(entry->normal, {0, 0, -1});
  EXPECT_FALSE(FirstEntry(hea, 1000, {500, 300, 50}, {-1, 0, 0}, Inside::Material));
  EXPECT_FALSE(FirstEntry(hea, 1000, {0, 500, 1050}, {0, -1, 0}, Inside::Material));  // above its top
  // From inside the material it is already in.
  entry = FirstEntry(hea, 1000, {0, 0, 50}, {1, 0, 0}, Inside::Material);
  ASSERT_TRUE(entry);
  EXPECT_LE(entry->t, 0);

  // A tube's material is its wall; within its outline, the bore counts too.
  const NodePtr tube = AddMember(kTube, Chs(60.3, 4, 1000), {0, 0, 0}, {0, 0, 1000});
  const scene::Section& chs = *M(tube).section;
  entry = FirstEntry(chs, 1000, {100, 0, 50}, {-1, 0, 0}, Inside::Material);
  ASSERT_TRUE(entry);
  EXPECT_NEAR(entry->t, 100 - 30.15, 1e-9);
  EXPECT_NEAR(entry->exit, 100 - 26.15, 1e-9);
  ExpectNear(entry->normal, {1, 0, 0}, 1e-12);
  entry = FirstEntry(chs, 1000, {100, 0, 50}, {-1, 0, 0}, Inside::Outline);
  ASSERT_TRUE(entry);
  EXPECT_NEAR(entry->exit, 100 + 30.15, 1e-9);
  // Into the bore along the axis, the material starts at the far end's wall only from outside it.
  EXPECT_FALSE(FirstEntry(chs, 1000, {0, 0, -100}, {0, 0, 1}, Inside::Material));
}

TEST_F(JointGeometryTest, AMitreCutsBothEndsOnTheBisectingPlane) {
  const NodePtr a = AddMember(kSquareTube, Shs100(1000), {0, 0, 0}, {1000, 0, 0});
  const NodePtr b = AddMember(kSquareTube, Shs100(600), {1000, 0, 0}, {1000, 0, 600});
  JointRecord joint{0, MemberEnd::End, JointKind::Mitre, 0, MemberEnd::Start, 4, 0, false};
  const JointCuts cuts = SolveJoint(joint, M(a), M(b));
  ASSERT_TRUE(cuts.cut.plane && cuts.otherCut && cuts.otherCut->plane);
  // In the scene the plane bisects the corner: its normal (1, 0, 1)/√2 out of a (towards b), each
  // cut 2 mm back from it.
  const double h = std::sqrt(0.5);
  const scene::CutPlane inA = *cuts.cut.plane, inB = *cuts.otherCut->plane;
  ExpectNear(M(a).frame.Rotate(inA.normal), {h, 0, h});
  ExpectNear(M(b).frame.Rotate(inB.normal), {-h, 0, -h});
  EXPECT_NEAR(scene::Dot(M(a).frame.Map(inA.point) - Vector3{1000, 0, 0}, {h, 0, h}), -2, 1e-9);
  EXPECT_NEAR(scene::Dot(M(b).frame.Map(inB.point) - Vector3{1000, 0, 0}, {h, 0, h}), 2, 1e-9);
  // 45° from square in the plane of the bend, nothing across it.
  const scene::EndAngles angles = scene::AnglesOf(*M(a).section, cuts.cut);
  EXPECT_NEAR(std::fabs(angles.web) + std::fabs(angles.flange), 45, 1e-9);
  EXPECT_NEAR(std::fabs(angles.web) * std::fabs(angles.flange), 0, 1e-9);
  EXPECT_EQ(cuts.cut.joint->kind, "mitre");
  EXPECT_EQ(cuts.cut.joint->other.lock(), b);
}

TEST_F(JointGeometryTest, AMitreNeedsASharedEndAndAnAngle) {
  const NodePtr a = AddMember(kSquareTube, Shs100(1000), {0, 0, 0}, {1000, 0, 0});
  const NodePtr apart = AddMember(kSquareTube, Shs100(600), {1000.5, 0, 0}, {1000.5, 0, 600});
  const NodePtr inLine = AddMember(kSquareTube, Shs100(600), {1000, 0, 0}, {1600, 0, 0});
  const NodePtr near = AddMember(kSquareTube, Shs100(600), {1000, 0, 0.09}, {1000, 0, 600});
  JointRecord joint{0, MemberEnd::End, JointKind::Mitre, 0, MemberEnd::Start, 0, 0, false};
  try {
    SolveJoint(joint, M(a), M(apart));
    ADD_FAILURE() << "a mitre between ends 0.5 mm apart";
  } catch (const JointError& error) {
    EXPECT_NE(std::string(error.what()).find("0.5 mm"), std::string::npos) << error.what();
  }
  EXPECT_THROW(SolveJoint(joint, M(a), M(inLine)), JointError);
  EXPECT_NO_THROW(SolveJoint(joint, M(a), M(near)));
  // An extension that brings the end to the other's is made before the mitre is solved.
  joint.extend = 0.5;
  EXPECT_NO_THROW(SolveJoint(joint, M(a), M(apart)));
  joint.extend = -1000;
  EXPECT_THROW(SolveJoint(joint, M(a), M(apart)), JointError);
}

TEST_F(JointGeometryTest, AButtEndsWhereTheAxisMeetsTheOther) {
  const NodePtr column = AddMember(kHE, Hea200(3000), {0, 0, 0}, {0, 0, 3000});
  // A beam rising at 10 % onto the flange (its face at y = 95), from far off.
  const NodePtr beam = AddMember(kHE, Hea200(2000), {0, 2000, 2000}, {0, 0, 2200});
  JointRecord joint{0, MemberEnd::End, JointKind::Butt, 0, MemberEnd::Start, 0, 0, false};
  const Member b = M(beam);
  const JointCuts square = SolveJoint(joint, b, M(column));
  const Vector3 at = b.frame.Map(square.cut.plane->point);
  EXPECT_NEAR(at.y, 95, 1e-9);
  ExpectNear(b.frame.Rotate(square.cut.plane->normal), b.Direction(), 1e-12);
  // On the face's plane: the cut is the face itself.
  joint.onFacePlane = true;
  joint.gap = 5;
  const JointCuts onFace = SolveJoint(joint, b, M(column));
  ExpectNear(b.frame.Rotate(onFace.cut.plane->normal), {0, -1, 0}, 1e-12);
  EXPECT_NEAR(b.frame.Map(onFace.cut.plane->point).y, 100, 1e-9);
  EXPECT_NEAR(std::fabs(scene::AnglesOf(*b.section, onFace.cut).web), std::atan(0.1) * 180 / std::numbers::pi, 1e-9);

  // An axis that passes the column by, and one that starts inside it, make no butt.
  const NodePtr beside = AddMember(kHE, Hea200(2000), {500, 2000, 2000}, {500, 0, 2000});
  EXPECT_THROW(SolveJoint(joint, M(beside), M(column)), JointError);
  const NodePtr inside = AddMember(kHE, Hea200(2000), {0, 0, 1000}, {0, 2000, 1000});
  EXPECT_THROW(SolveJoint(joint, M(inside), M(column)), JointError);
}

TEST_F(JointGeometryTest, ACopeKeepsTheOtherMembersOutlineAndStopsBeyondIt) {
  const NodePtr chord = AddMember(kTube, Chs(114.3, 6.3, 1000), {-500, 0, 0}, {500, 0, 0});
  const NodePtr brace = AddMember(kTube, Chs(60.3, 4, 400), {0, 0, 400}, {0, 0, 0});
  JointRecord joint{0, MemberEnd::End, JointKind::Cope, 0, MemberEnd::Start, 1, 0, false};
  const Member b = M(brace);
  const JointCuts cuts = SolveJoint(joint, b, M(chord));
  ASSERT_TRUE(cuts.cut.cope && cuts.cut.plane && cuts.cut.facePlane);
  // Square beyond the chord's far side (the bore counts: a cope goes to the skin), and the tool
  // is the chord's outline, grown by the gap, where the chord stands in the brace.
  EXPECT_NEAR(b.frame.Map(cuts.cut.plane->point).z, -57.15 - 1, 1e-9);
  EXPECT_EQ(cuts.cut.cope->gap, 1);
  EXPECT_EQ(cuts.cut.cope->outline.elements.size(), M(chord).section->outline.elements.size());
  ExpectNear(b.frame.After(cuts.cut.cope->frame).Map({0, 0, 0}), {-500, 0, 0}, 1e-9);
  EXPECT_NEAR(b.frame.Map(cuts.cut.facePlane->point).z, 57.15 + 1, 1e-9);
  // A body cut by a cope has no closed-form volume: the modeller measures it.
  scene::BodyCuts bodyCuts;
  bodyCuts.end = cuts.cut;
  EXPECT_FALSE(scene::PlaneCutExtent(*b.section, b.length, &bodyCuts));
}

TEST_F(JointGeometryTest, PlaneCutsGiveTheExactVolumeAndTipToTipLength) {
  const NodePtr a = AddMember(kSquareTube, Shs100(1000), {0, 0, 0}, {1000, 0, 0});
  const NodePtr b = AddMember(kSquareTube, Shs100(600), {1000, 0, 0}, {1000, 0, 600});
  const JointCuts cuts = SolveJoint({0, MemberEnd::End, JointKind::Mitre, 0, MemberEnd::Start, 0, 0, false}, M(a), M(b));
  scene::BodyCuts bodyCuts;
  bodyCuts.end = cuts.cut;
  const Member member = M(a);
  const auto extent = scene::PlaneCutExtent(*member.section, member.length, &bodyCuts);
  ASSERT_TRUE(extent);
  // The outer corner reaches half the depth past the axis point; the inner one stops short by as
  // much, and the centroid, on the axis, keeps the volume of the axis length.
  EXPECT_NEAR(extent->zMax - extent->zMin, 1050, 1e-9);
  EXPECT_NEAR(extent->volume, member.section->area * 1000, 1e-6);
  EXPECT_NEAR(scene::ShortestFibre(*member.section, member.length, bodyCuts), 950, 1e-9);
}

TEST_F(JointGeometryTest, TheSceneSolvesItsJointsAsTheMembersNowStand) {
  const NodePtr column = AddMember(kHE, Hea200(3000), {0, 0, 0}, {0, 0, 3000});
  const NodePtr beam = AddMember(kHE, Hea200(2000), {0, 2000, 2000}, {0, 0, 2000});
  AddJoint(Scene(), {beam, MemberEnd::End, JointKind::Butt, column, 0, 0, false}, "B1", "C1");
  ASSERT_EQ(Scene().joints.size(), 1u);
  EXPECT_NE(beam->id, 0u);
  EXPECT_NE(column->id, beam->id);
  const auto cutLength = [&] {
    const NodePtr body = scene::FirstBody(*beam);
    const auto extent = scene::PlaneCutExtent(*body->section, body->length, body->cuts.get());
    return extent->zMax - extent->zMin;
  };
  EXPECT_NEAR(cutLength(), 1905, 1e-9);
  // The column turned a quarter: the beam now meets its web, 3.25 from the axis.
  column->placement = *scene::MemberPlacement({0, 0, 0}, {0, 0, 3000}, 90);
  EXPECT_TRUE(SolveJoints(Scene()).empty());
  EXPECT_NEAR(cutLength(), 2000 - 3.25, 1e-9);
  // The column moved out of its way: the joint no longer holds, and the end is left square.
  column->placement = *scene::MemberPlacement({0, 500, 0}, {0, 500, 3000}, 0);
  column->placement.translation = {900, 0, 0};
  const std::vector<JointProblem> problems = SolveJoints(Scene());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].reason.find("passes"), std::string::npos) << problems[0].reason;
  EXPECT_FALSE(scene::FirstBody(*beam)->cuts);

  // The same end twice, a member to itself: refused, the scene as it was.
  column->placement = *scene::MemberPlacement({0, 0, 0}, {0, 0, 3000}, 0);
  EXPECT_THROW(AddJoint(Scene(), {beam, MemberEnd::End, JointKind::Cope, column, 0, 0, false}, "B1", "C1"), JointError);
  EXPECT_THROW(AddJoint(Scene(), {beam, MemberEnd::Start, JointKind::Butt, beam, 0, 0, false}, "B1", "B1"), JointError);
  EXPECT_EQ(Scene().joints.size(), 1u);
  // Cuts that would cross inside the member: a gap as long as the beam.
  const NodePtr other = AddMember(kHE, Hea200(3000), {0, 2000, 0}, {0, 2000, 3000});
  const std::uint64_t identity = other->id;
  EXPECT_THROW(AddJoint(Scene(), {beam, MemberEnd::Start, JointKind::Butt, other, 1900, 0, false}, "B1", "C2"),
               JointError);
  EXPECT_EQ(other->id, identity);  // nothing of a joint that was not made is left

  // A member that leaves the scene takes its joints with it.
  EXPECT_EQ(RemoveJoints(Scene(), beam, MemberEnd::Start, nullptr), 0u);
  Scene().root->FirstComponent(scene::kind::kPartHolder)->shapes.erase(
      Scene().root->FirstComponent(scene::kind::kPartHolder)->shapes.begin());
  EXPECT_TRUE(SolveJoints(Scene()).empty());
  EXPECT_TRUE(Scene().joints.empty());
}

TEST(SectionSymmetry, TellsWhichWayASectionMirrorsOntoItself) {
  scene::SceneHost host;
  const auto section = [&](std::int16_t code, std::array<double, 21> dims) {
    const NodePtr body = scene::test::BuildSectionPart(host, code, dims);
    scene::RebuildBody(*body);
    return body->section;
  };
  const auto hea = section(kHE, Hea200(100));
  EXPECT_TRUE(scene::MirrorsOntoItself(*hea, true));
  EXPECT_TRUE(scene::MirrorsOntoItself(*hea, false));
  const auto upn = section(kUPN, scene::test::Dims({140, 100, 60, 7, 10, 10, 5}));
  EXPECT_TRUE(scene::MirrorsOntoItself(*upn, true));
  EXPECT_FALSE(scene::MirrorsOntoItself(*upn, false));
  const auto angle = section(kAngle, scene::test::Dims({60, 100, 60, 6, 8, 4}));
  EXPECT_FALSE(scene::MirrorsOntoItself(*angle, true));
  EXPECT_FALSE(scene::MirrorsOntoItself(*angle, false));
  EXPECT_TRUE(scene::IsRound(*section(kTube, Chs(60.3, 4, 100))));
  EXPECT_FALSE(scene::IsRound(*hea));
}

}  // namespace
}  // namespace zembrati::frame
