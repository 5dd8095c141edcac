#include "runtime/text_file.h"

#include <gtest/gtest.h>

#include "support/error_number.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "runtime/code_page.h"
#include "runtime/file_reading_scope.h"
#include "runtime/runtime_error.h"

namespace zembrati::runtime {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zembrati_text_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }

  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static std::vector<std::string> ReadAll(const std::string& path) {
    TextFileReader reader(path);
    std::vector<std::string> lines;
    while (!reader.AtEnd()) lines.push_back(reader.ReadLine());
    return lines;
  }


  fs::path folder_;
};

TEST_F(TextFileTest, ReadsCrLfLfAndCrLineEndsAlike) {
  WriteBytes("mixed.txt", "one\r\ntwo\nthree\rfour");
  EXPECT_EQ(ReadAll(PathOf("mixed.txt")),
            (std::vector<std::string>{"one", "two", "three", "four"}));
}

// A file too large to read whole is read in pieces: lines longer than a piece, and a CR LF split
// between two pieces, read as they would from one; bytes beyond ASCII still come out as UTF-8.
TEST_F(TextFileTest, LinesCutAcrossReadPiecesComeOutWhole) {
  constexpr std::size_t kPiece = 64 * 1024;
  const std::string longLine(200000, 'x');
  const std::string beforeSplit(kPiece - 1, 'a');  // its CR ends one piece, its LF starts the next
  const std::string filler(1 << 20, 'f');          // 17 lines of 1 MB: more than is read whole
  std::string bytes = longLine + "\n" + beforeSplit.substr(longLine.size() % kPiece + 1) + "\r\n";
  for (int i = 0; i < 17; ++i) bytes += filler + "\r\n";
  WriteBytes("long.txt", bytes + "next\r\xE4\xDF");
  const std::vector<std::string> lines = ReadAll(PathOf("long.txt"));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ((longLine.size() + 1 + lines[1].size()) % kPiece, kPiece - 1);
  EXPECT_EQ(lines[2], filler);
  EXPECT_EQ(lines[18], filler);
  EXPECT_EQ(lines[19], "next");
  EXPECT_EQ(lines[20], "\xC3\xA4\xC3\x9F");
}

// A file read whole: its last line needs no line end, and a reading scope shares it.
TEST_F(TextFileTest, AFileReadWholeKeepsItsLastLine) {
  WriteBytes("small.tab", "100|a\r\n\n999|b|");
  EXPECT_EQ(ReadAll(PathOf("small.tab")), (std::vector<std::string>{"100|a", "", "999|b|"}));
  const FileReadingScope action;
  EXPECT_EQ(ReadAll(PathOf("small.tab")), (std::vector<std::string>{"100|a", "", "999|b|"}));
  EXPECT_EQ(ReadAll(PathOf("small.tab")), (std::vector<std::string>{"100|a", "", "999|b|"}));
}

// Within one reading scope (one user action) a file is read from the disk once: every reader sees
// it as first read, a file the program writes is read again, a missing file is still error 53,
// and the next scope reads the file as it stands then.
TEST_F(TextFileTest, AReadingScopeReadsEachFileOnce) {
  WriteBytes("table.tab", "100|a\r\n200|b\r\n");
  {
    const FileReadingScope action;
    EXPECT_EQ(ReadAll(PathOf("table.tab")), (std::vector<std::string>{"100|a", "200|b"}));
    WriteBytes("table.tab", "edited\r\n");
    {
      const FileReadingScope nested;
      EXPECT_EQ(ReadAll(PathOf("table.tab")), (std::vector<std::string>{"100|a", "200|b"}));
    }
    EXPECT_EQ(ReadAll(PathOf("table.tab")), (std::vector<std::string>{"100|a", "200|b"}));
    TextFileWriter writer(PathOf("table.tab"));
    writer.WriteLine("written");
    writer.Close();
    EXPECT_EQ(ReadAll(PathOf("table.tab")), (std::vector<std::string>{"written"}));
    EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileReader(PathOf("missing.tab")); }), error::kFileNotFound);
    WriteBytes("table.tab", "edited again\r\n");
  }
  EXPECT_EQ(ReadAll(PathOf("table.tab")), (std::vector<std::string>{"edited again"}));
}

// Looking for the next line that starts with a character passes over the others as reading them
// would, across blocks and whatever their ends, and stops at the end of the file.
TEST_F(TextFileTest, ReadingOnToALineThatStartsWithACharacter) {
  const std::string filler(70000, 'x');
  WriteBytes("groups.tab", "100|@1|\r\n" + filler + "\r\n@1|2|3|\r@2|\xE4|\nx@3\n@3");
  TextFileReader reader(PathOf("groups.tab"));
  std::string line;
  EXPECT_EQ(reader.ReadLine(), "100|@1|");
  ASSERT_TRUE(reader.ReadLineStartingWith('@', line));
  EXPECT_EQ(line, "@1|2|3|");
  ASSERT_TRUE(reader.ReadLineStartingWith('@', line));
  EXPECT_EQ(line, "@2|\xC3\xA4|");
  ASSERT_TRUE(reader.ReadLineStartingWith('@', line));
  EXPECT_EQ(line, "@3");
  EXPECT_FALSE(reader.ReadLineStartingWith('@', line));
  EXPECT_TRUE(reader.AtEnd());
}

TEST_F(TextFileTest, EmptyLinesCountAndAFinalLineEndAddsNoLine) {
  WriteBytes("blank.txt", "a\r\n\r\n\nb\r\n");
  EXPECT_EQ(ReadAll(PathOf("blank.txt")), (std::vector<std::string>{"a", "", "", "b"}));
  WriteBytes("empty.txt", "");
  EXPECT_TRUE(ReadAll(PathOf("empty.txt")).empty());
}

TEST_F(TextFileTest, ReadingPastTheLastLineIsError62) {
  WriteBytes("one.txt", "only\r\n");
  TextFileReader reader(PathOf("one.txt"));
  EXPECT_EQ(reader.ReadLine(), "only");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(testing::ErrorNumberOf([&] { reader.ReadLine(); }), 62);
}

TEST_F(TextFileTest, OpeningFailuresHaveTheirOwnNumbers) {
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileReader r(PathOf("missing.txt")); }), 53);
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileReader r(PathOf("no/such/folder.txt")); }), 76);
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileReader r(folder_.string()); }), 75);
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileReader r(""); }), 52);
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileWriter w(PathOf("no/such/folder.txt")); }), 76);
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileWriter w(folder_.string()); }), 75);
}

TEST_F(TextFileTest, WritesCrLfInTheSystemCodePage) {
  {
    TextFileWriter writer(PathOf("out.txt"));
    writer.WriteLine("Länge");
    writer.WriteLine(" 1500");
    writer.WriteLine("€ 3 – ok");
    writer.Close();
  }
  EXPECT_EQ(ReadBytes("out.txt"), "L\xE4nge\r\n 1500\r\n\x80 3 \x96 ok\r\n");
  EXPECT_EQ(ReadAll(PathOf("out.txt")),
            (std::vector<std::string>{"Länge", " 1500", "€ 3 – ok"}));
}

TEST_F(TextFileTest, AWriterThatDoesNotFinishLeavesTheOldFileStanding) {
  WriteBytes("prefs.txt", "old\r\n");
  {
    TextFileWriter writer(PathOf("prefs.txt"));
    writer.WriteLine("new");
    // Dropped without Close, as when an error ends the procedure half-way.
  }
  EXPECT_EQ(ReadBytes("prefs.txt"), "old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);

  TextFileWriter writer(PathOf("prefs.txt"));
  writer.WriteLine("new");
  EXPECT_EQ(ReadBytes("prefs.txt"), "old\r\n");  // still old until Close
  writer.Close();
  EXPECT_EQ(ReadBytes("prefs.txt"), "new\r\n");
}

// Two writers of one file at once each write their own temporary file; the file is always one
// writer's whole content. A read-only file is refused and keeps its content and permissions.
TEST_F(TextFileTest, WritersOfOneFileNeverMeetAndReadOnlyFilesAreRefused) {
  TextFileWriter first(PathOf("prefs.txt"));
  TextFileWriter second(PathOf("prefs.txt"));
  first.WriteLine("first");
  second.WriteLine("second");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
  first.Close();
  EXPECT_EQ(ReadBytes("prefs.txt"), "first\r\n");
  second.Close();
  EXPECT_EQ(ReadBytes("prefs.txt"), "second\r\n");

  fs::permissions(PathOf("prefs.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  TextFileWriter third(PathOf("prefs.txt"));
  third.WriteLine("third");
  third.Close();
  EXPECT_EQ(fs::status(PathOf("prefs.txt")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);

  fs::permissions(PathOf("prefs.txt"), fs::perms::owner_read);
  EXPECT_EQ(testing::ErrorNumberOf([&] { TextFileWriter(PathOf("prefs.txt")); }), error::kPermissionDenied);
  EXPECT_EQ(ReadBytes("prefs.txt"), "third\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  fs::permissions(PathOf("prefs.txt"), fs::perms::owner_all);
}

TEST(CodePageTest, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
  EXPECT_EQ(Windows1252ToUtf8("\x80\xE4\x9F"), "€äŸ");
}

TEST(CodePageTest, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToWindows1252("a\u4E2Db"), "a?b");
  EXPECT_EQ(Utf8ToWindows1252("x\xFF\xFEy"), "x??y");
  EXPECT_EQ(Utf8ToWindows1252("cut\xC3"), "cut?");
}

TEST(CodePageTest, OnlyWellFormedUtf8IsDecoded) {
  // Overlong spellings of NUL, CR, "/" and "A" are not those characters.
  EXPECT_EQ(Utf8ToWindows1252("a\xC0\x80" "b"), "a??b");  // C0 can begin no sequence
  EXPECT_EQ(Utf8ToWindows1252("\xE0\x80\xAF\xF0\x80\x81\x81"), "??");
  EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80"), "?");      // a surrogate
  EXPECT_EQ(Utf8ToWindows1252("\xF4\x90\x80\x80"), "?");  // beyond U+10FFFF
  EXPECT_EQ(Utf8ToWindows1252("\xC3\xA4\xE2\x82\xAC"), "\xE4\x80");  // the shortest forms still read
}

}  // namespace
}  // namespace zembrati::runtime
