#include "ifc/spf_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace zembrati::ifc {

EntityId SpfWriter::Add(std::string_view entity, std::string_view attributes) {
  const EntityId id = next_++;
  data_ += '#';
  data_ += std::to_string(id);
  data_ += '=';
  data_ += entity;
  data_ += '(';
  data_ += attributes;
  data_ += ");\n";
  return id;
}

std::string SpfWriter::Text(const std::string& description, const std::string& fileName,
                            const std::string& timeStamp, const std::string& schema) const {
  std::string text = "ISO-10303-21;\nHEADER;\n";
  text += "FILE_DESCRIPTION((" + String(description) + "),'2;1');\n";
  text += "FILE_NAME(" + String(fileName) + "," + String(timeStamp) + ",(''),(''),'Zembrati','Zembrati','');\n";
  text += "FILE_SCHEMA((" + String(schema) + "));\nENDSEC;\nDATA;\n";
  text += data_;
  text += "ENDSEC;\nEND-ISO-10303-21;\n";
  return text;
}

std::string Ref(EntityId id) { return "#" + std::to_string(id); }

std::string Real(double value) {
  if (!std::isfinite(value)) return "0.";
  if (value == 0) return "0.";
  std::array<char, 40> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), result.ptr);
  // The exchange structure's reals carry a point before any exponent, and an upper-case E.
  const std::size_t exponent = text.find('e');
  std::string mantissa = text.substr(0, exponent);
  if (mantissa.find('.') == std::string::npos) mantissa += '.';
  if (exponent == std::string::npos) return mantissa;
  return mantissa + "E" + text.substr(exponent + 1);
}

std::string Length(double mm) { return Real(std::round(mm * 1e6) / 1e6 + 0.0); }

namespace {

// The next code point of UTF-8 text; an invalid byte stands for itself (as Latin-1).
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const auto continuation = [&](std::size_t count) {
    for (std::size_t i = 1; i <= count; ++i) {
      if (at + i >= text.size() || (byte(at + i) & 0xC0) != 0x80) return false;
    }
    return true;
  };
  char32_t code = lead;
  std::size_t length = 1;
  if (lead >= 0xF0 && lead < 0xF5 && continuation(3)) {
    code = ((lead & 0x07u) << 18) | ((byte(at + 1) & 0x3Fu) << 12) | ((byte(at + 2) & 0x3Fu) << 6) | (byte(at + 3) & 0x3Fu);
    length = 4;
  } else if (lead >= 0xE0 && lead < 0xF0 && continuation(2)) {
    code = ((lead & 0x0Fu) << 12) | ((byte(at + 1) & 0x3Fu) << 6) | (byte(at + 2) & 0x3Fu);
    length = 3;
  } else if (lead >= 0xC2 && lead < 0xE0 && continuation(1)) {
    code = ((lead & 0x1Fu) << 6) | (byte(at + 1) & 0x3Fu);
    length = 2;
  }
  at += length;
  return code;
}

std::string Hex(char32_t value, int digits) {
  std::array<char, 12> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%0*X", digits, static_cast<unsigned>(value));
  return buffer.data();
}

}  // namespace

std::string String(std::string_view utf8) {
  std::string out = "'";
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t code = NextCodePoint(utf8, at);
    if (code == '\'') {
      out += "''";
    } else if (code == '\\') {
      out += "\\\\";
    } else if (code >= 0x20 && code < 0x7F) {
      out += static_cast<char>(code);
    } else if (code > 0xFFFF) {
      out += "\\X4\\" + Hex(code, 8) + "\\X0\\";
    } else {
      // Control characters and everything beyond ASCII, as UTF-16 code units in hexadecimal.
      out += "\\X2\\" + Hex(code, 4) + "\\X0\\";
    }
  }
  return out + "'";
}

std::string OptionalString(std::string_view utf8) { return utf8.empty() ? "$" : String(utf8); }
std::string Enum(std::string_view name) { return "." + std::string(name) + "."; }
std::string Bool(bool value) { return value ? ".T." : ".F."; }

std::string Refs(const std::vector<EntityId>& ids) {
  std::string out = "(";
  for (std::size_t i = 0; i < ids.size(); ++i) out += (i ? "," : "") + Ref(ids[i]);
  return out + ")";
}

std::string Point(double x, double y, double z) { return "(" + Real(x) + "," + Real(y) + "," + Real(z) + ")"; }
std::string Point(double x, double y) { return "(" + Real(x) + "," + Real(y) + ")"; }
std::string Typed(std::string_view type, std::string_view value) { return std::string(type) + "(" + std::string(value) + ")"; }

}  // namespace zembrati::ifc
