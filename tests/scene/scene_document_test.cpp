#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "automation/invoke.h"
#include "drop_hook.h"
#include "host/drop_hook_members.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "parts_set_aside.h"
#include "scene_error.h"
#include "scene_test_support.h"
#include "support/error_number.h"

namespace zembrati::scene {
namespace {

using automation::ObjectRef;
using automation::Variant;
using test::AddPart;

class SceneDocumentTest : public ::testing::Test {
 protected:
  SceneHost host_;
  automation::ScopedObjectCreator creator_{host_};
  ObjectRef page_ = host_.ActivePage();
  ObjectRef root_ = host::Shape(page_);
};

TEST_F(SceneDocumentTest, VariablesKeepTheValuesAndTypesTheyWereGiven) {
  const ObjectRef part = AddPart(host_);
  const ObjectRef block = host::Add(host::Components(part, 34));
  host::SetValue(host::Variable(block, 1, std::int16_t{5}), std::int16_t{2});
  host::SetValue(host::Variable(block, 2, std::int16_t{13}), "EN 10365");
  host::SetValue(host::Variable(block, 7), 1500.5);
  EXPECT_EQ(host::Value(host::Variable(block, 1, std::int16_t{5})).Describe(), "I2 2");
  EXPECT_EQ(host::Value(host::Variable(block, 2, std::int16_t{13})).Describe(), "S \"EN 10365\"");
  EXPECT_EQ(host::Value(host::Variable(block, 7)).Describe(), "R8 1500.5");
  // (kind, index) and single-index variables are separate.
  EXPECT_TRUE(host::Value(host::Variable(block, 5)).IsEmpty());
  EXPECT_EQ(host::Count(host::Components(part, 34)), 1);
  EXPECT_EQ(host::Count(host::Components(part, 25)), 0);
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Item(host::Components(part, 25), std::int16_t{1}); }), 9);
}

TEST_F(SceneDocumentTest, TheSceneTreeFindsPartsByIdentity) {
  const ObjectRef first = AddPart(host_);
  const ObjectRef second = AddPart(host_);
  host::SetName(second, "HEA 200 1500");
  const ObjectRef items = host::ChildShapes(root_);
  ASSERT_EQ(host::Count(items), 2);
  const ObjectRef item = host::Item(items, 2);
  EXPECT_TRUE(automation::SameObject(host::InstanceShape(item), second));
  EXPECT_FALSE(automation::SameObject(host::InstanceShape(item), first));
  EXPECT_EQ(host::Name(host::InstanceShape(item)), "HEA 200 1500");

  // Data objects stay on the item and come back as the same object.
  EXPECT_TRUE(host::DataObject(item, host::kSummaryObject.classId) == nullptr);
  const ObjectRef summary = host::CreateHostObject(host::kSummaryObject);
  host::SetDataObject(item, host::kSummaryObject.classId, summary);
  host::SetDescription(summary, "HEA 200 1500");
  const ObjectRef again = host::DataObject(host::Item(host::ChildShapes(root_), 2),
                                           host::kSummaryObject.classId);
  EXPECT_EQ(automation::GetProperty(again, "Description").ToText(), "HEA 200 1500");
}

TEST_F(SceneDocumentTest, ShapeServiceGivesTheParentAndRemovesAShape) {
  const ObjectRef part = AddPart(host_);
  const ObjectRef service = host::CreateHostObject(host::kShapeService);
  EXPECT_TRUE(automation::SameObject(host::GetParent(service, part), root_));
  host::Remove(service, part);
  EXPECT_EQ(host::Count(host::ChildShapes(root_)), 0);
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Remove(service, root_); }), scene_error::kBadArgument);
}

TEST_F(SceneDocumentTest, APlacementCapturedFromOneShapeReproducesItOnAnother) {
  const ObjectRef first = AddPart(host_);
  const ObjectRef second = AddPart(host_);
  const double half = std::numbers::sqrt2 / 2;  // a quarter turn about z
  const ObjectRef placement = host::CreateHostObject(host::kPlacementObject);
  host::SetTarget(placement, first);
  const double values[] = {10, 20, 30, half, 0, 0, half};
  for (int n = 1; n <= 7; ++n) host::SetP(placement, n, values[n - 1]);
  host::Apply(placement);

  const ObjectRef captured = host::CreateHostObject(host::kPlacementObject);
  host::Capture(captured, first);
  const ObjectRef copy = host::CreateHostObject(host::kPlacementObject);
  host::SetTarget(copy, second);
  for (int n = 1; n <= 7; ++n) host::SetP(copy, n, host::P(captured, n));
  host::Apply(copy);
  EXPECT_TRUE(NodeOf(second)->placement.NearlyEquals(NodeOf(first)->placement, 1e-15));
  const Vector3 mapped = NodeOf(second)->placement.Map({1, 0, 0});
  EXPECT_NEAR(mapped.x, 10, 1e-12);
  EXPECT_NEAR(mapped.y, 21, 1e-12);
  EXPECT_NEAR(mapped.z, 30, 1e-12);

  // A placement of position only (orientation all zero) means no rotation.
  const ObjectRef positionOnly = host::CreateHostObject(host::kPlacementObject);
  host::SetTarget(positionOnly, second);
  host::SetP(positionOnly, 1, 5.0);
  host::Apply(positionOnly);
  EXPECT_EQ(NodeOf(second)->placement.Map({1, 1, 1}), (Vector3{6, 1, 1}));
}

TEST_F(SceneDocumentTest, TransformsComposeAndMapAsThePlacementsDo) {
  const auto vector = [](double x, double y, double z) {
    const ObjectRef v = host::CreateHostObject(host::kHostVector);
    host::SetXYZ(v, x, y, z);
    return v;
  };
  // From the z axis at the origin to the x axis at (1, 2, 3).
  const ObjectRef t = host::CreateHostObject(host::kHostTransform);
  host::CreateFromFrames(t, vector(0, 0, 0), vector(0, 0, 1), vector(1, 2, 3), vector(2, 0, 0));
  const ObjectRef point = vector(0, 0, 5);
  host::TransformPoint(t, point);
  double x, y, z;
  host::GetXYZ(point, x, y, z);
  EXPECT_NEAR(x, 6, 1e-12);
  EXPECT_NEAR(y, 2, 1e-12);
  EXPECT_NEAR(z, 3, 1e-12);
  // Composing with a part's transform puts the frame where the part stands.
  const ObjectRef part = AddPart(host_);
  NodeOf(part)->placement.translation = {100, 0, 0};
  const ObjectRef st = host::CreateHostObject(host::kShapeAndTransform);
  host::SetShape(st, part);
  const ObjectRef s = host::SizeboxToParentTransform(st);
  host::Compose(t, s);
  host::GetTranslation(t, x, y, z);
  EXPECT_NEAR(x, 101, 1e-12);
  EXPECT_FALSE(host::IsEqual(s, t));
  EXPECT_TRUE(host::IsEqual(s, host::SizeboxToParentTransform(st)));
}

TEST_F(SceneDocumentTest, RegistryReaderAnswersFromTheSettingsAndMissingValuesAreEmpty) {
  host_.settings().Set("SOFTWARE\\Morvantec\\Vantrex", "Language", "Italian");
  const ObjectRef reader = host::CreateHostObject(host::kRegistryReader);
  std::string value = "stale";
  host::GetString(reader, 2, "software\\morvantec\\vantrex", "LANGUAGE", value);
  EXPECT_EQ(value, "Italian");
  host::GetString(reader, 2, "SOFTWARE\\Morvantec\\Vantrex", "ApplDir", value);
  EXPECT_EQ(value, "");
}

TEST_F(SceneDocumentTest, PageUnitsAndTheDropHook) {
  EXPECT_EQ(host::UnitsEx(page_, 2), 0);
  host_.document().unit = LengthUnit::Inch;
  EXPECT_NE(host::UnitsEx(page_, 2), 0);

  const ObjectRef hook = MakeDropHook(host_.context(), DropOnEmptySpace({1, 2, 3}));
  EXPECT_EQ(host::Count(host::ShapePath(hook)), 1);
  EXPECT_TRUE(automation::SameObject(host::Item(host::ShapePath(hook), 1), root_));
  EXPECT_EQ(host::HitElementType(hook), 0);
  EXPECT_EQ(host::HitPointY(hook, 1), 2);
}

TEST_F(SceneDocumentTest, ADropOnAFaceReportsThePickPointAndOutwardNormal) {
  test::BuildSectionPart(host_, 12, test::Dims({20, 500}));  // a square bar 20 x 20 x 500
  const NodePtr part = host_.document().Parts().front();
  part->placement.translation = {0, 0, 1000};
  const ObjectRef hook = MakeDropHook(host_.context(), DropOnFace(part, "end"));
  EXPECT_EQ(host::HitElementType(hook), 2);
  EXPECT_EQ(host::Count(host::ShapePath(hook)), 2);
  const ObjectRef element = host::HitElement(hook);
  EXPECT_EQ(host::PickPointZ(element), 500);
  EXPECT_EQ(host::HitNormalZ(hook, 2), 1);
  EXPECT_EQ(host::HitPointZ(hook, 1), 1500);
  EXPECT_TRUE(automation::SameObject(host::Part(element, false), host_.Wrap(part)));

  // The top face of the bar (its first outline edge, drawn left to right) looks up.
  const DropHit side = DropOnFace(part, "side 1");
  EXPECT_NEAR(side.normal.y, 1, 1e-12);
  EXPECT_NEAR(side.pickPoint.y, 10, 1e-12);
  EXPECT_EQ(testing::ErrorNumberOf([&] { DropOnFace(part, "side 9"); }), scene_error::kNoSuchObject);
}

TEST_F(SceneDocumentTest, ABodyWithoutAPositiveLengthIsRefused) {
  test::BuildSectionPart(host_, 12, test::Dims({20, 500}));
  const NodePtr body = host_.document().Bodies().front();
  body->FirstComponent(kind::kExtrusion)->variables[kind::kLengthVariable] = 0.0;
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Update(page_); }), scene_error::kBadLength);
  body->FirstComponent(kind::kExtrusion)->variables[kind::kLengthVariable] = std::nan("");
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Update(page_); }), scene_error::kBadLength);
  EXPECT_FALSE(body->section);  // no solid that no longer matches the body
  body->FirstComponent(kind::kExtrusion)->variables[kind::kLengthVariable] = 750.0;
  host::Update(page_);
  EXPECT_EQ(body->length, 750);
  EXPECT_NEAR(body->section->area, 400, 1e-12);
}

// A page update rebuilds the bodies changed through the host's objects since the last one, and
// only those: a change after an update is not lost, a body that cannot be built fails every
// update until it is mended, and one taken out of the scene no longer does.
TEST_F(SceneDocumentTest, APageUpdateRebuildsEveryBodyChangedSinceTheLast) {
  const NodePtr first = test::BuildSectionPart(host_, 12, test::Dims({20, 500}));
  const NodePtr second = test::BuildSectionPart(host_, 12, test::Dims({30, 800}));
  host::Update(page_);
  ASSERT_TRUE(first->section && second->section);
  const ObjectRef secondPart = WrapNode(host_.context(), second->OwningShape());

  parts::SetPartLength(secondPart, 900.0);
  host::Update(page_);
  EXPECT_EQ(second->length, 900);
  EXPECT_EQ(first->length, 500);

  parts::SetPartLength(secondPart, -1.0);
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Update(page_); }), scene_error::kBadLength);
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Update(page_); }), scene_error::kBadLength);
  EXPECT_FALSE(second->section);
  parts::SetPartLength(secondPart, 1000.0);
  host::Update(page_);
  EXPECT_EQ(second->length, 1000);
  ASSERT_TRUE(second->section);

  parts::SetPartLength(secondPart, 0.0);
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::Update(page_); }), scene_error::kBadLength);
  parts::RemoveShape(secondPart);
  EXPECT_NO_THROW(host::Update(page_));
  EXPECT_TRUE(first->section);
}

// Parts set aside for an operation come back in their places, before those it added, also when
// it fails.
TEST_F(SceneDocumentTest, PartsSetAsideComeBackBeforeThoseAddedMeanwhile) {
  const NodePtr first = NodeOf(AddPart(host_));
  const NodePtr second = NodeOf(AddPart(host_));
  NodePtr third;
  {
    const PartsSetAside aside(host_.document());
    EXPECT_TRUE(host_.document().Parts().empty());
    third = NodeOf(AddPart(host_));
  }
  EXPECT_EQ(host_.document().Parts(), (std::vector<NodePtr>{first, second, third}));
  try {
    const PartsSetAside aside(host_.document());
    AddPart(host_);
    throw std::runtime_error("the operation failed");
  } catch (const std::runtime_error&) {
  }
  ASSERT_EQ(host_.document().Parts().size(), 4u);
  EXPECT_EQ(host_.document().Parts()[2], third);
}

TEST_F(SceneDocumentTest, UnknownMembersAndWrongArgumentCountsAreErrors) {
  EXPECT_EQ(testing::ErrorNumberOf([&] { automation::CallMethod(root_, "Explode"); }), 438);
  EXPECT_EQ(testing::ErrorNumberOf([&] { automation::GetProperty(root_, "Components"); }), 450);
  EXPECT_EQ(testing::ErrorNumberOf([&] { host::UnitsEx(page_, 1); }), 5);
}

}  // namespace
}  // namespace zembrati::scene
