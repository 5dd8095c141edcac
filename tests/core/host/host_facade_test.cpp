#include <gtest/gtest.h>

#include "host/drop_hook_members.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/placement.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "host/sketch_members.h"
#include "runtime/runtime_error.h"
#include "automation/object_creation.h"
#include "support/recording_host.h"

namespace zembrati::host {
namespace {

using testing::RecordingHost;

// Each facade function is one call by name, with the call kind and argument types the host
// expects; this pins the wire form of every member the system uses.
TEST(HostFacadeTest, EachMemberIsOneCallWithTheHostsArgumentTypes) {
  RecordingHost rec;
  const ObjectRef o = rec.NewObject("o");
  const ObjectRef x = rec.NewObject("x");
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { Application(o); }, "o.Application() get -> Application#1"},
      {[&] { ActivePage(o); }, "o.ActivePage() get -> ActivePage#2"},
      {[&] { Page(o); }, "o.Page() get -> Page#3"},
      {[&] { Shape(o); }, "o.shape() get -> shape#4"},
      {[&] { Components(o, 34); }, "o.Components(I4 34) get -> Components#5"},
      {[&] { Item(o, std::int16_t{1}); }, "o.Item(I2 1) get -> Item#6"},
      {[&] { Item(o, 2); }, "o.Item(I4 2) get -> Item#7"},
      {[&] { Add(o); }, "o.Add() call -> Add#8"},
      {[&] { Add(o, x); }, "o.Add(Object x) call -> Add#9"},
      {[&] { Shapes(o, 5); }, "o.Shapes(I4 5) get -> Shapes#10"},
      {[&] { Shapes(o); }, "o.Shapes() get -> Shapes#11"},
      {[&] { Variable(o, 2, std::int16_t{13}); }, "o.Variable(I4 2, I2 13) get -> Variable#12"},
      {[&] { Variable(o, 3); }, "o.Variable(I4 3) get -> Variable#13"},
      {[&] { SetValue(o, std::int16_t{0}); }, "o.Value(I2 0) put"},
      {[&] { SetName(o, "HEA 200"); }, "o.Name(S \"HEA 200\") put"},
      {[&] { Update(o); }, "o.Update() call -> Update#14"},
      {[&] { ChildShapes(o); }, "o.ChildShapes() get -> ChildShapes#15"},
      {[&] { InstanceShape(o); }, "o.InstanceShape() get -> InstanceShape#16"},
      {[&] { DataObject(o, kSummaryObject.classId); },
       "o.DataObject(S \"{3DE1004A-922D-11CF-AC2E-00A024581E5C}\", B True) get -> DataObject#17"},
      {[&] { SetDataObject(o, kPropertyCollection.classId, x); },
       "o.DataObject(S \"{3DE10049-922D-11CF-AC2E-00A024581E5C}\", B True, Object x) putref"},
      {[&] { Profile(o); }, "o.Profile() get -> Profile#18"},
      {[&] { SetStartPoint(o, std::int16_t{0}, 2.5); }, "o.SetStartPoint(I2 0, R8 2.5) call -> SetStartPoint#19"},
      {[&] { AddFilletAt(o, 4, 12.0); }, "o.AddFilletAt(I2 4, R8 12) call -> AddFilletAt#20"},
      {[&] { ResetSizeBox(o); }, "o.ResetSizeBox() call -> ResetSizeBox#21"},
      {[&] { ShapePath(o); }, "o.ShapePath() get -> ShapePath#22"},
      {[&] { HitElement(o); }, "o.HitElement() get -> HitElement#23"},
      {[&] { Part(o, false); }, "o.part(B False) get -> part#24"},
      {[&] { SetP(o, 4, 0.5); }, "o.P4(R8 0.5) put"},
      {[&] { SetTarget(o, x); }, "o.SetTarget(Object x) call -> SetTarget#25"},
      {[&] { Capture(o, x); }, "o.Capture(Object x) call -> Capture#26"},
      {[&] { GetParent(o, x); }, "o.GetParent(Object x) call -> GetParent#27"},
      {[&] { Remove(o, x); }, "o.Remove(Object x) call -> Remove#28"},
      {[&] { SetShape(o, x); }, "o.shape(Object x) putref"},
      {[&] { SetPartNumber(o, "200"); }, "o.PartNumber(S \"200\") put"},
  };
  for (const auto& [call, expected] : cases) {
    rec.Clear();
    call();
    ASSERT_EQ(rec.Lines().size(), 1u) << expected;
    EXPECT_EQ(rec.Lines()[0], expected);
  }
}

TEST(HostFacadeTest, ValuesComeBackConvertedAndOutputArgumentsAreRead) {
  RecordingHost rec;
  const ObjectRef o = rec.NewObject("o");
  rec.Respond("Count", [](auto) { return Variant(std::int16_t{3}); });
  rec.Respond("UnitsEx", [](auto) { return Variant(0); });
  rec.Respond("HitPointX", [](auto) { return Variant("12.5"); });
  rec.Respond("GetString", [](std::span<Variant> args) {
    args[3] = "C:\\App\\";
    return Variant(1);
  });
  rec.Respond("GetXYZ", [](std::span<Variant> args) {
    args[0] = 1.0;
    args[1] = std::int16_t{2};
    args[2] = 3.5;
    return Variant();
  });
  EXPECT_EQ(Count(o), 3);
  EXPECT_EQ(UnitsEx(o, 2), 0);
  EXPECT_EQ(HitPointX(o, 1), 12.5);
  std::string value;
  GetString(o, 2, "SOFTWARE\\Morvantec\\Vantrex", "ApplDir", value);
  EXPECT_EQ(value, "C:\\App\\");
  double x = 0, y = 0, z = 0;
  GetXYZ(o, x, y, z);
  EXPECT_EQ(x, 1.0);
  EXPECT_EQ(y, 2.0);
  EXPECT_EQ(z, 3.5);
  EXPECT_EQ(rec.Lines({"UnitsEx", "GetString"}),
            (std::vector<std::string>{
                "o.UnitsEx(I2 2) get -> I4 0",
                "o.GetString(I4 2, S \"SOFTWARE\\Morvantec\\Vantrex\", S \"ApplDir\", S \"\") "
                "call -> I4 1"}));
}

TEST(HostFacadeTest, ApplyPlacementCopiesTheSevenValuesInOrderThenApplies) {
  RecordingHost rec;
  automation::ScopedObjectCreator scope(rec);
  const ObjectRef part = rec.NewObject("part");
  Session().DropPlacement = rec.NewObject("drop");
  for (int n = 1; n <= 7; ++n) {
    rec.Respond("P" + std::to_string(n), [n](auto) { return Variant(10.0 * n); });
  }
  ApplyPlacement(part);
  const std::vector<std::string> lines = rec.Lines();
  ASSERT_EQ(lines.size(), 1u + 1u + 14u + 1u);
  EXPECT_EQ(lines[0],
            "host.CreateObject(S \"{47ACD06C-AF38-11D2-99DB-00A0244EC406}\") call -> "
            "{47ACD06C-AF38-11D2-99DB-00A0244EC406}#1");
  EXPECT_EQ(lines[1],
            "{47ACD06C-AF38-11D2-99DB-00A0244EC406}#1.SetTarget(Object part) call -> SetTarget#2");
  EXPECT_EQ(lines[2], "drop.P1() get -> R8 10");
  EXPECT_EQ(lines[3], "{47ACD06C-AF38-11D2-99DB-00A0244EC406}#1.P1(R8 10) put");
  EXPECT_EQ(lines[14], "drop.P7() get -> R8 70");
  EXPECT_EQ(lines[15], "{47ACD06C-AF38-11D2-99DB-00A0244EC406}#1.P7(R8 70) put");
  EXPECT_EQ(lines[16], "{47ACD06C-AF38-11D2-99DB-00A0244EC406}#1.Apply() call -> Apply#3");
  Session() = SessionState{};
}

TEST(HostFacadeTest, ApplyPlacementWithoutAStoredPlacementIsError91) {
  RecordingHost rec;
  automation::ScopedObjectCreator scope(rec);
  Session() = SessionState{};
  try {
    ApplyPlacement(rec.NewObject("part"));
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), 91);
  }
}

}  // namespace
}  // namespace zembrati::host
