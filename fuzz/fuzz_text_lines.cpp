// The line cutter of the text reader, given any bytes: the lines it finds, eight bytes at a time,
// are those a byte-by-byte reading finds (a line ends at CR LF, LF or CR), whether the bytes come
// whole or in two pieces cut anywhere (the first byte of the input says where), and it tells
// rightly whether any line holds a byte beyond ASCII.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input_file.h"
#include "runtime/text_lines.h"

namespace {

using zembrati::runtime::TextLines;

std::vector<std::string> ByteByByte(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n') {
      line += text[at];
      continue;
    }
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void Append(const TextLines& text, std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < text.Count(); ++i) lines.emplace_back(text.Line(i));
}

bool AnyLineBeyondAscii(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    for (const char c : line) {
      if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<std::string> expected = ByteByByte(text);

  const TextLines whole(text, true);
  std::vector<std::string> lines;
  Append(whole, lines);
  if (lines != expected) zembrati::fuzz::Finding("the lines of the whole text are not those read byte by byte");
  if (whole.Ascii() && AnyLineBeyondAscii(lines)) zembrati::fuzz::Finding("a line beyond ASCII was not noticed");
  if (!whole.Rest().empty()) zembrati::fuzz::Finding("the whole text left bytes over");

  const std::size_t cut = text.empty() ? 0 : data[0] % (text.size() + 1);
  const TextLines first(text.substr(0, cut), false);
  lines.clear();
  Append(first, lines);
  const TextLines second(std::string(first.Rest()) + text.substr(cut), true);
  Append(second, lines);
  if (lines != expected) zembrati::fuzz::Finding("the lines of the text in two pieces are not those of the whole");
  return 0;
}
