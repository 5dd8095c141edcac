#include "parts/part_data.h"

#include "addin/class_table.h"
#include "addin/sessions.h"

#include <gtest/gtest.h>

#include "automation/invoke.h"
#include "geometry/section_types.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts/regeneration.h"
#include "scene_host.h"
#include "scene_objects.h"
#include "ui/live_selections.h"

namespace zembrati::parts {
namespace {

class FixedSelections : public ui::LiveSelections {
 public:
  std::string StandardText() const override { return "EN 10365"; }
  std::string SizeText() const override { return "200"; }
  std::string MaterialText() const override { return "S355J2"; }
  std::int16_t StandardItemData() const override { return 7; }
  std::string SizeTag() const override { return "/cat/hea.tab"; }
};

class PartDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::Session() = host::SessionState{};
    host::Session().ScenePage = scene_.ActivePage();
    host::Session().LangBase = 2000;
    host::Session().Dims[1] = 1500;
    host::Session().Dims[2] = 4.5;
  }
  void TearDown() override { host::Session() = host::SessionState{}; }

  ObjectRef NewPart() { return AddPartShape(scene_.ActivePage()); }
  std::string PartNumberAfter(const std::string& sizePartNumber, const std::string& name) {
    host::Session().SizePartNumber = sizePartNumber;
    const ObjectRef part = NewPart();
    WritePartData(part, "s", "c", 0, "m", name);
    const ObjectRef items = host::ChildShapes(host::Shape(scene_.ActivePage()));
    const ObjectRef item = FindPartItem(items, part);
    return automation::GetProperty(host::DataObject(item, host::kSummaryObject.classId), "PartNumber").ToText();
  }

  scene::SceneHost scene_;
  automation::ScopedObjectCreator creator_{scene_};
  FixedSelections selections_;
  ui::ScopedLiveSelections live_{selections_};
};

TEST_F(PartDataTest, NameFormatsTakeTheSelectionsAndPutTheLengthInTheTemplate) {
  EXPECT_EQ(MakePartName("D C x L", "HEA").name, "HEA 200 x 1500");
  EXPECT_EQ(MakePartName("D C x L", "HEA").nameTemplate, "HEA 200 x @");
  const PartName all = MakePartName("N/M CxS", "CHS");
  EXPECT_EQ(all.name, "EN 10365/S355J2 200x4.5");
  EXPECT_EQ(all.nameTemplate, all.name);  // no L, no "@"
  EXPECT_EQ(MakePartName("dcnmls", "X").name, "dcnmls");
}

TEST_F(PartDataTest, PartNumberOneMeansTheDigitsOfTheName) {
  EXPECT_EQ(PartNumberAfter("1", "HEA 200 x 1500"), "2001500");
  EXPECT_EQ(PartNumberAfter("1.0", "HEA 200 x 1500"), "2001500");
  EXPECT_EQ(PartNumberAfter("1", "no digits"), "");
  EXPECT_EQ(PartNumberAfter("1.00", "HEA 200 x 1500"), "1.00");
  EXPECT_EQ(PartNumberAfter(" 1", "HEA 200 x 1500"), " 1");
  EXPECT_EQ(PartNumberAfter("HEA200", "HEA 200 x 1500"), "HEA200");
}

TEST_F(PartDataTest, NoLengthPropertyForALengthOfZeroOrLess) {
  const ObjectRef part = NewPart();
  WritePartData(part, "s", "c", -5, "m", "n");
  const ObjectRef item = FindPartItem(host::ChildShapes(host::Shape(scene_.ActivePage())), part);
  const ObjectRef properties = host::DataObject(item, host::kPropertyCollection.classId);
  ASSERT_EQ(host::Count(properties), 3);
  EXPECT_EQ(host::Name(host::Item(properties, 3)), "Material");
}

TEST_F(PartDataTest, ATemplateWithoutTheLengthLeavesNameAndLengthAlone) {
  const ObjectRef part = NewPart();
  host::Session().Dims[0] = 20;
  geometry::GenerateSection(*geometry::FindSectionType(std::int16_t{12}), part, "SQ", host::Session().Dims);
  host::SetName(part, "SQ fixed");
  WritePartVariables(part, "SQ fixed", {"ProfilQuadro", "", "", "", ""});
  scene::NodePtr body = scene::NodeOf(part)->ChildShapes().front();
  body->FirstComponent(scene::kind::kExtrusion)->variables[scene::kind::kLengthVariable] = 12.9;
  RegeneratePart(part);
  EXPECT_EQ(host::Name(part), "SQ fixed");
  EXPECT_EQ(GetPartLength(part), 12.9);
  // A shape that is not a part is left alone.
  const ObjectRef plain = NewPart();
  RegeneratePart(plain);
  EXPECT_EQ(host::Name(plain), "");
}

}  // namespace
}  // namespace zembrati::parts

namespace zembrati::addin {
namespace {

TEST(ClassTableTest, FourteenClassesWithTheirIds) {
  const auto& classes = ComponentClasses();
  ASSERT_EQ(classes.size(), 14u);
  const ComponentClass* hook = FindComponentClass("Zembrati.DropHook");
  ASSERT_TRUE(hook);
  EXPECT_EQ(hook->classId, "{30CA9B26-C04C-11D4-8586-00E08110F9CF}");
  EXPECT_EQ(hook->interfaceId, "{30CA9B25-C04C-11D4-8586-00E08110F9CF}");
  const ComponentClass* quadro = FindComponentClass("{30CA9B20-C04C-11D4-8586-00E08110F9CF}");
  ASSERT_TRUE(quadro);
  EXPECT_EQ(quadro->progId, "Zembrati.ProfilQuadro");
  EXPECT_EQ(quadro->typeCode, 12);
  EXPECT_EQ(FindComponentClass("profiltondo")->classId, "{30CA9B22-C04C-11D4-8586-00E08110F9CF}");
  EXPECT_EQ(FindComponentClass("Zembrati.Nothing"), nullptr);
  for (const ComponentClass& c : classes) {
    EXPECT_EQ(CreateComponent(c.progId)->ClassName(), c.name);
  }
}

TEST(ClassTableTest, TheHostsCallsReturnAStatusAndNeverThrow) {
  host::Session() = host::SessionState{};
  EXPECT_EQ(Drop(nullptr).number, 91);
  EXPECT_EQ(DblClick(nullptr, 1).number, 91);
  EXPECT_EQ(OnDragDrop(nullptr).number, 429);  // no host here to read the language from
  EXPECT_TRUE(PreUpdate(nullptr).ok() == false);
  EXPECT_EQ(host::Session().EditedPart, nullptr);
  // Through the automation face the failure arrives as the error it was.
  try {
    automation::CallMethod(CreateComponent("Zembrati.ZembratiObj"), "Drop", ObjectRef(), 0, 0);
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), 91);
  }
  host::Session() = host::SessionState{};
}

}  // namespace
}  // namespace zembrati::addin
