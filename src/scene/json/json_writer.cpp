#include "json/json_writer.h"

#include <charconv>

#include "runtime/code_page.h"

namespace zembrati::scene::json {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

void JsonWriter::NewLine(int indent) {
  pendingIndent_ = indent;
  if (drain_ && out_.size() >= drainBytes_) {
    drain_(out_);
    out_.clear();
  }
}

void JsonWriter::DrainEvery(std::size_t bytes, std::function<void(std::string_view)> drain) {
  drainBytes_ = bytes;
  drain_ = std::move(drain);
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
  } else if (!first_.empty()) {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
  }
  if (pendingIndent_ >= 0) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(pendingIndent_), ' ');
    pendingIndent_ = -1;
  }
}

void JsonWriter::Open(char opening) {
  BeforeValue();
  out_ += opening;
  first_.push_back(true);
}

void JsonWriter::Close(char closing) {
  first_.pop_back();
  out_ += closing;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  WriteQuoted(key);
  out_ += ':';
  afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  WriteQuoted(text);
}

namespace {

// A character written as it is: printable ASCII other than the quote and the backslash.
bool IsPlain(unsigned char c) { return c >= 0x20 && c < 0x80 && c != '"' && c != '\\'; }

}  // namespace

void JsonWriter::WriteQuoted(std::string_view text) {
  out_ += '"';
  for (std::size_t i = 0; i < text.size();) {
    // Names and keys are mostly plain ASCII: such a run is appended at once.
    std::size_t plain = i;
    while (plain < text.size() && IsPlain(static_cast<unsigned char>(text[plain]))) ++plain;
    if (plain > i) {
      out_.append(text.substr(i, plain - i));
      i = plain;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += static_cast<char>(c);
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      switch (c) {
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        case '\b': out_ += "\\b"; break;
        case '\f': out_ += "\\f"; break;
        default:
          out_ += "\\u00";
          out_ += kHex[c >> 4];
          out_ += kHex[c & 0xF];
      }
    } else if (c < 0x80) {
      out_ += static_cast<char>(c);
    } else if (const std::size_t length = runtime::Utf8SequenceLength(text, i)) {
      out_.append(text.substr(i, length));
      i += length;
      continue;
    } else {
      out_ += kReplacement;
    }
    ++i;
  }
  out_ += '"';
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, result.ptr);
}

void JsonWriter::Double(double value) {
  BeforeValue();
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  out_.append(text);
  if (text.find_first_of(".e") == std::string_view::npos) out_ += ".0";
}

void JsonWriter::Boolean(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

}  // namespace zembrati::scene::json
