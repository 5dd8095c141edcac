#include "catalogue/catalogue_readers.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/size_lines.h"
#include "runtime/runtime_error.h"
#include "support/error_number.h"
#include "support/recording_messages.h"
#include "support/list_entries.h"
#include "support/temp_folder.h"

namespace zembrati::catalogue {
namespace {

using testing::RecordingMessages;
using testing::TempFolder;
using Lines = std::vector<std::string>;

using testing::Entries;

std::vector<int> ItemData(const ui::ListControl& list) {
  std::vector<int> data;
  for (std::int16_t i = 0; i < list.ListCount(); ++i) data.push_back(list.ItemData(i));
  return data;
}

const std::string kStandardLine = R"("a.tab" "EN 1" "desc" "HEA" "mat.txt" "DCN")";

class CatalogueReadersTest : public ::testing::Test {
 protected:
  // Fills the size list from a size table of these lines, as the standard on line 1 of an index.
  void LoadSizeTable(const std::vector<std::string>& lines) {
    folder_.Write("t.tab", lines);
    std::string indexPath = folder_.Write("list.ini", {R"("t.tab" "S" "d" "D" "m.txt" "DC")"});
    folder_.Write("m.txt", {"S235"});
    QData(indexPath, folder_.Dir(), 1, sizes_, description_, materials_);
  }

  TempFolder folder_;
  RecordingMessages messages_;
  ui::ListControl standards_, sizes_, materials_, thicknesses_;
  ui::Label description_;
};

TEST_F(CatalogueReadersTest, QNormaMatchesHeadersExactly) {
  const std::string index = folder_.Write("list.ini", {
      "[1] ",                                   // 1: a trailing blank makes it no header
      "[10]",                                   // 2
      R"("x.tab" "HEA 10" "" "" "" "")",        // 3
      "[1]x",                                   // 4: nor does any other character
      R"("y.tab" "wrong" "" "" "" "")",         // 5
      "[1]",                                    // 6: the header of type 1
      kStandardLine,                            // 7
      "# a comment",                            // 8
      "",                                       // 9
      R"("b.tab","EN 2","d","HEB","m.txt","DC")",  // 10
      "[10] HE",                                // 11: ends the section
      R"("z.tab" "HEA 10 again" "" "" "" "")",  // 12
      "[END]",
  });
  EXPECT_EQ(QNorma(index, 1, standards_), 0);
  EXPECT_EQ(Entries(standards_), (Lines{"EN 1", "EN 2"}));
  EXPECT_EQ(ItemData(standards_), (std::vector<int>{7, 10}));
  EXPECT_EQ(QNorma(index, 10, standards_), 0);
  EXPECT_EQ(Entries(standards_), (Lines{"HEA 10"}));
  EXPECT_EQ(ItemData(standards_), (std::vector<int>{3}));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CatalogueReadersTest, QNormaRunningIntoTheEndOfTheFileKeepsItsEntriesAndSaysSo) {
  const std::string index = folder_.Write("list.ini", {"[12]", kStandardLine, R"("b" "EN 2" "" "" "" "")"});
  EXPECT_EQ(QNorma(index, 12, standards_), 62);
  EXPECT_EQ(Entries(standards_), (Lines{"EN 1", "EN 2"}));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Error Reading " + index + "\rin QNorma");
  EXPECT_EQ(messages_.shown[0].icon, ui::MessageIcon::Critical);
  EXPECT_EQ(messages_.shown[0].title, "Zembrati");

  EXPECT_EQ(QNorma(index, 3, standards_), 62);  // no header at all
  EXPECT_TRUE(Entries(standards_).empty());
}

TEST_F(CatalogueReadersTest, QNormaStopsAtABodyLineWithoutQuotes) {
  const std::string index = folder_.Write("list.ini", {"[2]", kStandardLine, "   ", kStandardLine, "[3]"});
  EXPECT_EQ(QNorma(index, 2, standards_), 5);
  EXPECT_EQ(Entries(standards_), (Lines{"EN 1"}));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Error  5 Invalid procedure call or argument\r\nin QNorma");
}

TEST_F(CatalogueReadersTest, QNormaWithoutItsIndexFile) {
  const std::string index = folder_.Path("missing.ini");
  standards_.AddItem("stale");
  EXPECT_EQ(QNorma(index, 1, standards_), 53);
  EXPECT_EQ(standards_.ListCount(), 0);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            "Error Reading File INI\r\n\r\n" + index + "\r\n\r\nFile INI not found\rIn QNorma");
  EXPECT_EQ(messages_.shown[0].icon, ui::MessageIcon::Exclamation);
}

TEST_F(CatalogueReadersTest, QDataFillsSizesAndMaterialsWithTheirLinePositions) {
  std::string index = folder_.Write("list.ini", {"[1]", kStandardLine, "[2]"});
  folder_.Write("tab/a.tab", {
      "# HEA sizes",          // 0
      "@1|5|6|",              // 1
      "",                     // 2
      " 100 |96|0|100|",      // 3
      "120|114|0|120|",       // 4
      "  ",                   // 5
      "140|133|0|140|",       // 6
      "  HE 160 A  |152|",    // 7: spaces inside a name stay
      "\t180 |171|",           // 8: only spaces are trimmed
      "   |0|",               // 9: a name of spaces is empty
  });
  folder_.Write("tab/mat.txt", {"# grades", "", "  S235  ", "S355"});
  const std::string dataDir = folder_.Dir() + "tab/";
  QData(index, dataDir, 2, sizes_, description_, materials_);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(description_.caption, "desc");
  EXPECT_EQ(Entries(sizes_), (Lines{"100", "120", "140", "HE 160 A", "\t180", ""}));
  EXPECT_EQ(ItemData(sizes_), (std::vector<int>{3, 4, 6, 7, 8, 9}));
  EXPECT_EQ(sizes_.Tag(), dataDir + "a.tab");
  EXPECT_EQ(Entries(materials_), (Lines{"S235", "S355"}));
  EXPECT_EQ(materials_.Tag(), dataDir + "mat.txt");
  EXPECT_EQ(index, "mat.txt");  // the work variable names the file read last
}

TEST_F(CatalogueReadersTest, QDataLeavesTheListsAsTheFailureFoundThem) {
  const std::string dataDir = folder_.Dir();
  std::string index = folder_.Write("list.ini", {"[1]", kStandardLine, "[2]"});
  sizes_.AddItem("old size");
  sizes_.SetTag("old tag");
  materials_.AddItem("old material");

  // Size table missing: the description is new, both lists as they were.
  QData(index, dataDir, 2, sizes_, description_, materials_);
  EXPECT_EQ(description_.caption, "desc");
  EXPECT_EQ(Entries(sizes_), (Lines{"old size"}));
  EXPECT_EQ(sizes_.Tag(), "old tag");
  EXPECT_EQ(Entries(materials_), (Lines{"old material"}));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Error Reading File\r\n\r\na.tab\r\n\r\nFile not found\rIn QData");

  // Materials file missing: new sizes, no materials, the tag names the missing file.
  folder_.Write("a.tab", {"100|96|0|100|", "120|114|0|120|"});
  index = folder_.Path("list.ini");
  QData(index, dataDir, 2, sizes_, description_, materials_);
  EXPECT_EQ(Entries(sizes_), (Lines{"100", "120"}));
  EXPECT_EQ(materials_.ListCount(), 0);
  EXPECT_EQ(materials_.Tag(), dataDir + "mat.txt");
  EXPECT_EQ(messages_.shown.back().text, "Error Reading File\r\n\r\nmat.txt\r\n\r\nFile not found\rIn QData");

  // A size line without a bar: the sizes before it stay, the materials are not touched.
  folder_.Write("a.tab", {"100|96|0|100|", "120 no bar", "140|133|0|140|"});
  materials_.AddItem("kept");
  index = folder_.Path("list.ini");
  QData(index, dataDir, 2, sizes_, description_, materials_);
  EXPECT_EQ(Entries(sizes_), (Lines{"100"}));
  EXPECT_EQ(Entries(materials_), (Lines{"kept"}));
  EXPECT_EQ(messages_.shown.back().text, "Error  5 Invalid procedure call or argument\r\nin QData");
}

TEST_F(CatalogueReadersTest, QDataPastTheEndOfTheIndexNamesTheIndexFile) {
  std::string index = folder_.Write("list.ini", {"[1]", kStandardLine});
  const std::string path = index;
  QData(index, folder_.Dir(), 9, sizes_, description_, materials_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Error Reading " + path + "\rin QData");
}

class QMisuraTest : public CatalogueReadersTest {
 protected:
  // Loads the size line written as line 4 (index 3) of a size table.
  std::array<double, 21> Load(const std::string& sizeLine) {
    sizes_.Clear();
    sizes_.SetTag(folder_.Write("sizes.tab", {"# a", "", "@1|2|", sizeLine}));
    sizes_.AddItem("X");
    sizes_.SetItemData(0, 3);
    sizes_.SetListIndex(0);
    dims_.fill(-1);
    QMisura(sizes_, dims_, partNumber_);
    return dims_;
  }
  std::array<double, 21> dims_{};
  std::string partNumber_ = "unchanged";
};

TEST_F(QMisuraTest, EveryBarStartsAFieldAndTheLastIsReadOnceMore) {
  auto d = Load("X|10|20|30");
  EXPECT_EQ((std::vector<double>(d.begin(), d.begin() + 5)), (std::vector<double>{10, 20, 30, 30, -1}));
  EXPECT_EQ(partNumber_, "20");
  d = Load("X|10|20|30|");
  EXPECT_EQ((std::vector<double>(d.begin(), d.begin() + 6)), (std::vector<double>{10, 20, 30, 0, 0, -1}));
  EXPECT_EQ(partNumber_, "30");
  d = Load("Y | 8.5 |8,5|1 000|abc|@2|");
  EXPECT_EQ((std::vector<double>(d.begin(), d.begin() + 5)), (std::vector<double>{8.5, 8, 1000, 0, 0}));
  partNumber_ = "unchanged";
  Load("  Z  |");
  EXPECT_EQ(partNumber_, "Z");
  partNumber_ = "unchanged";
  Load("|7");
  EXPECT_EQ(partNumber_, "unchanged");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(QMisuraTest, MoreThanTwentyBarsIsError9AfterWritingEveryElement) {
  std::string line = "X";
  for (int i = 0; i < 21; ++i) line += "|" + std::to_string(i);
  const auto d = Load(line);
  EXPECT_EQ(d[20], 20);
  EXPECT_EQ(partNumber_, "19");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, "Error  9 Subscript out of range\r\nin QMisura");
  messages_.shown.clear();
  line = "X";
  for (int i = 0; i < 20; ++i) line += "|" + std::to_string(i);
  Load(line);
  EXPECT_TRUE(messages_.shown.empty());
}

class QSpessoriTest : public CatalogueReadersTest {
 protected:
  Lines Thicknesses(std::initializer_list<std::string> lines, int sizeIndex) {
    sizes_.Clear();
    sizes_.SetTag(folder_.Write("tubes.tab", lines));
    sizes_.AddItem("size");
    sizes_.SetItemData(0, static_cast<std::int16_t>(sizeIndex));
    sizes_.SetListIndex(0);
    thicknesses_.AddItem("stale");
    QSpessori(sizes_, thicknesses_);
    return Entries(thicknesses_);
  }
};

TEST_F(QSpessoriTest, GroupsAreFoundOnlyBelowTheirSizeLine) {
  EXPECT_EQ(Thicknesses({"Y|40|0|0|@2|", "@1|2|3|", "@2|3|4|5|"}, 0), (Lines{"3", "4", "5"}));
  EXPECT_EQ(Thicknesses({"Y|40|0|0|@2|", "@2|3|4|5"}, 0), (Lines{"3", "4"}));
  EXPECT_EQ(Thicknesses({"@2|3|4|5|", "Y|40|0|0|@2|"}, 1), Lines{});
  EXPECT_EQ(Thicknesses({"Y|40|0|0|", "@1|2|3|"}, 0), Lines{});
  EXPECT_EQ(Thicknesses({"Y|40|@2.0|0|", "@2| 2.5 ||4|", "@2|9|"}, 0), (Lines{"2.5", "", "4"}));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CatalogueReadersTest, QMisuraAndQSpessoriNameTheSizeTableInTheirMessages) {
  sizes_.SetTag(folder_.Path("gone.tab"));
  sizes_.AddItem("X");
  sizes_.SetListIndex(0);
  QSpessori(sizes_, thicknesses_);
  EXPECT_EQ(messages_.shown.back().text,
            "Error Reading File INI\r\n\r\n" + folder_.Path("gone.tab") + "\r\n\r\nFile INI not found\rIn QSpessori");
  EXPECT_EQ(messages_.shown.back().icon, ui::MessageIcon::Exclamation);
  sizes_.SetTag(folder_.Write("short.tab", {"X|1|"}));
  sizes_.SetItemData(0, 4);  // the file has one line only
  std::array<double, 21> dims{};
  std::string partNumber;
  QMisura(sizes_, dims, partNumber);
  EXPECT_EQ(messages_.shown.back().text, "Error Reading " + folder_.Path("short.tab") + "\rin QMisura");
  EXPECT_EQ(messages_.shown.back().icon, ui::MessageIcon::Critical);
}

TEST_F(CatalogueReadersTest, QDesignazioneReadsTheNameFormatAndDesignation) {
  const std::string index = folder_.Write("list.ini", {"[1]", kStandardLine, R"("only" "two")"});
  std::string format, designation;
  QDesignazione(index, 2, format, designation);
  EXPECT_EQ(designation, "HEA");
  EXPECT_EQ(format, "DCN");
  format = designation = "";
  QDesignazione(folder_.Path("gone.ini"), 2, format, designation);
  EXPECT_EQ(format, "");
  EXPECT_EQ(designation, "");
  EXPECT_EQ(messages_.shown.back().text,
            "Error Reading File INI\r\n\r\n" + folder_.Path("gone.ini") + "\r\n\r\nFile INI not found\rIn QDesignazione");
  QDesignazione(index, 3, format, designation);
  EXPECT_EQ(messages_.shown.back().text, "Error  5 Invalid procedure call or argument\r\nin QDesignazione");
}

TEST_F(CatalogueReadersTest, LineCountersOverflowAt32768) {
  std::string bytes;
  for (int i = 0; i < 32768; ++i) bytes += "x\r\n";
  const std::string index = folder_.WriteBytes("huge.ini", bytes);
  EXPECT_EQ(QNorma(index, 1, standards_), 6);
  EXPECT_EQ(messages_.shown.back().text, "Error  6 Overflow\r\nin QNorma");
}

// The one-pass size table answers every size exactly as the readers do when the user picks it,
// errors included.
TEST_F(CatalogueReadersTest, ASizeTableReadOnceAnswersAsTheReadersDo) {
  const std::string path = folder_.Write("t.tab", {
      "# sizes",
      "60.3|60.3|0|@1|CHS60|",
      "@1|2.9|3.6|4|",
      "88.9 | 88.9|0|@2|",
      "@9e999|x|",             // a group whose number overflows: stops the search of 88.9
      "@2|3.2|5|",
      "101.6|101.6|0|@1|",     // group 1 again, below: this size finds the second one
      "@1|6|8|",
      "bad|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|",
      "114.3|114.3|0|@7|",     // no such group
      "",
      "139.7|139.7|0|@99999|",  // a group number beyond 16 bits
  });
  std::string indexPath = folder_.Write("list.ini", {R"("t.tab" "S" "d" "D" "m.txt" "DC")"});
  folder_.Write("m.txt", {"S235"});
  QData(indexPath, folder_.Dir(), 1, sizes_, description_, materials_);
  ASSERT_EQ(sizes_.ListCount(), 6);
  const SizeTable table(path);
  for (std::int16_t i = 0; i < sizes_.ListCount(); ++i) {
    SCOPED_TRACE(sizes_.List(i));
    sizes_.SetListIndex(i);
    std::array<double, 21> expectedDims{}, dims{};
    std::string expectedNumber, number;
    ui::ListControl expectedThicknesses, thicknesses;
    messages_.shown.clear();
    QMisura(sizes_, expectedDims, expectedNumber);
    QSpessori(sizes_, expectedThicknesses);
    std::vector<std::int32_t> expectedErrors;
    for (const auto& shown : messages_.shown) expectedErrors.push_back(shown.text.find("Error  9") == 0 ? 9 : 6);
    std::vector<std::int32_t> errors;
    try {
      table.Size(sizes_.ItemData(i), dims, number);
    } catch (const runtime::RuntimeError& e) {
      errors.push_back(e.number());
    }
    try {
      table.Thicknesses(sizes_.ItemData(i), thicknesses);
    } catch (const runtime::RuntimeError& e) {
      errors.push_back(e.number());
    }
    EXPECT_EQ(errors, expectedErrors);
    EXPECT_EQ(dims, expectedDims);
    EXPECT_EQ(number, expectedNumber);
    EXPECT_EQ(Entries(thicknesses), Entries(expectedThicknesses));
  }
  EXPECT_EQ(testing::ErrorNumberOf([&] { table.Line(12); }), runtime::error::kInputPastEndOfFile);
}

// Named fields after the numeric ones: what they state lands in its element, an absent field
// leaves 0 there (never what an earlier size stated), the part number is still the last field,
// and a field the readers do not know, or a value that is none, is error 5 with the reader's
// message.
TEST_F(CatalogueReadersTest, NamedFieldsOfASizeLine) {
  namespace field = named_field;
  LoadSizeTable({
      "200|200|0|80|6|11|13|0|slope=0|UPE200|",
      "S24|622|0|204|20.3|28.5|7.62|0|slope=16.67|S610x180|",
      "100x50|100|0|@1|50| corners = EN10219 |RHS100x50|",
      "HSS6x4|152.4|0|@1|101.6|wall=0.93|ro=2t|ri=1t|HSS6x4|",
      "plain|200|0|75|8.5|11.5|11.5|6|UPN200|",
      "bad|1|0|2|colour=red|X|",
      "worse|1|0|2|slope=steep|X|",
      "@1|5|",
  });
  std::array<double, 21> dims{};
  std::string partNumber;
  const auto load = [&](std::int16_t i) {
    sizes_.SetListIndex(i);
    QMisura(sizes_, dims, partNumber);
  };
  load(0);
  EXPECT_EQ(dims[field::kFlangeSlope], field::kParallelFlanges);
  EXPECT_EQ(dims[6], 0);  // no toe radius
  EXPECT_EQ(partNumber, "UPE200");
  load(1);
  EXPECT_DOUBLE_EQ(dims[field::kFlangeSlope], 16.67);
  load(2);
  EXPECT_EQ(dims[field::kCornerRule], field::kCornersEn10219);
  EXPECT_EQ(dims[field::kFlangeSlope], 0);  // the earlier size's slope does not carry over
  load(3);
  EXPECT_DOUBLE_EQ(dims[field::kWallFactor], 0.93);
  EXPECT_EQ(dims[field::kCornerRule], field::kCornersGiven);
  EXPECT_EQ(dims[field::kOuterRadius], -2);
  EXPECT_EQ(dims[field::kInnerRadius], -1);
  EXPECT_EQ(partNumber, "HSS6x4");
  load(4);
  for (std::size_t k = field::kWallFactor; k <= field::kInnerRadius; ++k) EXPECT_EQ(dims[k], 0) << k;
  EXPECT_TRUE(messages_.shown.empty());
  load(5);
  load(6);
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[0].text, "Error  5 Invalid procedure call or argument\r\nin QMisura");
  EXPECT_TRUE(IsNamedField(" ro=2t"));
  EXPECT_FALSE(IsNamedField("@1"));
  EXPECT_FALSE(IsNamedField("=3"));
  EXPECT_FALSE(IsNamedField("2=3"));
}

// Names and rules are read as a person types them; the part number is never a named field, even
// when it looks like one.
TEST_F(CatalogueReadersTest, NamedFieldsAreReadWithoutRegardToCaseOrBlanks) {
  namespace field = named_field;
  LoadSizeTable({
      "100x50|100|0|@1|50| Corners = en 10219 |RHS100x50|",
      "100x50|100|0|@1|50|RO = 8 |Ri=4|RHS100x50|",
      "pos|100|0|@1|50|Pos=12|",
      "@1|5|",
  });
  std::array<double, 21> dims{};
  std::string partNumber;
  sizes_.SetListIndex(0);
  EXPECT_TRUE(QMisura(sizes_, dims, partNumber));
  EXPECT_EQ(dims[field::kCornerRule], field::kCornersEn10219);
  sizes_.SetListIndex(1);
  EXPECT_TRUE(QMisura(sizes_, dims, partNumber));
  EXPECT_EQ(dims[field::kCornerRule], field::kCornersGiven);
  EXPECT_EQ(dims[field::kOuterRadius], 8);
  EXPECT_EQ(dims[field::kInnerRadius], 4);
  sizes_.SetListIndex(2);
  EXPECT_TRUE(QMisura(sizes_, dims, partNumber));
  EXPECT_EQ(partNumber, "Pos=12");
  EXPECT_EQ(dims[field::kCornerRule], 0);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(NumericFieldCount("pos|100|0|@1|50|Pos=12|"), 4);
  EXPECT_EQ(NumericFieldCount("x|100|0|@1|50|wall=0.93|HSS|"), 4);
}

// A size line whose named fields cannot all be taken is refused whole, with error 5: the section
// dimensions keep the size read before it, and the reader says the size did not load.
TEST_F(CatalogueReadersTest, ARefusedNamedFieldLeavesTheDimensionsAsTheyWere) {
  const std::vector<std::string> refused{
      "slope|200|0|75|8.5|11.5|slope=.|X|",          // no number
      "comma|200|0|75|8.5|11.5|slope=16,67|X|",      // a decimal comma
      "twice|200|0|75|8.5|11.5|slope=1.2.3|X|",      // more than one number
      "alone|100|0|@1|50|ro=2t|X|",                  // an outer radius without the inner one
      "both|100|0|@1|50|corners=EN10210|ro=2t|ri=1t|X|",  // a rule and radii
      "after|100|0|slope=5|75|X|",                   // a numeric field after a named one
      "rule|100|0|@1|50|corners=EN10025|X|",         // no such corner rule
      "wall|152.4|0|@1|wall=1.5|X|",                 // a design wall above the nominal one
  };
  std::vector<std::string> lines{"good|200|0|75|8.5|11.5|11.5|6|slope=8|UPN200|"};
  lines.insert(lines.end(), refused.begin(), refused.end());
  lines.push_back("@1|5|");
  LoadSizeTable(lines);
  std::array<double, 21> good{};
  std::string goodNumber;
  sizes_.SetListIndex(0);
  ASSERT_TRUE(QMisura(sizes_, good, goodNumber));
  for (std::size_t i = 0; i < refused.size(); ++i) {
    SCOPED_TRACE(refused[i]);
    sizes_.SetListIndex(static_cast<std::int16_t>(i + 1));
    std::array<double, 21> dims = good;
    std::string partNumber;
    messages_.shown.clear();
    EXPECT_FALSE(QMisura(sizes_, dims, partNumber));
    EXPECT_EQ(dims, good);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, "Error  5 Invalid procedure call or argument\r\nin QMisura");
  }
}

}  // namespace
}  // namespace zembrati::catalogue
