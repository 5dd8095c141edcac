#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "json/json_reader.h"
#include "json/json_writer.h"

namespace zembrati::scene::json {
namespace {

std::string Written(auto&& write) {
  std::string text;
  JsonWriter out(text);
  write(out);
  return text;
}

std::string ReadString(const std::string& text) {
  JsonReader in(text, 8);
  std::string value = in.String();
  in.End();
  return value;
}

double ReadReal(const std::string& text) {
  JsonReader in(text, 8);
  const JsonNumber number = in.Number();
  in.End();
  return number.real;
}

// Whatever a client names a thing, the saved text is JSON and reads back as the same text: escapes,
// control characters, characters beyond the basic plane; bytes that are not UTF-8 become U+FFFD.
TEST(JsonTextTest, TextsReadBackAsWritten) {
  for (const std::string& original : {std::string("plain"), std::string("quote \" and \\ back"),
                                     std::string("tab\tnew\nline\r\x01\x1f"), std::string("L\xC3\xA4nge \xE2\x82\xAC \xF0\x9F\x94\xA9"),
                                     std::string("nul \0 inside", 12)}) {
    const std::string text = Written([&](JsonWriter& out) { out.String(original); });
    EXPECT_EQ(ReadString(text), original) << text;
  }
  const std::string bad = Written([](JsonWriter& out) { out.String("a\xFF" "b\xC3"); });
  EXPECT_EQ(ReadString(bad), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_EQ(ReadString(R"("\u00e4\ud83d\udd29\/")"), "\xC3\xA4\xF0\x9F\x94\xA9/");
  for (const char* refused : {R"("\ud83d")", R"("\udd29")", R"("\ud83dx")", R"("\x")", R"("\u12")",
                                    "\"\xFF\"", "\"\xC0\xAF\"", "\"\xED\xA0\x80\"", "\"a\nb\"", "\"open"}) {
    EXPECT_THROW(ReadString(refused), JsonError) << refused;
  }
}

// A double saved reads back as the same double, sign of zero included, and always as a double.
TEST(JsonTextTest, NumbersReadBackExactly) {
  for (const double value : {0.0, -0.0, 0.1, 1.0 / 3, 200.0, -1e-300, 1e21, 123456789012345678.0,
                             std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min()}) {
    const std::string text = Written([&](JsonWriter& out) { out.Double(value); });
    JsonReader in(text, 8);
    const JsonNumber number = in.Number();
    EXPECT_FALSE(number.whole) << text;
    EXPECT_EQ(number.real, value) << text;
    EXPECT_EQ(std::signbit(number.real), std::signbit(value)) << text;
  }
  JsonReader whole("-9223372036854775808", 8);
  const JsonNumber smallest = whole.Number();
  EXPECT_TRUE(smallest.whole);
  EXPECT_EQ(smallest.integer, std::numeric_limits<std::int64_t>::min());
  EXPECT_FALSE(JsonReader("9223372036854775808", 8).Number().whole);  // past 64 bits: a double
  EXPECT_EQ(ReadReal("2.5E-3"), 0.0025);
  for (const char* refused : {"1e400", "-", "1.", ".5", "1e", "+1", "01", "0x10", "1 2"}) {
    EXPECT_THROW(ReadReal(refused), JsonError) << refused;
  }
}

TEST(JsonTextTest, StructureIsCheckedAndNestingBounded) {
  const std::string text = Written([](JsonWriter& out) {
    out.BeginObject();
    out.Key("list");
    out.NewLine(2);
    out.BeginArray();
    out.Integer(1);
    out.NewLine(4);
    out.Boolean(false);
    out.EndArray();
    out.Key("empty");
    out.BeginObject();
    out.EndObject();
    out.EndObject();
  });
  EXPECT_EQ(text, "{\"list\":\n  [1,\n    false],\"empty\":{}}");
  JsonReader in(text, 8);
  in.Skip();
  in.End();

  for (const char* refused : {"{\"a\":1,}", "[1,]", "[1 2]", "{\"a\" 1}", "{a:1}", "[1]]", "[tru]", "nul", ""}) {
    EXPECT_THROW(
        {
          JsonReader bad(refused, 8);
          bad.Skip();
          bad.End();
        },
        JsonError)
        << refused;
  }
  const std::string nine = std::string(9, '[') + std::string(9, ']');
  const std::string eight = std::string(8, '[') + std::string(8, ']');
  JsonReader deep(nine, 8);
  try {
    deep.Skip();
    FAIL();
  } catch (const JsonError& e) {
    EXPECT_NE(std::string(e.what()).find("nests deeper than 8"), std::string::npos) << e.what();
  }
  JsonReader justDeepEnough(eight, 8);
  EXPECT_NO_THROW(justDeepEnough.Skip());
}

}  // namespace
}  // namespace zembrati::scene::json
