#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zembrati::scene::json {

// What a reader found wrong with a text, with the byte it was found at.
class JsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A JSON number as written: whole numbers within 64 bits keep their exact value.
struct JsonNumber {
  bool whole = false;
  std::int64_t integer = 0;
  double real = 0;
  std::string_view text;
};

enum class JsonKind { Object, Array, String, Number, True, False, Null };

// Reads JSON text (RFC 8259, UTF-8) value by value, so that a caller builds its own objects as it
// reads and no tree of the whole text is ever made. Every call checks the grammar; anything else
// throws a JsonError saying what was expected where. Arrays and objects may nest `maxNesting`
// levels deep, so that no walk over what is read goes deeper. The text must outlive the reader.
class JsonReader {
 public:
  JsonReader(std::string_view text, int maxNesting);

  // The kind of the next value.
  JsonKind Peek();

  void BeginObject();
  // Reads the next member's key and the colon after it; false (and the object closed) at its end.
  bool NextKey(std::string& key);
  void BeginArray();
  // Whether another item follows (its comma read); false (and the array closed) at the end.
  bool NextItem();

  std::string String();
  JsonNumber Number();
  bool Boolean();
  // Reads and drops the next value, whatever it is.
  void Skip();
  // Requires nothing but white space after the value read.
  void End();

  [[noreturn]] void Fail(const std::string& what) const;

  // Calls `passed` with the reader's position each time it has read `step` bytes further (at an
  // array's next item). The reader never looks back at what it has passed, so a caller may let
  // go of the text before that position.
  void OnProgress(std::size_t step, std::function<void(std::size_t)> passed);

 private:
  void SkipSpace();
  void Expect(char c);
  // Reads `opening` and enters the array or object it begins.
  void Open(char opening);
  // Reads the comma before the next member or item, or `closing` (leaving the array or object).
  bool Next(char closing);
  void AppendEscape(std::string& out);
  void AppendUtf8Sequence(std::string& out);
  std::uint32_t HexQuad();

  std::string_view text_;
  std::size_t at_ = 0;
  int maxNesting_;
  std::vector<bool> first_;  // per open array or object: no item read yet
  std::function<void(std::size_t)> passed_;
  std::size_t progressStep_ = 0, nextProgress_ = 0;
};

}  // namespace zembrati::scene::json
