// Parts made, edited and regenerated end to end: the system's own classes called by name on the
// built-in host, with the shipped catalogue and a scripted user in the dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "addin/class_table.h"
#include "addin/sessions.h"
#include "automation/invoke.h"
#include "catalogue/configuration.h"
#include "document_file.h"
#include "drop_hook.h"
#include "headless_presenter.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts/name_template.h"
#include "scene_host.h"
#include "scene_objects.h"
#include "support/temp_folder.h"

namespace zembrati::addin {
namespace {

using automation::CallMethod;
using automation::GetProperty;
using automation::ObjectRef;
using automation::Variant;
using headless::HeadlessPresenter;
using headless::ScriptedUser;

class PartsEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::Session() = host::SessionState{};
    scene_.settings() = scene::Settings::Load(scene::Settings::FindDefaultFile(""));
    scene_.settings().Set(catalogue::kCatalogueKey, "File Prefs", prefs_);
  }
  void TearDown() override { host::Session() = host::SessionState{}; }

  ObjectRef Root() { return host::Shape(scene_.ActivePage()); }
  ObjectRef PartNamed(const std::string& name) {
    for (const scene::NodePtr& part : scene_.document().Parts()) {
      if (part->name == name) return scene_.Wrap(part);
    }
    return nullptr;
  }
  std::size_t PartCount() { return scene_.document().Parts().size(); }

  // A placeholder where the catalogue item was dropped.
  ObjectRef Placeholder(double x) {
    const ObjectRef shape = host::Add(host::Shapes(host::Item(host::Components(Root(), 2), std::int16_t{1}), 3));
    scene::NodeOf(shape)->placement.translation = {x, 0, 0};
    return shape;
  }

  runtime::Status DropWith(const std::function<void(ScriptedUser&)>& script, double x = 100) {
    HeadlessPresenter presenter([&](dialog::Dialog& d) {
      ScriptedUser user(d);
      script(user);
    });
    const runtime::Status status = Drop(Placeholder(x));
    messages_ = presenter.messages;
    if (presenter.scriptFailure) std::rethrow_exception(presenter.scriptFailure);
    return status;
  }

  runtime::Status EditWith(const ObjectRef& part, const std::function<void(ScriptedUser&)>& script) {
    HeadlessPresenter presenter([&](dialog::Dialog& d) {
      ScriptedUser user(d);
      script(user);
    });
    const ObjectRef partClass = CreateComponent(host::Value(host::Variable(
        host::Item(host::Components(part, 34), std::int16_t{1}), 2, 1)).ToText());
    runtime::Status status;
    try {
      CallMethod(partClass, "DblClick", part, 0, 0);
    } catch (const runtime::RuntimeError& e) {
      status = runtime::Status::From(e);
    }
    messages_ = presenter.messages;
    if (presenter.scriptFailure) std::rethrow_exception(presenter.scriptFailure);
    return status;
  }

  static std::string Var(const ObjectRef& part, std::int32_t kind, std::int16_t index) {
    return host::Value(host::Variable(host::Item(host::Components(part, 34), std::int16_t{1}), kind, index)).Describe();
  }

  ObjectRef Item(const ObjectRef& part) {
    const ObjectRef items = host::ChildShapes(Root());
    for (std::int32_t i = 1; i <= host::Count(items); ++i) {
      if (automation::SameObject(host::InstanceShape(host::Item(items, i)), part)) return host::Item(items, i);
    }
    return nullptr;
  }

  std::vector<std::string> Properties(const ObjectRef& part) {
    std::vector<std::string> out;
    const ObjectRef collection = host::DataObject(Item(part), host::kPropertyCollection.classId);
    for (std::int32_t i = 1; i <= host::Count(collection); ++i) {
      const ObjectRef p = host::Item(collection, i);
      out.push_back(host::Name(p) + "=" + host::Value(p).Describe());
    }
    return out;
  }

  std::string Summary(const ObjectRef& part, const char* member) {
    return GetProperty(host::DataObject(Item(part), host::kSummaryObject.classId), member).ToText();
  }

  static void ChooseHea200(ScriptedUser& user) {
    user.ChooseType("HE");
    user.ChooseStandard("HEA");
    user.ChooseSize("200");
    user.ChooseMaterial("S355J2");
    user.TypeLength("1500");
  }

  testing::TempFolder folder_;
  std::string prefs_ = folder_.Path("prefs.txt");
  scene::SceneHost scene_;
  automation::ScopedObjectCreator creator_{scene_};
  std::vector<HeadlessPresenter::Message> messages_;
};

TEST_F(PartsEndToEndTest, ADropMakesACompletePart) {
  const auto status = DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  });
  ASSERT_TRUE(status.ok()) << status.description;
  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(PartCount(), 1u);  // the placeholder is gone
  const ObjectRef part = PartNamed("HEA 200 x 1500");
  ASSERT_TRUE(part);
  EXPECT_EQ(scene::NodeOf(part)->placement.translation.x, 100);  // where the item was dropped
  const scene::NodePtr body = scene_.document().Bodies().front();
  EXPECT_NEAR(body->section->area, 5383.124, 0.0005);
  EXPECT_EQ(body->length, 1500);
  EXPECT_EQ(body->name, "HEA");
  EXPECT_EQ(Var(part, 2, 0), "S \"VantREX\"");
  EXPECT_EQ(Var(part, 2, 1), "S \"ProfilHE\"");
  EXPECT_EQ(Var(part, 2, 2), "S \"HEA 200 x @\"");
  EXPECT_EQ(Var(part, 1, 0), "I2 0");
  EXPECT_EQ(Var(part, 1, 1), "I2 1");
  EXPECT_EQ(Var(part, 1, 2), "I2 0");
  EXPECT_EQ(Var(part, 1, 5), "I2 0");
  EXPECT_EQ(Var(part, 2, 13), "S \"HEA\"");
  EXPECT_EQ(Var(part, 2, 14), "S \"200\"");
  EXPECT_NE(Var(part, 2, 15).find("hea.tab"), std::string::npos);
  EXPECT_EQ(Var(part, 2, 16), "S \"S355J2\"");
  const ObjectRef handler = host::Item(host::Components(part, 25), std::int16_t{1});
  EXPECT_EQ(host::Value(host::Variable(handler, 3)).Describe(), "I4 5");
  EXPECT_EQ(host::Value(host::Variable(handler, 5)).Describe(), "I4 5");
  EXPECT_EQ(host::Value(host::Variable(handler, 1)).Describe(), "I4 1");
  EXPECT_EQ(host::Value(host::Variable(host::Item(host::Components(part, 43), std::int16_t{1}), 1)).Describe(),
            "S \"Zembrati.ProfilHE\"");
  EXPECT_EQ(Properties(part), (std::vector<std::string>{"Standard=S \"HEA\"", "Type=S \"200\"", "Length=R8 1500",
                                                        "Material=S \"S355J2\""}));
  EXPECT_EQ(Summary(part, "Description"), "HEA 200 x 1500");
  EXPECT_EQ(Summary(part, "PartNumber"), "HEA200");
  EXPECT_TRUE(std::filesystem::exists(prefs_));
}

TEST_F(PartsEndToEndTest, EditingOnlyTheLengthRebuildsThePartAndKeepsTheUsersSuffix) {
  DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  });
  const ObjectRef part = PartNamed("HEA 200 x 1500");
  host::SetName(part, "HEA 200 x 1500 pos. 12");
  const auto status = EditWith(part, [](ScriptedUser& user) {
    user.TypeLength("2000");
    user.PressOk();
  });
  ASSERT_TRUE(status.ok()) << status.description;
  ASSERT_EQ(PartCount(), 1u);
  const ObjectRef rebuilt = PartNamed("HEA 200 x 2000 pos. 12");
  ASSERT_TRUE(rebuilt);
  EXPECT_EQ(scene_.document().Bodies().front()->length, 2000);
  EXPECT_EQ(Var(rebuilt, 2, 16), "S \"S355J2\"");  // the stored material was preselected
  EXPECT_EQ(scene::NodeOf(rebuilt)->placement.translation.x, 100);
}

TEST_F(PartsEndToEndTest, AnUnchangedEditChangesNothing) {
  DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  });
  std::filesystem::remove(prefs_);
  const std::string before = scene::DocumentToJson(scene_.document());
  const auto status = EditWith(PartNamed("HEA 200 x 1500"), [](ScriptedUser& user) {
    user.ChooseType("IPN");  // a type change and back reloads the stored choices
    user.ChooseType("HE");
    user.PressOk();
  });
  ASSERT_TRUE(status.ok()) << status.description;
  EXPECT_EQ(scene::DocumentToJson(scene_.document()), before);
  EXPECT_FALSE(std::filesystem::exists(prefs_));
}

TEST_F(PartsEndToEndTest, ALengthChangedInTheHostIsCutToAWholeNumberEverywhere) {
  DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  });
  const ObjectRef part = PartNamed("HEA 200 x 1500");
  host::SetName(part, "HEA 200 x 1500-A");
  scene::NodePtr body = scene_.document().Bodies().front();
  body->FirstComponent(scene::kind::kExtrusion)->variables[scene::kind::kLengthVariable] = 12.9;
  const ObjectRef partClass = CreateComponent("Zembrati.ProfilHE");
  CallMethod(partClass, "PreUpdate", part);
  host::Update(scene_.ActivePage());
  EXPECT_EQ(host::Name(part), "HEA 200 x 12-A");
  EXPECT_EQ(Properties(part)[2], "Length=S \"12\"");
  EXPECT_EQ(Summary(part, "Description"), "HEA 200 x 12-A");
  EXPECT_EQ(body->length, 12);
}

TEST_F(PartsEndToEndTest, APartMadeInItalianKeepsItsLengthPropertyWhenRegeneratedInEnglish) {
  scene_.settings().Set(catalogue::kProductKey, "Language", "Italian");
  DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  });
  const ObjectRef part = PartNamed("HEA 200 x 1500");
  EXPECT_EQ(Properties(part)[0], "Normativa=S \"HEA\"");
  scene_.settings().Set(catalogue::kProductKey, "Language", "English");
  scene::NodePtr body = scene_.document().Bodies().front();
  body->FirstComponent(scene::kind::kExtrusion)->variables[scene::kind::kLengthVariable] = 900.0;
  ASSERT_TRUE(PreUpdate(part).ok());
  EXPECT_EQ(host::Name(part), "HEA 200 x 900");
  EXPECT_EQ(Properties(part)[2], "Lunghezza=R8 1500");
  EXPECT_EQ(Summary(part, "Description"), "HEA 200 x 900");
}

TEST_F(PartsEndToEndTest, RoundAndSquareBarsReopenAsTheirOwnClass) {
  DropWith([](ScriptedUser& user) {
    user.ChooseType("TONDO");
    user.ChooseSize("20");
    user.PressOk();
  });
  DropWith([](ScriptedUser& user) {
    user.ChooseType("QUADRO");
    user.ChooseSize("20");
    user.PressOk();
  }, 300);
  const ObjectRef round = PartNamed("RD 20 x 1500");
  const ObjectRef square = PartNamed("SQ 20 x 1500");
  ASSERT_TRUE(round && square);
  EXPECT_EQ(Var(round, 1, 1), "I2 11");
  EXPECT_EQ(Var(round, 2, 1), "S \"ProfilTondo\"");
  EXPECT_EQ(Var(square, 2, 1), "S \"ProfilQuadro\"");
  const auto bodies = scene_.document().Bodies();
  EXPECT_NEAR(bodies[0]->section->area, 314.159265358979, 1e-9);
  EXPECT_NEAR(bodies[1]->section->area, 400, 1e-9);
  // A double-click opens the dialog on the part's own type.
  EditWith(round, [](ScriptedUser& user) { user.PressCancel(); });
  EXPECT_EQ(host::Session().TypeCode, 11);
}

TEST_F(PartsEndToEndTest, ThroughTheHookAMillimetreFreeSceneGetsTheMessageAndNoDialog) {
  scene_.document().unit = scene::LengthUnit::Inch;
  bool dialogShown = false;
  HeadlessPresenter presenter([&](dialog::Dialog&) { dialogShown = true; });
  const ObjectRef hook = scene::MakeDropHook(scene_.context(), scene::DropOnEmptySpace({0, 0, 0}));
  CallMethod(CreateComponent("Zembrati.DropHook"), "OnDragDrop", hook);
  EXPECT_FALSE(dialogShown);
  ASSERT_EQ(presenter.messages.size(), 1u);
  EXPECT_EQ(presenter.messages[0].text, "This tool was designed to be used with scene units of millimeters.");
  EXPECT_EQ(presenter.messages[0].title, "VantREX");
  EXPECT_EQ(presenter.messages[0].icon, ui::MessageIcon::None);
}

TEST_F(PartsEndToEndTest, ADropOnAFaceStandsThePartOnIt) {
  DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  }, 0);
  const scene::NodePtr beam = scene_.document().Parts().front();
  HeadlessPresenter presenter([](dialog::Dialog& d) {
    ScriptedUser user(d);
    user.ChooseType("QUADRO");
    user.ChooseSize("20");
    user.TypeLength("300");
    user.PressOk();
  });
  const ObjectRef hook = scene::MakeDropHook(scene_.context(), scene::DropOnFace(beam, "side 1"));
  ASSERT_TRUE(OnDragDrop(hook).ok());
  ASSERT_EQ(PartCount(), 2u);
  const scene::NodePtr post = scene_.document().Parts().back();
  // The bar stands on the beam's top flange: its local z axis along the flange's outward normal.
  const scene::Vector3 foot = post->placement.Map({0, 0, 0});
  const scene::Vector3 head = post->placement.Map({0, 0, 300});
  EXPECT_NEAR(foot.y, 95, 1e-9);
  EXPECT_NEAR(head.y, 395, 1e-9);
  EXPECT_NEAR(foot.z, 750, 1e-9);
}

TEST_F(PartsEndToEndTest, CreateIgnoresItsParentAndAFailedRebuildLeavesTheOldPartAlone) {
  DropWith([](ScriptedUser& user) {
    ChooseHea200(user);
    user.PressOk();
  });
  const ObjectRef part = PartNamed("HEA 200 x 1500");
  // The parent handed to Create is not used: parts always go under the page's root.
  host::Session().ParentShape = part;
  const auto status = EditWith(part, [](ScriptedUser& user) {
    user.TypeLength("0");  // the host refuses a body of no length
    user.PressOk();
    user.PressCancel();
  });
  ASSERT_TRUE(status.ok()) << status.description;
  ASSERT_FALSE(messages_.empty());
  EXPECT_NE(messages_[0].text.find("not a positive length"), std::string::npos);
  EXPECT_TRUE(PartNamed("HEA 200 x 1500"));  // the old part is untouched
  for (const scene::NodePtr& p : scene_.document().Parts()) EXPECT_EQ(p->OwningShape(), scene_.document().root);
}

TEST_F(PartsEndToEndTest, NameSuffixRuleForTemplatesEndingWithTheLength) {
  EXPECT_EQ(parts::UserSuffix("ABC1000xyz-2", "ABC@xyz"), "-2");
  EXPECT_EQ(parts::UserSuffix("ABC1000xyz", "ABC@xyz"), "");
  EXPECT_EQ(parts::UserSuffix("renamed", "ABC@xyz"), "");
  EXPECT_EQ(parts::UserSuffix("HEA 200 x 1500.5 pos 3", "HEA 200 x @"), " pos 3");
  EXPECT_EQ(parts::UserSuffix("HEA 200 x 1500", "HEA 200 x @"), "");
  EXPECT_EQ(parts::UserSuffix("other 1500", "HEA 200 x @"), "");
  EXPECT_EQ(parts::UserSuffix("FL 100", "FL 100"), "");
}

}  // namespace
}  // namespace zembrati::addin
