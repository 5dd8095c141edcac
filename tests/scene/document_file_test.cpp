#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "automation/invoke.h"
#include "document_file.h"
#include "host/host_class_members.h"
#include "host/host_classes.h"
#include "host/scene_members.h"
#include "scene_error.h"
#include "scene_test_support.h"
#include "support/error_number.h"

namespace zembrati::scene {
namespace {

namespace fs = std::filesystem;
using automation::ObjectRef;

// A scene with one of everything the document stores: a placed part with a body, typed part
// variables, a property collection and a summary on its item.
void FillScene(SceneHost& host) {
  test::BuildSectionPart(host, 7, test::Dims({60.3, 3000, 4}));
  automation::ScopedObjectCreator creator(host);
  const ObjectRef part = host.Wrap(host.document().Parts().front());
  host::SetName(part, "CHS 60.3x4 3000");
  NodeOf(part)->placement = RigidTransform::FromPlacement({1, 2, 3, 0, 0, 0, 1});
  const ObjectRef block = host::Add(host::Components(part, 34));
  host::SetValue(host::Variable(block, 2, std::int16_t{0}), "VantREX");
  host::SetValue(host::Variable(block, 1, std::int16_t{1}), std::int16_t{7});
  host::SetValue(host::Variable(block, 9), 0.1);
  host::SetValue(host::Variable(block, 10), true);
  const ObjectRef item = host::Item(host::ChildShapes(host::Shape(host.ActivePage())), 1);
  const ObjectRef properties = host::CreateHostObject(host::kPropertyCollection);
  const ObjectRef length = host::CreateHostObject(host::kPropertyItem);
  host::SetName(length, "Länge");
  host::SetValue(length, 3000.0);
  host::Add(properties, length);
  host::SetDataObject(item, host::kPropertyCollection.classId, properties);
  const ObjectRef summary = host::CreateHostObject(host::kSummaryObject);
  host::SetDescription(summary, "CHS 60.3x4 3000");
  host::SetDataObject(item, host::kSummaryObject.classId, summary);
  host.document().unit = LengthUnit::Centimetre;
}

TEST(DocumentFileTest, SaveLoadSaveGivesTheSameText) {
  SceneHost host;
  FillScene(host);
  const std::string saved = DocumentToJson(host.document());
  const Document loaded = DocumentFromJson(saved);
  EXPECT_EQ(DocumentToJson(loaded), saved);
  EXPECT_EQ(loaded.unit, LengthUnit::Centimetre);
}

// A scene of megabytes: its text in pieces is its text whole, and the file read back (the text
// let go of as the reader passes it) is the scene that was saved.
TEST(DocumentFileTest, ASceneOfMegabytesGoesOutInPiecesAndComesBackWhole) {
  SceneHost host;
  for (int i = 0; i < 4000; ++i) test::BuildSectionPart(host, 1, test::Dims({190, 1000.0 + i, 200, 6.5, 10, 18}));
  const std::string whole = DocumentToJson(host.document());
  ASSERT_GT(whole.size(), std::size_t{6} << 20);
  std::string joined;
  int pieces = 0;
  WriteDocumentJson(host.document(), [&](std::string_view piece) {
    joined += piece;
    ++pieces;
  });
  EXPECT_GT(pieces, 4);
  EXPECT_EQ(joined, whole);
  const fs::path path = fs::temp_directory_path() / "zembrati_document_megabytes.json";
  SaveDocument(host.document(), path.string());
  EXPECT_EQ(DocumentToJson(LoadDocument(path.string())), whole);
  fs::remove(path);
}

TEST(DocumentFileTest, ALoadedSceneAnswersAsTheSavedOneDid) {
  SceneHost original;
  FillScene(original);
  SceneHost host(DocumentFromJson(DocumentToJson(original.document())));
  automation::ScopedObjectCreator creator(host);
  const NodePtr part = host.document().Parts().front();
  EXPECT_EQ(part->name, "CHS 60.3x4 3000");
  EXPECT_EQ(part->placement.translation, (Vector3{1, 2, 3}));
  const ObjectRef block = host::Item(host::Components(host.Wrap(part), 34), std::int16_t{1});
  EXPECT_EQ(host::Value(host::Variable(block, 1, std::int16_t{1})).Describe(), "I2 7");
  EXPECT_EQ(host::Value(host::Variable(block, 9)).Describe(), "R8 0.1");
  EXPECT_EQ(host::Value(host::Variable(block, 10)).Describe(), "B True");
  const ObjectRef item = host::Item(host::ChildShapes(host::Shape(host.ActivePage())), 1);
  const ObjectRef properties = host::DataObject(item, host::kPropertyCollection.classId);
  EXPECT_EQ(host::Name(host::Item(properties, 1)), "Länge");
  EXPECT_EQ(host::Value(host::Item(properties, 1)).Describe(), "R8 3000");
  // The body is rebuilt from its loops, so its solid is back.
  const NodePtr body = host.document().Bodies().front();
  ASSERT_TRUE(body->section);
  EXPECT_NEAR(body->section->area, original.document().Bodies().front()->section->area, 1e-9);
  EXPECT_EQ(body->length, 3000);
}

TEST(DocumentFileTest, DamagedFilesAreClearErrorsAndStayUntouched) {
  const fs::path folder = fs::temp_directory_path() / "zembrati_document_file_test";
  fs::create_directories(folder);
  const std::string path = (folder / "damaged.json").string();
  const std::string damaged = "{\"format\": \"zembrati-scene\", \"version\": 1, \"unit\": \"mm\", \"root\": {";
  std::ofstream(path, std::ios::binary) << damaged;
  try {
    LoadDocument(path);
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), scene_error::kBadDocument);
    EXPECT_NE(e.description().find("damaged.json"), std::string::npos);
    EXPECT_NE(e.description().find("damaged"), std::string::npos);
  }
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);

  const auto errorOf = [](const std::string& text) {
    return testing::ErrorNumberOf([&] { DocumentFromJson(text); });
  };
  EXPECT_EQ(errorOf("[]"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"format":"other","version":1})"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"format":"zembrati-scene","version":3,"unit":"mm","root":{"role":"shape","kind":0}})"),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"format":"zembrati-scene","version":1,"unit":"yd","root":{"role":"shape","kind":0}})"),
            scene_error::kBadDocument);
  EXPECT_EQ(testing::ErrorNumberOf([&] { LoadDocument((folder / "missing.json").string()); }),
            scene_error::kBadDocument);
  fs::remove_all(folder);
}

TEST(DocumentFileTest, JointsAreKeptWithTheIdentitiesOfThePartsTheyJoin) {
  SceneHost host;
  FillScene(host);
  test::BuildSectionPart(host, 7, test::Dims({60.3, 2000, 4}));
  Document& document = host.document();
  const std::vector<NodePtr> parts = document.Parts();
  JointRecord mitre{document.IdentityOf(parts[1]), MemberEnd::Start, JointKind::Mitre, document.IdentityOf(parts[0]),
                    MemberEnd::End, 2.5, -10, false};
  document.joints = {mitre};
  // Every part has had its identity since it was made, in the order they were made.
  EXPECT_EQ(parts[0]->id, 1u);
  EXPECT_EQ(parts[1]->id, 2u);
  const std::string saved = DocumentToJson(document);
  EXPECT_NE(saved.find("\"version\":2"), std::string::npos);
  const Document loaded = DocumentFromJson(saved);
  ASSERT_EQ(loaded.joints.size(), 1u);
  EXPECT_EQ(loaded.joints.front(), mitre);
  EXPECT_EQ(loaded.PartWithIdentity(2)->name, parts[1]->name);
  EXPECT_EQ(DocumentToJson(loaded), saved);

  // Joints that no scene of this host holds are damage.
  const std::string head = saved.substr(0, saved.find(",\"joints\""));
  const auto errorOf = [&](const std::string& joints) {
    return testing::ErrorNumberOf([&] { DocumentFromJson(head + ",\"joints\":[" + joints + "]}"); });
  };
  EXPECT_EQ(errorOf(R"({"member":1,"end":"start","kind":"mitre","to":2,"toEnd":"end","gap":0})"), 0);
  EXPECT_EQ(errorOf(R"({"member":1,"end":"start","kind":"weld","to":2})"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"member":1,"end":"start","kind":"butt","to":2,"gap":-1})"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"member":1,"end":"start","kind":"butt","to":1})"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"member":1,"end":"start","kind":"mitre","to":2})"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"member":0,"end":"start","kind":"butt","to":2})"), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"member":1,"end":"middle","kind":"butt","to":2})"), scene_error::kBadDocument);
  std::string twins = saved;
  twins.replace(twins.find("\"id\":2"), 6, "\"id\":1");
  EXPECT_EQ(testing::ErrorNumberOf([&] { DocumentFromJson(twins); }), scene_error::kBadDocument);
}

TEST(DocumentFileTest, AnUnfinishedBodyDoesNotMakeTheSceneUnreadable) {
  SceneHost host;
  automation::ScopedObjectCreator creator(host);
  const ObjectRef part = test::AddPart(host);
  const ObjectRef holder = host::Item(host::Components(part, 23), std::int16_t{1});
  host::Add(host::Shapes(holder, 5));  // a body whose outline was never drawn
  const Document loaded = DocumentFromJson(DocumentToJson(host.document()));
  ASSERT_EQ(loaded.Bodies().size(), 1u);
  EXPECT_FALSE(loaded.Bodies().front()->section);
}

// A scene at the scale of a building: ten thousand parts, each with a body, variables, properties
// and a summary, load and save without a change.
TEST(DocumentFileTest, TenThousandPartsRoundTripUnchanged) {
  SceneHost host;
  FillScene(host);
  const std::string onePart = DocumentToJson(host.document());
  Document scene;
  const NodePtr holder = scene.root->FirstComponent(kind::kPartHolder);
  for (int i = 0; i < 10000; ++i) {
    const NodePtr part = DocumentFromJson(onePart).Parts().front();
    part->owner = holder;
    part->name = "CHS 60.3x4 3000 M" + std::to_string(i);
    part->id = static_cast<std::uint64_t>(i) + 1;  // each copy a part of its own
    part->placement.translation = {1000.0 * (i % 100), 1000.0 * (i / 100), 0};
    holder->shapes.push_back(part);
  }
  const std::string saved = DocumentToJson(scene);
  const Document loaded = DocumentFromJson(saved);
  EXPECT_EQ(DocumentToJson(loaded), saved);
  const std::vector<NodePtr> parts = loaded.Parts();
  ASSERT_EQ(parts.size(), 10000u);
  EXPECT_EQ(parts[9999]->name, "CHS 60.3x4 3000 M9999");
  EXPECT_EQ(parts[9999]->placement.translation.y, 99000);
  const NodePtr body = FirstBody(*parts[5000]);
  ASSERT_TRUE(body && body->section);
  EXPECT_EQ(body->section, FirstBody(*parts[0])->section);  // one section for ten thousand bodies
  EXPECT_EQ(body->length, 3000);
}

// Scenes saved before the text was made compact (indented two spaces per level, a line for every
// value) still load, into the same document.
TEST(DocumentFileTest, TheEarlierIndentedLayoutStillLoads) {
  SceneHost host;
  FillScene(host);
  const std::string saved = DocumentToJson(host.document());
  std::string indented;
  int depth = 0;
  bool inText = false;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    const char c = saved[i];
    if (inText) {
      indented += c;
      if (c == '\\') indented += saved[++i];
      if (c == '"') inText = false;
      continue;
    }
    if (c == '\n' || c == ' ') continue;
    if (c == '"') inText = true;
    if (c == '}' || c == ']') indented += "\n" + std::string(2 * --depth, ' ');
    indented += c;
    if (c == ':') indented += ' ';
    if (c == '{' || c == '[') indented += "\n" + std::string(2 * ++depth, ' ');
    if (c == ',') indented += "\n" + std::string(2 * depth, ' ');
  }
  ASSERT_GT(indented.size(), saved.size() * 2);
  EXPECT_EQ(DocumentToJson(DocumentFromJson(indented)), saved);
}

// Numbers are checked against the type they are read into, and nothing a scene holds can send
// a walk over the tree deeper than the host allows.
TEST(DocumentFileTest, NumbersOutOfRangeNestingAndInfinitePlacementsAreDamage) {
  const auto sceneWith = [](const std::string& root) {
    return R"({"format":"zembrati-scene","version":1,"unit":"mm","root":)" + root + "}";
  };
  const auto errorOf = [](const std::string& text) {
    return testing::ErrorNumberOf([&] { DocumentFromJson(text); });
  };
  const std::string fine = sceneWith(R"({"role":"shape","kind":0})");
  ASSERT_EQ(errorOf(fine), 0);
  EXPECT_EQ(errorOf(R"({"format":"zembrati-scene","version":1e300,"unit":"mm","root":{"role":"shape","kind":0}})"),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(R"({"format":"zembrati-scene","version":4294967297,"unit":"mm","root":{"role":"shape","kind":0}})"),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(R"({"role":"shape","kind":2147483648})")), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(R"({"role":"shape","kind":1.5})")), scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(
                R"({"role":"shape","kind":0,"keyedVariables":[{"kind":1,"index":40000,"value":{"type":"I2","value":1}}]})")),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(
                R"({"role":"shape","kind":0,"keyedVariables":[{"kind":1,"index":1,"value":{"type":"I2","value":-32769}}]})")),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(
                R"({"role":"shape","kind":0,"variables":[{"index":1,"value":{"type":"I4","value":1e300}}]})")),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(R"({"role":"shape","kind":0,"placement":[0,0,"Inf",1,0,0,0]})")),
            scene_error::kBadDocument);
  EXPECT_EQ(errorOf(sceneWith(R"({"role":"shape","kind":0,"placement":[0,"NaN",0,1,0,0,0]})")),
            scene_error::kBadDocument);

  // Shapes nested in shapes, far deeper than any scene this host writes: refused at once.
  std::string open, close;
  for (int i = 0; i < 100000; ++i) {
    open += R"({"role":"shape","kind":3,"components":[{"kind":2,"items":[)";
    close += "]}]}";
  }
  const std::string nested = sceneWith(open + R"({"role":"shape","kind":3})" + close);
  try {
    DocumentFromJson(nested);
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_NE(e.description().find("nests deeper"), std::string::npos) << e.description();
  }
  // Brackets inside texts are only text.
  EXPECT_EQ(errorOf(sceneWith(R"({"role":"shape","kind":0,"name":")" + std::string(1000, '[') + R"(\"["})")), 0);
}

// A rotation that is of unit length only to within rounding is kept as it is: normalising it
// again at every load would change its last digits, and load, save, load, save would differ.
TEST(DocumentFileTest, RotationsKeepTheirDigitsFromLoadToLoad) {
  SceneHost host;
  FillScene(host);
  host.document().Parts().front()->placement = RigidTransform::FromPlacement({0, 0, 0, 0, 2, 1, 0});
  const std::string once = DocumentToJson(DocumentFromJson(DocumentToJson(host.document())));
  EXPECT_EQ(DocumentToJson(DocumentFromJson(once)), once);
}

// A save replaces the file whole, under a temporary name of its own, keeping its permissions; a
// read-only scene is refused, not replaced.
TEST(DocumentFileTest, SavesKeepPermissionsAndRefuseReadOnlyFiles) {
  const fs::path folder = fs::temp_directory_path() / "zembrati_document_save_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string path = (folder / "scene.json").string();
  SceneHost host;
  FillScene(host);
  SaveDocument(host.document(), path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  SaveDocument(host.document(), path);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  const std::string before = DocumentToJson(host.document());
  host.document().Parts().front()->name = "changed";
  try {
    SaveDocument(host.document(), path);
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.number(), scene_error::kBadDocument);
    EXPECT_NE(e.description().find("read-only"), std::string::npos) << e.description();
  }
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);  // no temporary left

  EXPECT_EQ(testing::ErrorNumberOf([&] { SaveDocument(host.document(), folder.string()); }), scene_error::kBadDocument);
  EXPECT_EQ(testing::ErrorNumberOf([&] { LoadDocument(folder.string()); }), scene_error::kBadDocument);
  fs::permissions(path, fs::perms::owner_all);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zembrati::scene
