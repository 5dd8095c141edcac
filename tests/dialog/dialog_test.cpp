#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dialog/dialog.h"
#include "dialog/dialog_procedures.h"
#include "headless_presenter.h"
#include "host/session_state.h"
#include "automation/object_creation.h"
#include "catalogue/configuration.h"
#include "host/host_classes.h"
#include "scene_host.h"
#include "support/list_entries.h"
#include "support/temp_folder.h"

namespace zembrati::dialog {
namespace {

using headless::HeadlessPresenter;
using headless::ScriptedUser;
using Lines = std::vector<std::string>;

using testing::Entries;

// Two families, A and B, of a small catalogue; type 4 is missing from family A's index.
class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::Session() = host::SessionState{};
    host::Session().ScenePage = scene_.ActivePage();
    host::Session().DropPlacement = host::CreateHostObject(host::kPlacementObject);
    const std::string mat = R"("mat.txt")";
    folder_.Write("a/standards.ini", {
        "[1]",
        R"("he.tab" "HE-A" "HE beams A" "HEA" "mat.txt" "D C x L")",
        R"("he2.tab" "HE-B" "HE beams B" "HEB" "mat.txt" "D C x L")",
        "[2]", R"("ipn.tab" "IPN" "I beams" "IPN" "mat.txt" "D C x L")",
        "[3]", R"("upn.tab" "UPN" "channels" "UPN" "mat.txt" "D C x L")",
        "[7]", R"("tube.tab" "CHS" "tubes" "CHS" "mat.txt" "D CxS x L")",
        "[END]"});
    folder_.Write("a/tables/he.tab", {"# HEA", "100|96|0|100|5|8|12|p|", "200|190|0|200|6.5|10|18|p|"});
    folder_.Write("a/tables/he2.tab", {"100|100|0|100|6|10|12|p|", "200|200|0|200|9|15|18|p|"});
    folder_.Write("a/tables/ipn.tab", {"100|100|0|50|4.5|6.8|4.5|2.7|p|"});
    folder_.Write("a/tables/upn.tab", {"100|100|0|50|6|8.5|8.5|4.5|p|"});
    folder_.Write("a/tables/tube.tab", {"60.3|60.3|0|@1|p|", "88.9|88.9|0|@2|p|", "@1|2.9|3.6|4|", "@2|3.2|5|"});
    folder_.Write("a/tables/mat.txt", {"S235JR", "S355J2"});
    folder_.Write("b/standards.ini", {"[1]", R"("he.tab" "DIN 1025-3" "IPBl" "IPBl" "mat.txt" "D C x L")", "[2]",
                                      "[END]"});
    folder_.Write("b/tables/he.tab", {"300|290|0|300|8.5|14|27|p|"});
    folder_.Write("b/tables/mat.txt", {"St 37-2"});
    registry_.SetCatalogue("Norme#0", "A");
    registry_.SetCatalogue("Norme Dir#0", folder_.Dir() + "a/");
    registry_.SetCatalogue("Norme#1", "B");
    registry_.SetCatalogue("Norme Dir#1", folder_.Dir() + "b/");
    registry_.SetCatalogue("Data#0", "tables/");
    registry_.SetCatalogue("File INI#0", "standards.ini");
    registry_.SetCatalogue("File Prefs", prefs_ = folder_.Path("prefs.txt"));
  }
  void TearDown() override { host::Session() = host::SessionState{}; }

  // Shows the dialog to a scripted user; returns the messages shown meanwhile.
  std::vector<HeadlessPresenter::Message> Run(const std::function<void(Dialog&, ScriptedUser&)>& script) {
    HeadlessPresenter presenter([&](Dialog& dialog) {
      ScriptedUser user(dialog);
      script(dialog, user);
    });
    ShowSelectionDialog();
    if (presenter.scriptFailure) std::rethrow_exception(presenter.scriptFailure);
    return presenter.messages;
  }

  std::string Prefs() const {
    std::ifstream in(prefs_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // The built-in host answers the registry from its settings.
  struct Registry {
    scene::SceneHost& scene;
    void SetCatalogue(const std::string& name, const std::string& value) {
      scene.settings().Set(catalogue::kCatalogueKey, name, value);
    }
    void SetProduct(const std::string& name, const std::string& value) {
      scene.settings().Set(catalogue::kProductKey, name, value);
    }
  };

  testing::TempFolder folder_;
  scene::SceneHost scene_;
  automation::ScopedObjectCreator creator_{scene_};
  Registry registry_{scene_};
  std::string prefs_;
};

TEST_F(DialogTest, AFirstSessionOpensOnHeWithEverythingSelected) {
  const auto messages = Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.OptTypeProfil.Value(), 0);
    EXPECT_EQ(Entries(d.Normativa), (Lines{"HE-A", "HE-B"}));
    EXPECT_EQ(d.Normativa.Text(), "HE-A");
    EXPECT_EQ(d.NormaDescr.caption, "HE beams A");
    EXPECT_EQ(d.Misura.Text(), "100");
    EXPECT_EQ(d.Materiale.Text(), "S235JR");
    EXPECT_EQ(d.DimLen.Text(), "1500");
    const auto& dims = host::Session().Dims;
    EXPECT_EQ((std::vector<double>{dims[0], dims[1], dims[2], dims[3], dims[4], dims[5]}),
              (std::vector<double>{96, 1500, 100, 5, 8, 12}));
    EXPECT_EQ(host::Session().SizePartNumber, "p");
    EXPECT_FALSE(d.Spessore.Visible());
    EXPECT_TRUE(d.FrameData.visible);
    EXPECT_FALSE(d.FramePreview.visible);
    EXPECT_TRUE(d.Preview[0].visible);
    EXPECT_EQ(d.TabNorme.TabCount(), 2);
    EXPECT_EQ(d.TabNorme.Caption(1), "B");
    EXPECT_EQ(d.TabNorme.Current(), 0);
    EXPECT_EQ(d.caption, "VantREX");
    EXPECT_EQ(d.LblLunghezza.caption, "Length");
    EXPECT_EQ(d.BtnMisura.caption, "Dimensions");
  });
  EXPECT_TRUE(messages.empty());  // no preferences file is no message
  EXPECT_EQ(host::Session().TypeCode, 1);
}

// The first session of a process selects HE once: a catalogue message about it is shown once.
TEST_F(DialogTest, AFirstSessionReadsItsTypeOnceAndSaysSoOnce) {
  std::filesystem::remove(folder_.Path("a/tables/he.tab"));
  const auto messages = Run([](Dialog& d, ScriptedUser&) { EXPECT_EQ(d.OptTypeProfil.Value(), 0); });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find("he.tab"), std::string::npos) << messages[0].text;
}

TEST_F(DialogTest, TheTubeShowsItsThicknessesAndHeHidesThemAgain) {
  Run([](Dialog& d, ScriptedUser& user) {
    user.ChooseType("TUBO");
    EXPECT_TRUE(d.Spessore.Visible());
    EXPECT_TRUE(d.LblSpessore.visible);
    EXPECT_EQ(Entries(d.Spessore), (Lines{"2.9", "3.6", "4"}));
    EXPECT_EQ(d.Spessore.Text(), "2.9");
    EXPECT_EQ(host::Session().Dims[2], 2.9);
    EXPECT_EQ(d.Lbl_Pic[6][2].caption, "54.5");
    user.ChooseThickness("3.6");
    EXPECT_EQ(host::Session().Dims[2], 3.6);
    EXPECT_EQ(d.Lbl_Pic[6][2].caption, "53.1");
    user.ChooseSize("88.9");
    EXPECT_EQ(Entries(d.Spessore), (Lines{"3.2", "5"}));
    EXPECT_EQ(host::Session().Dims[2], 3.2);
    user.ChooseType("HE");
    EXPECT_FALSE(d.Spessore.Visible());
    EXPECT_EQ(host::Session().Dims[2], 100);  // the size record's own element 2
  });
}

TEST_F(DialogTest, ATypeMissingFromTheIndexDisablesTheInputsUntilAnotherIsChosen) {
  const auto messages = Run([](Dialog& d, ScriptedUser& user) {
    user.ChooseType("L");
    EXPECT_FALSE(d.Normativa.Enabled());
    EXPECT_FALSE(d.Misura.Enabled());
    EXPECT_FALSE(d.Materiale.Enabled());
    EXPECT_FALSE(d.Spessore.Enabled());
    EXPECT_FALSE(d.DimLen.enabled);
    EXPECT_FALSE(d.OKButton.enabled);
    EXPECT_TRUE(d.CancelButton.enabled);
    EXPECT_THROW(user.PressOk(), headless::ChoiceError);
    user.ChooseType("IPN");
    EXPECT_TRUE(d.Normativa.Enabled());
    EXPECT_TRUE(d.OKButton.enabled);
    EXPECT_EQ(d.Normativa.Text(), "IPN");
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find("in QNorma"), std::string::npos);
}

TEST_F(DialogTest, SwitchingTheFamilyReadsEverythingAgain) {
  Run([](Dialog& d, ScriptedUser& user) {
    user.ChooseFamily("B");
    EXPECT_EQ(host::Session().NormTab, 1);
    EXPECT_EQ(Entries(d.Normativa), (Lines{"DIN 1025-3"}));
    EXPECT_EQ(d.Misura.Text(), "300");
    EXPECT_EQ(Entries(d.Materiale), (Lines{"St 37-2"}));
    EXPECT_EQ(host::Session().Dims[0], 290);
    user.ChooseFamily("0");
    EXPECT_EQ(d.Normativa.Text(), "HE-A");
  });
}

TEST_F(DialogTest, DimensionLabelsShowTheDerivedFlangeThicknesses) {
  Run([](Dialog& d, ScriptedUser& user) {
    user.ChooseType("IPN");
    EXPECT_EQ(d.Lbl_Pic[1][0].caption, "100");
    EXPECT_EQ(d.Lbl_Pic[1][3].caption, "8.235");
    EXPECT_EQ(d.Lbl_Pic[1][4].caption, "5.05");
    user.ChooseType("UPN");
    EXPECT_EQ(d.Lbl_Pic[2][3].caption, "10.02");
    EXPECT_EQ(d.Lbl_Pic[2][4].caption, "6.5");
    user.PressDimensions();
    EXPECT_TRUE(d.FramePreview.visible);
    EXPECT_FALSE(d.FrameData.visible);
    EXPECT_TRUE(d.Preview[2].visible);
    user.PressDimensions();
    EXPECT_TRUE(d.FrameData.visible);
    user.TypeLength("2500.5");
    EXPECT_EQ(host::Session().Dims[1], 2500.5);
    user.TypeLength("abc");
    EXPECT_EQ(host::Session().Dims[1], 0);
  });
}

TEST_F(DialogTest, PreferencesAreWrittenOnOkAndRestoreTheNextDialog) {
  Run([](Dialog&, ScriptedUser& user) {
    user.ChooseType("TUBO");
    user.ChooseSize("88.9");
    user.ChooseThickness("5");
    user.ChooseMaterial("S355J2");
    user.TypeLength("1500.50");
    user.PressOk();
  });
  EXPECT_EQ(Prefs(), " 0\r\n 0\r\n 0\r\n 7\r\n 0\r\n 1\r\n 1\r\n1500.50\r\n 1\r\n");
  host::Session().TypeCode = 1;  // whatever the session holds, the preferences decide
  Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(host::Session().TypeCode, 7);
    EXPECT_EQ(d.OptTypeProfil.Value(), 6);
    EXPECT_EQ(d.Misura.Text(), "88.9");
    EXPECT_EQ(d.Materiale.Text(), "S355J2");
    EXPECT_EQ(d.DimLen.Text(), "1500.5");
    EXPECT_EQ(d.Spessore.Text(), "5");
    EXPECT_EQ(host::Session().Dims[2], 5);
  });
}

TEST_F(DialogTest, HiddenThicknessesAreSavedAsMinusOneAndAZeroIsNotApplied) {
  Run([](Dialog&, ScriptedUser& user) { user.PressOk(); });
  EXPECT_EQ(Prefs(), " 0\r\n 0\r\n 0\r\n 1\r\n 0\r\n 0\r\n 0\r\n1500\r\n-1\r\n");
  folder_.Write("prefs.txt", {"0", "0", "0", "7", "0", "1", "0", "1500", "0"});
  folder_.Write("a/tables/tube.tab", {"60.3|60.3|0|@1|p|", "88.9|88.9|0|@1|p|", "@1|2.9|3.6|4|"});
  Run([](Dialog& d, ScriptedUser&) { EXPECT_EQ(d.Spessore.Text(), "2.9"); });
}

TEST_F(DialogTest, ShortOrStalePreferencesStopWhereTheyFailWithAMessage) {
  folder_.Write("prefs.txt", {" 120", " 240", " 0", " 2", " 0", " 0", " 1", "3000"});
  const auto eightLines = Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.top, 120);
    EXPECT_EQ(d.Normativa.Text(), "IPN");
    EXPECT_EQ(d.Materiale.Text(), "S355J2");
    EXPECT_EQ(d.DimLen.Text(), "3000");
  });
  ASSERT_EQ(eightLines.size(), 1u);
  EXPECT_EQ(eightLines[0].text, "ERRORE  62 Input past end of file");
  EXPECT_EQ(eightLines[0].title, "Read Prefs");
  EXPECT_EQ(eightLines[0].icon, ui::MessageIcon::Critical);

  folder_.Write("prefs.txt", {"0", "0", "0", "1", "1", "5", "1", "2000", "-1"});
  const auto staleSize = Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.Normativa.Text(), "HE-B");
    EXPECT_EQ(d.Materiale.Text(), "S235JR");  // line 7 never read
    EXPECT_EQ(d.DimLen.Text(), "1500");
  });
  ASSERT_EQ(staleSize.size(), 1u);
  EXPECT_EQ(staleSize[0].text, "ERRORE  380 Invalid property value");

  folder_.Write("prefs.txt", {"0", "0", "0", "13", "0", "0", "0", "1500", "-1"});
  host::Session().TypeCode = 0;
  const auto badType = Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.OptTypeProfil.Value(), 0);  // opened on HE: no type 13 was taken
  });
  EXPECT_EQ(host::Session().TypeCode, 1);
  ASSERT_EQ(badType.size(), 1u);
  EXPECT_EQ(badType[0].text, "ERRORE  340 Control array element does not exist");
}

TEST_F(DialogTest, AFailedSaveLeavesTheOldPreferencesAndSaysSo) {
  folder_.Write("prefs.txt", {"old"});
  registry_.SetCatalogue("File Prefs", folder_.Path("no/such/folder/prefs.txt"));
  const auto messages = Run([](Dialog&, ScriptedUser& user) { user.PressOk(); });
  ASSERT_EQ(messages.size(), 2u);
  // Only a missing file goes unreported when reading; a missing folder is said.
  EXPECT_EQ(messages[0].text, "ERRORE  76 Path not found");
  EXPECT_EQ(messages[0].title, "Read Prefs");
  EXPECT_EQ(messages[1].text, "ERRORE  76 Path not found");
  EXPECT_EQ(messages[1].title, "Write Prefs");
  EXPECT_EQ(Prefs(), "old\r\n");
}

TEST_F(DialogTest, ALaterSessionWithoutPreferencesOpensOnTheLastType) {
  Run([](Dialog&, ScriptedUser& user) {
    user.ChooseType("IPN");
    user.PressCancel();
  });
  EXPECT_FALSE(std::filesystem::exists(prefs_));  // Cancel writes nothing
  Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.OptTypeProfil.Value(), 1);
    EXPECT_EQ(d.Normativa.Text(), "IPN");
  });
}

TEST_F(DialogTest, AnEditedPartsChoicesArePreselectedAndNotCountedAsChanges) {
  host::SessionState& session = host::Session();
  session.EditMode = true;
  session.StoredTab = 0;
  session.StoredType = 1;
  session.StoredNorm = " HE-B ";
  session.StoredCode = "200";
  session.StoredMaterial = "S355J2";
  session.StoredLength = 1234.5;
  Run([](Dialog& d, ScriptedUser& user) {
    EXPECT_EQ(d.Normativa.Text(), "HE-B");
    EXPECT_EQ(d.Misura.Text(), "200");
    EXPECT_EQ(d.Materiale.Text(), "S355J2");
    EXPECT_EQ(d.DimLen.Text(), "1234.5");
    EXPECT_EQ(host::Session().Dims[1], 1234.5);
    EXPECT_EQ(host::Session().Dims[0], 200);
    EXPECT_FALSE(d.Normativa.changed || d.Misura.changed || d.Materiale.changed || d.Spessore.changed ||
                 d.DimLen.changed);
    user.TypeLength("900");
    EXPECT_TRUE(d.DimLen.changed);
    user.ChooseType("IPN");  // a type change loads the stored choices again
    EXPECT_EQ(d.DimLen.Text(), "1234.5");
    EXPECT_FALSE(d.DimLen.changed);
  });
  EXPECT_FALSE(std::filesystem::exists(prefs_));  // an edit reads no preferences either
}

TEST_F(DialogTest, GermanCaptionsAndAnEditedTubeOnItsStoredFamily) {
  registry_.SetProduct("Language", "German");
  host::SessionState& session = host::Session();
  session.EditMode = true;
  session.StoredTab = 0;
  session.StoredType = 7;
  session.StoredNorm = "CHS";
  session.StoredCode = "88.9";
  session.StoredLength = 600;
  Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.LblLunghezza.caption, "L\xC3\xA4nge");
    EXPECT_EQ(d.LblSpessore.caption, "Breite");
    EXPECT_EQ(d.OptTypeProfil.Value(), 6);
    EXPECT_TRUE(d.Spessore.Visible());
    EXPECT_EQ(d.Misura.Text(), "88.9");
    EXPECT_EQ(d.Spessore.Text(), "3.2");  // the thickness is not stored: the first one is taken
  });
}

TEST_F(DialogTest, WithoutFamiliesTheDesignTabStaysAndFamilyZerosPathsAreUsed) {
  registry_.SetCatalogue("Norme#0", "");
  registry_.SetCatalogue("Norme#1", "");
  Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.TabNorme.TabCount(), 1);
    EXPECT_EQ(d.TabNorme.Current(), 0);
    EXPECT_EQ(d.Normativa.Text(), "HE-A");  // family 0's folder still answers
  });
}

TEST_F(DialogTest, NoLiveDialogMeansEmptySelections) {
  EXPECT_EQ(ui::CurrentSelections().StandardText(), "");
  EXPECT_EQ(ui::CurrentSelections().StandardItemData(), 0);
  Run([](Dialog&, ScriptedUser&) {
    EXPECT_EQ(ui::CurrentSelections().StandardText(), "HE-A");
    EXPECT_EQ(ui::CurrentSelections().StandardItemData(), 2);
    EXPECT_NE(ui::CurrentSelections().SizeTag().find("he.tab"), std::string::npos);
  });
  EXPECT_EQ(ui::CurrentSelections().SizeText(), "");
}

TEST_F(DialogTest, AChoiceThatNamesNoEntrySaysWhichThereAre) {
  try {
    Run([](Dialog&, ScriptedUser& user) { user.ChooseSize("999"); });
    FAIL();
  } catch (const headless::ChoiceError& error) {
    EXPECT_EQ(error.available, (Lines{"100", "200"}));
    EXPECT_NE(std::string(error.what()).find("\"100\", \"200\""), std::string::npos);
  }
}

// A size whose line the reader refuses leaves the dimensions of the size before it: OK must not
// make a part of them under the refused size's name.
TEST_F(DialogTest, ASizeTheReaderRefusesDisablesOkUntilAnotherIsChosen) {
  folder_.Write("a/tables/ipn.tab", {"100|100|0|50|4.5|6.8|4.5|2.7|p|", "200|200|0|90|7.5|11.3|7.5|4.5|slope=steep|p|"});
  const auto messages = Run([](Dialog& d, ScriptedUser& user) {
    user.ChooseType("IPN");
    EXPECT_TRUE(d.OKButton.enabled);
    user.ChooseSize("200");
    EXPECT_FALSE(d.OKButton.enabled);
    EXPECT_EQ(host::Session().Dims[0], 100);
    EXPECT_THROW(user.PressOk(), headless::ChoiceError);
    user.ChooseSize("100");
    EXPECT_TRUE(d.OKButton.enabled);
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Error  5 Invalid procedure call or argument\r\nin QMisura");
}

// The tab on screen and the family the lists come from are always the same one.
TEST_F(DialogTest, TheFamilyOnScreenIsTheFamilyTheListsComeFrom) {
  // A session on family B, then a session with no preferences: it opens on tab 0, family A.
  Run([](Dialog&, ScriptedUser& user) { user.ChooseFamily("B"); });
  std::filesystem::remove(prefs_);
  Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.TabNorme.Current(), 0);
    EXPECT_EQ(host::Session().NormTab, 0);
    EXPECT_EQ(Entries(d.Normativa), (Lines{"HE-A", "HE-B"}));
  });
  // An edit of a family-A part after a session on family B reads family A only: family B has
  // no UPN, and reading its index for them would be an error.
  host::Session().NormTab = 1;
  host::SessionState& session = host::Session();
  session.EditMode = true;
  session.StoredTab = 0;
  session.StoredType = 3;
  session.StoredNorm = "UPN";
  session.StoredCode = "100";
  session.StoredLength = 800;
  const auto messages = Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.TabNorme.Current(), 0);
    EXPECT_EQ(d.Normativa.Text(), "UPN");
    EXPECT_TRUE(d.OKButton.enabled);
  });
  EXPECT_TRUE(messages.empty()) << messages.front().text;
}

TEST_F(DialogTest, PreferencesNamingAFamilyThatIsGoneAreDroppedWithAMessage) {
  folder_.Write("prefs.txt", {" 0", " 0", " 5", " 2", " 0", " 0", " 0", "1500", "-1"});
  const auto messages = Run([](Dialog& d, ScriptedUser&) {
    EXPECT_EQ(d.TabNorme.Current(), 0);
    EXPECT_EQ(host::Session().NormTab, 0);
    EXPECT_EQ(d.Normativa.Text(), "HE-A");  // the start-up's own choice: HE beams of family A
  });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Read Prefs");
  // The next session, with the same file, still works on family A.
  Run([](Dialog& d, ScriptedUser& user) {
    EXPECT_EQ(host::Session().NormTab, 0);
    user.ChooseStandard("HE-B");
    EXPECT_TRUE(d.OKButton.enabled);
  });
}

TEST_F(DialogTest, OkWaitsForAStandardAndASize) {
  Run([](Dialog& d, ScriptedUser& user) {
    EXPECT_TRUE(d.OKButton.enabled);
    user.ChooseFamily("B");
    user.ChooseType("IPN");  // family B lists no IPN standards
    EXPECT_EQ(d.Normativa.ListCount(), 0);
    EXPECT_FALSE(d.OKButton.enabled);
    EXPECT_THROW(user.PressOk(), headless::ChoiceError);
    user.ChooseType("HE");
    EXPECT_TRUE(d.OKButton.enabled);
  });
  EXPECT_FALSE(std::filesystem::exists(prefs_));
}

}  // namespace
}  // namespace zembrati::dialog
