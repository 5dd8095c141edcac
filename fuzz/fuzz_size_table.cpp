// A size table file, given any bytes, read as the dialog reads it: the sizes listed by QData,
// each size loaded by QMisura and its thicknesses by QSpessori. The catalogue check's one-pass
// SizeTable must answer every size exactly as those readers do. Inputs of odd length are read as
// the dialog reads within one user action (each file read once, in a reading scope), the others
// in blocks.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/catalogue_readers.h"
#include "catalogue/size_lines.h"
#include "fuzz_input_file.h"
#include "runtime/file_reading_scope.h"
#include "runtime/runtime_error.h"
#include "silent_messages.h"
#include "ui/list_control.h"

namespace {

std::vector<std::string> Entries(const zembrati::ui::ListControl& list) {
  std::vector<std::string> entries;
  for (std::int16_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace catalogue = zembrati::catalogue;
  namespace ui = zembrati::ui;
  const std::string folder = zembrati::fuzz::WorkFolder().string() + "/";
  std::string index = folder + "size_index.ini";
  zembrati::fuzz::WriteFile(index, "[1]\r\n\"t.tab\" \"S\" \"d\" \"D\" \"m.txt\" \"DC\"\r\n[END]\r\n");
  zembrati::fuzz::WriteFile(folder + "m.txt", "S235JR\r\n");
  const std::string path = zembrati::fuzz::InputAsFile("t.tab", data, size);
  zembrati::fuzz::SilentMessages messages;
  std::optional<zembrati::runtime::FileReadingScope> oneAction;
  if (size % 2 == 1) oneAction.emplace();
  ui::ListControl sizes, materials;
  ui::Label description;
  catalogue::QData(index, folder, 2, sizes, description, materials);
  std::optional<catalogue::SizeTable> table;
  try {
    table.emplace(path);
  } catch (const zembrati::runtime::RuntimeError&) {
  }
  for (std::int16_t i = 0; i < sizes.ListCount() && i < 16; ++i) {
    sizes.SetListIndex(i);
    std::array<double, 21> expectedDims{}, dims{};
    std::string expectedNumber, number;
    ui::ListControl expectedThicknesses, thicknesses;
    messages.shown.clear();
    catalogue::QMisura(sizes, expectedDims, expectedNumber);
    const bool sizeFailed = !messages.shown.empty();
    catalogue::QSpessori(sizes, expectedThicknesses);
    const bool thicknessFailed = messages.shown.size() > (sizeFailed ? 1u : 0u);
    if (!table) continue;
    bool failed = false;
    try {
      table->Size(sizes.ItemData(i), dims, number);
    } catch (const zembrati::runtime::RuntimeError&) {
      failed = true;
    }
    if (failed != sizeFailed) zembrati::fuzz::Finding("SizeTable and QMisura disagree on an error");
    if (dims != expectedDims || number != expectedNumber) zembrati::fuzz::Finding("SizeTable and QMisura disagree");
    failed = false;
    try {
      table->Thicknesses(sizes.ItemData(i), thicknesses);
    } catch (const zembrati::runtime::RuntimeError&) {
      failed = true;
    }
    if (failed != thicknessFailed) zembrati::fuzz::Finding("SizeTable and QSpessori disagree on an error");
    if (Entries(thicknesses) != Entries(expectedThicknesses)) zembrati::fuzz::Finding("SizeTable and QSpessori disagree");
  }
  return 0;
}
