#include "json/json_reader.h"

#include <charconv>
#include <cmath>

#include "runtime/code_page.h"

namespace zembrati::scene::json {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

JsonReader::JsonReader(std::string_view text, int maxNesting) : text_(text), maxNesting_(maxNesting) {}

void JsonReader::Fail(const std::string& what) const {
  throw JsonError("at byte " + std::to_string(at_) + ": " + what);
}

void JsonReader::SkipSpace() {
  while (at_ < text_.size() &&
         (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
    ++at_;
  }
}

void JsonReader::Expect(char c) {
  SkipSpace();
  if (at_ >= text_.size() || text_[at_] != c) Fail(std::string("'") + c + "' expected");
  ++at_;
}

JsonKind JsonReader::Peek() {
  SkipSpace();
  if (at_ >= text_.size()) Fail("the text ends where a value was expected");
  switch (text_[at_]) {
    case '{': return JsonKind::Object;
    case '[': return JsonKind::Array;
    case '"': return JsonKind::String;
    case 't': return JsonKind::True;
    case 'f': return JsonKind::False;
    case 'n': return JsonKind::Null;
    default:
      if (text_[at_] == '-' || IsDigit(text_[at_])) return JsonKind::Number;
      Fail("a value expected");
  }
}

void JsonReader::Open(char opening) {
  Expect(opening);
  if (static_cast<int>(first_.size()) >= maxNesting_) {
    Fail("it nests deeper than " + std::to_string(maxNesting_) + " levels");
  }
  first_.push_back(true);
}

bool JsonReader::Next(char closing) {
  SkipSpace();
  if (at_ < text_.size() && text_[at_] == closing) {
    ++at_;
    first_.pop_back();
    return false;
  }
  if (!first_.back()) {
    if (at_ >= text_.size() || text_[at_] != ',') Fail(std::string("',' or '") + closing + "' expected");
    ++at_;
  }
  first_.back() = false;
  return true;
}

void JsonReader::BeginObject() { Open('{'); }

bool JsonReader::NextKey(std::string& key) {
  if (!Next('}')) return false;
  SkipSpace();
  if (at_ >= text_.size() || text_[at_] != '"') Fail("a member name expected");
  key = String();
  Expect(':');
  return true;
}

void JsonReader::BeginArray() { Open('['); }

bool JsonReader::NextItem() {
  if (passed_ && at_ >= nextProgress_) {
    nextProgress_ = at_ + progressStep_;
    passed_(at_);
  }
  return Next(']');
}

void JsonReader::OnProgress(std::size_t step, std::function<void(std::size_t)> passed) {
  progressStep_ = step;
  nextProgress_ = step;
  passed_ = std::move(passed);
}

std::uint32_t JsonReader::HexQuad() {
  if (text_.size() - at_ < 4) Fail("four hexadecimal digits expected after \\u");
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, value, 16);
  if (error != std::errc() || end != text_.data() + at_ + 4) Fail("four hexadecimal digits expected after \\u");
  at_ += 4;
  return value;
}

void JsonReader::AppendEscape(std::string& out) {
  if (at_ >= text_.size()) Fail("the text ends inside a string");
  const char c = text_[at_++];
  switch (c) {
    case '"': out += '"'; return;
    case '\\': out += '\\'; return;
    case '/': out += '/'; return;
    case 'b': out += '\b'; return;
    case 'f': out += '\f'; return;
    case 'n': out += '\n'; return;
    case 'r': out += '\r'; return;
    case 't': out += '\t'; return;
    case 'u': break;
    default: --at_; Fail("an unknown escape in a string");
  }
  std::uint32_t code = HexQuad();
  if (code >= 0xDC00 && code <= 0xDFFF) Fail("a lone low surrogate in a string");
  if (code >= 0xD800 && code <= 0xDBFF) {
    if (text_.substr(at_, 2) != "\\u") Fail("a high surrogate without its low surrogate");
    at_ += 2;
    const std::uint32_t low = HexQuad();
    if (low < 0xDC00 || low > 0xDFFF) Fail("a high surrogate without its low surrogate");
    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  }
  runtime::AppendUtf8(out, code);
}

// Copies one multi-byte UTF-8 sequence, refusing overlong forms, surrogates and values past
// U+10FFFF.
void JsonReader::AppendUtf8Sequence(std::string& out) {
  const std::size_t length = runtime::Utf8SequenceLength(text_, at_);
  if (length == 0) Fail("a string is not UTF-8");
  out.append(text_.substr(at_, length));
  at_ += length;
}

std::string JsonReader::String() {
  Expect('"');
  std::string out;
  while (true) {
    // Plain runs are copied whole.
    const std::size_t runStart = at_;
    while (at_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[at_]);
      if (c == '"' || c == '\\' || c < 0x20 || c >= 0x80) break;
      ++at_;
    }
    out.append(text_.substr(runStart, at_ - runStart));
    if (at_ >= text_.size()) Fail("the text ends inside a string");
    const auto c = static_cast<unsigned char>(text_[at_]);
    if (c == '"') {
      ++at_;
      return out;
    }
    if (c < 0x20) Fail("a control character inside a string");
    if (c == '\\') {
      ++at_;
      AppendEscape(out);
    } else {
      AppendUtf8Sequence(out);
    }
  }
}

JsonNumber JsonReader::Number() {
  SkipSpace();
  const std::size_t start = at_;
  const auto digits = [this] {
    const std::size_t from = at_;
    while (at_ < text_.size() && IsDigit(text_[at_])) ++at_;
    return at_ - from;
  };
  if (at_ < text_.size() && text_[at_] == '-') ++at_;
  if (at_ < text_.size() && text_[at_] == '0') {
    ++at_;
  } else if (digits() == 0) {
    Fail("a number expected");
  }
  bool whole = true;
  if (at_ < text_.size() && text_[at_] == '.') {
    ++at_;
    whole = false;
    if (digits() == 0) Fail("digits expected after a decimal point");
  }
  if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
    ++at_;
    whole = false;
    if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
    if (digits() == 0) Fail("digits expected in an exponent");
  }
  JsonNumber number;
  number.text = text_.substr(start, at_ - start);
  const char* first = number.text.data();
  const char* last = first + number.text.size();
  if (whole && std::from_chars(first, last, number.integer).ec == std::errc()) {
    number.whole = true;
    number.real = static_cast<double>(number.integer);
    return number;
  }
  const auto [end, error] = std::from_chars(first, last, number.real);
  if (error != std::errc() || end != last || !std::isfinite(number.real)) {
    at_ = start;
    Fail("the number " + std::string(number.text) + " is out of range");
  }
  return number;
}

bool JsonReader::Boolean() {
  SkipSpace();
  if (text_.substr(at_, 4) == "true") {
    at_ += 4;
    return true;
  }
  if (text_.substr(at_, 5) == "false") {
    at_ += 5;
    return false;
  }
  Fail("true or false expected");
}

void JsonReader::Skip() {
  std::string key;
  switch (Peek()) {
    case JsonKind::Object:
      BeginObject();
      while (NextKey(key)) Skip();
      return;
    case JsonKind::Array:
      BeginArray();
      while (NextItem()) Skip();
      return;
    case JsonKind::String: (void)String(); return;
    case JsonKind::Number: (void)Number(); return;
    case JsonKind::True:
    case JsonKind::False: (void)Boolean(); return;
    case JsonKind::Null:
      if (text_.substr(at_, 4) != "null") Fail("null expected");
      at_ += 4;
      return;
  }
}

void JsonReader::End() {
  SkipSpace();
  if (at_ != text_.size()) Fail("more text after the end of the document");
}

}  // namespace zembrati::scene::json
