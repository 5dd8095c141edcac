#include "catalogue/catalogue_readers.h"

#include <optional>

#include "catalogue/catalogue_text.h"
#include "catalogue/reader_messages.h"
#include "catalogue/size_lines.h"
#include "runtime/integer_conversion.h"
#include "runtime/runtime_error.h"
#include "runtime/text_file.h"

namespace zembrati::catalogue {
namespace {

using runtime::AddInteger;
using runtime::TextFileReader;

// Reads `count` lines (a 16-bit count) and returns the last one read.
std::string ReadToLine(TextFileReader& file, std::int16_t count) {
  std::string_view line;
  for (std::int16_t read = 0; read < count; read = AddInteger(read, 1)) line = file.ReadLineView();
  return std::string(line);
}

// The line of the selected size, found again by its index in its file.
std::string SelectedSizeLine(TextFileReader& file, const ui::ListControl& sizes) {
  return ReadToLine(file, AddInteger(sizes.ItemData(sizes.ListIndex()), 1));
}

// Runs a reader's body; on a runtime error closes the file, shows the reader's message naming
// `path` as it stands at that moment, and gives the error number back.
template <typename Body>
std::int32_t Trapped(std::optional<TextFileReader>& file, const ReaderTexts& texts, const std::string& path,
                     Body&& body) {
  try {
    body();
    return 0;
  } catch (const runtime::RuntimeError& error) {
    file.reset();
    ShowReaderError(error.number(), texts, path);
    return error.number();
  }
}

bool StartsWith(std::string_view line, char c) { return !line.empty() && line.front() == c; }

void ReadSizes(TextFileReader& file, ui::ListControl& sizes) {
  for (std::int16_t index = 0; !file.AtEnd(); index = AddInteger(index, 1)) {
    const std::string_view line = file.ReadLineView();
    if (!IsSizeLine(line)) continue;
    sizes.AddItem(SizeName(line), index);
  }
}

void ReadMaterials(TextFileReader& file, ui::ListControl& materials) {
  while (!file.AtEnd()) {
    const std::string_view line = file.ReadLineView();
    const std::string_view material = TrimmedView(line);
    if (StartsWith(line, '#') || material.empty()) continue;
    materials.AddItem(material);
  }
}

}  // namespace

std::int16_t QNorma(const std::string& indexPath, std::int16_t typeCode, ui::ListControl& standards) {
  std::optional<TextFileReader> file;
  const std::int32_t status = Trapped(file, kQNormaTexts, indexPath, [&] {
    standards.Clear();
    file.emplace(indexPath);
    const std::string header = "[" + std::to_string(typeCode) + "]";
    std::int16_t lineNumber = 0;
    for (;;) {
      const std::string line = file->ReadLine();
      lineNumber = AddInteger(lineNumber, 1);
      if (line.substr(0, 4) == header) break;
    }
    for (;;) {
      const std::string line = file->ReadLine();
      lineNumber = AddInteger(lineNumber, 1);
      if (StartsWith(line, '[')) break;
      if (StartsWith(line, '#') || line.empty()) continue;
      standards.AddItem(QuotedField(line, 2), lineNumber);
    }
    file.reset();
  });
  // Error numbers that do not fit the 16-bit status are reported as an overflow.
  return status >= -32768 && status <= 32767 ? static_cast<std::int16_t>(status) : runtime::error::kOverflow;
}

void QData(std::string& indexPath, const std::string& dataDir, std::int16_t lineNumber, ui::ListControl& sizes,
           ui::Label& description, ui::ListControl& materials) {
  std::optional<TextFileReader> file;
  Trapped(file, kQDataTexts, indexPath, [&] {
    file.emplace(indexPath);
    const std::string standardLine = ReadToLine(*file, lineNumber);
    file.reset();
    description.caption = QuotedField(standardLine, 3);

    const std::string sizeFile = QuotedField(standardLine, 1);
    indexPath = sizeFile;
    file.emplace(dataDir + sizeFile);
    sizes.Clear();
    sizes.SetTag(dataDir + sizeFile);
    ReadSizes(*file, sizes);
    file.reset();

    const std::string materialsFile = QuotedField(standardLine, 5);
    indexPath = materialsFile;
    materials.Clear();
    materials.SetTag(dataDir + materialsFile);
    file.emplace(dataDir + materialsFile);
    ReadMaterials(*file, materials);
    file.reset();
  });
}

bool QMisura(const ui::ListControl& sizes, std::array<double, 21>& dims, std::string& partNumber) {
  std::optional<TextFileReader> file;
  return Trapped(file, kQMisuraTexts, sizes.Tag(), [&] {
    file.emplace(sizes.Tag());
    const std::string line = SelectedSizeLine(*file, sizes);
    file.reset();
    ReadPartNumber(line, partNumber);
    ReadDimensions(line, dims);
  }) == 0;
}

void QSpessori(const ui::ListControl& sizes, ui::ListControl& thicknesses) {
  std::optional<TextFileReader> file;
  Trapped(file, kQSpessoriTexts, sizes.Tag(), [&] {
    thicknesses.Clear();
    file.emplace(sizes.Tag());
    const std::optional<double> group = ThicknessGroupOf(SelectedSizeLine(*file, sizes));
    if (!group) return;
    // Only a line that starts with "@" can be the group's.
    std::string candidate;
    while (file->ReadLineStartingWith('@', candidate)) {
      if (IsGroupLine(candidate, *group)) {
        ReadThicknessGroup(candidate, thicknesses);
        return;
      }
    }
  });
}

void QDesignazione(const std::string& indexPath, std::int16_t lineNumber, std::string& nameFormat,
                   std::string& designation) {
  std::optional<TextFileReader> file;
  Trapped(file, kQDesignazioneTexts, indexPath, [&] {
    file.emplace(indexPath);
    const std::string standardLine = ReadToLine(*file, lineNumber);
    file.reset();
    designation = QuotedField(standardLine, 4);
    nameFormat = QuotedField(standardLine, 6);
  });
}

}  // namespace zembrati::catalogue
