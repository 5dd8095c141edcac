#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zembrati::scene::json {

// Writes JSON text value by value into a string, commas and colons included. Text that is not
// UTF-8 is written with U+FFFD in place of each bad byte, so that whatever a client named a
// thing, the text stays JSON. Numbers are written in the shortest form that reads back to the
// same double, always with a decimal point or exponent so that they read back as doubles.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  void BeginObject();
  void EndObject();
  void Key(std::string_view key);
  void BeginArray();
  void EndArray();
  void String(std::string_view text);
  void Integer(std::int64_t value);
  void Double(double value);  // finite values only
  void Boolean(bool value);
  // Starts the next value on a new line indented by `indent` spaces, after its comma.
  void NewLine(int indent);
  // From now on, whenever a new line begins with at least `bytes` written, hands what is written
  // to `drain` and starts afresh: a text too large to hold whole goes out in pieces.
  void DrainEvery(std::size_t bytes, std::function<void(std::string_view)> drain);

 private:
  void BeforeValue();
  void Open(char opening);
  void Close(char closing);
  void WriteQuoted(std::string_view text);

  std::string& out_;
  std::vector<bool> first_;  // per open array or object: nothing written in it yet
  bool afterKey_ = false;
  int pendingIndent_ = -1;
  std::size_t drainBytes_ = 0;
  std::function<void(std::string_view)> drain_;
};

}  // namespace zembrati::scene::json
