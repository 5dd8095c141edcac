#include "runtime/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zembrati::runtime {
namespace {

std::vector<std::string> LinesOf(const TextLines& text) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < text.Count(); ++i) lines.emplace_back(text.Line(i));
  return lines;
}

using Lines = std::vector<std::string>;

TEST(TextLinesTest, EveryLineEndCutsWhereverItStands) {
  EXPECT_EQ(LinesOf(TextLines("a\r\nb\rc\n\nd", true)), (Lines{"a", "b", "c", "", "d"}));
  EXPECT_EQ(LinesOf(TextLines("a\r\r\n\r", true)), (Lines{"a", "", ""}));
  EXPECT_EQ(LinesOf(TextLines("\n", true)), (Lines{""}));
  EXPECT_TRUE(LinesOf(TextLines("", true)).empty());
  // A CR alone at every place of lines long and short: the lines are looked at eight bytes at a
  // time, the last few as a word that overlaps the one before.
  for (std::size_t length = 1; length <= 20; ++length) {
    for (std::size_t cr = 0; cr < length; ++cr) {
      std::string line(length, 'x');
      line[cr] = '\r';
      const Lines expected{std::string(cr, 'x'), std::string(length - cr - 1, 'x'), "y"};
      EXPECT_EQ(LinesOf(TextLines(line + "\r\ny", true)), expected) << length << " " << cr;
      // Closing the line, the CR and an LF are one line end.
      const Lines withLf = cr + 1 == length ? Lines{std::string(cr, 'x'), "y"} : expected;
      EXPECT_EQ(LinesOf(TextLines(line + "\ny", true)), withLf) << length << " " << cr;
    }
  }
}

// A piece that more bytes follow keeps back what may not be a whole line yet: text after the last
// line end, and a closing CR, which may be the first half of a CR LF.
TEST(TextLinesTest, APieceKeepsBackWhatMayNotBeAWholeLine) {
  const TextLines piece("a\r\nb\nunfinished", false);
  EXPECT_EQ(LinesOf(piece), (Lines{"a", "b"}));
  EXPECT_EQ(piece.Rest(), "unfinished");
  const TextLines closingCr("a\rb\r", false);
  EXPECT_EQ(LinesOf(closingCr), (Lines{"a"}));
  EXPECT_EQ(closingCr.Rest(), "b\r");
  EXPECT_EQ(LinesOf(TextLines("a\rb\r", true)), (Lines{"a", "b"}));
  EXPECT_EQ(TextLines("a\rb\r", true).Rest(), "");
}

TEST(TextLinesTest, TellsWhetherAnyLineNeedsACodePageConversion) {
  EXPECT_TRUE(TextLines("plain text\r\nof several lines\r\n", true).Ascii());
  EXPECT_FALSE(TextLines("caf\xE9\r\n", true).Ascii());
  EXPECT_FALSE(TextLines("a line of more than eight bytes\rthen \xE4\n", true).Ascii());
  EXPECT_FALSE(TextLines("x\r\xE4", true).Ascii());
}

TEST(TextLinesTest, TellsWhereAWholeLineEnds) {
  EXPECT_TRUE(HoldsWholeLineEnd("abc\ndef", 0));
  EXPECT_FALSE(HoldsWholeLineEnd("abc\ndef", 4));
  EXPECT_TRUE(HoldsWholeLineEnd("abc\rd", 2));
  EXPECT_FALSE(HoldsWholeLineEnd("abc\r", 2));  // an LF may follow
  EXPECT_FALSE(HoldsWholeLineEnd("", 0));
}

}  // namespace
}  // namespace zembrati::runtime
