// Prints how long going through every size of a size table takes: through the size readers as
// the dialog calls them (each re-reads the file from the top, so the whole table costs time in
// proportion to n²), and through SizeTable, which the catalogue check and list use (one reading,
// in proportion to n).
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/catalogue_readers.h"
#include "catalogue/size_lines.h"
#include "ui/list_control.h"

namespace {

namespace fs = std::filesystem;
namespace catalogue = zembrati::catalogue;

// A size table of `count` tube sizes, each with its thickness group below it.
std::string TableOf(int count) {
  const fs::path path = fs::temp_directory_path() / ("zembrati_bench_" + std::to_string(count) + ".tab");
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < count; ++i) {
    const std::string d = std::to_string(20 + i) + ".3";
    out << d << "|" << d << "|0|@" << (i % 100) << "|CHS" << d << "|\r\n";
    if (i < 100) out << "@" << i << "|2|2.5|3|4|\r\n";
  }
  return path.string();
}

zembrati::ui::ListControl SizesOf(const std::string& path) {
  zembrati::ui::ListControl sizes;
  sizes.SetTag(path);
  zembrati::catalogue::SizeTable table(path);
  for (std::int16_t i = 0; i < table.LineCount(); ++i) {
    if (!catalogue::IsSizeLine(table.Line(i))) continue;
    sizes.AddItem(catalogue::SizeName(table.Line(i)));
    sizes.SetItemData(sizes.NewIndex(), i);
  }
  return sizes;
}

void ThroughTheReaders(benchmark::State& state) {
  const std::string path = TableOf(static_cast<int>(state.range(0)));
  zembrati::ui::ListControl sizes = SizesOf(path);
  std::array<double, 21> dims{};
  std::string partNumber;
  zembrati::ui::ListControl thicknesses;
  for (auto _ : state) {
    for (std::int16_t i = 0; i < sizes.ListCount(); ++i) {
      sizes.SetListIndex(i);
      catalogue::QMisura(sizes, dims, partNumber);
      catalogue::QSpessori(sizes, thicknesses);
    }
  }
  state.SetComplexityN(state.range(0));
}

void ThroughOneReading(benchmark::State& state) {
  const std::string path = TableOf(static_cast<int>(state.range(0)));
  const zembrati::ui::ListControl sizes = SizesOf(path);
  std::array<double, 21> dims{};
  std::string partNumber;
  zembrati::ui::ListControl thicknesses;
  for (auto _ : state) {
    const catalogue::SizeTable table(path);
    for (std::int16_t i = 0; i < sizes.ListCount(); ++i) {
      table.Size(sizes.ItemData(i), dims, partNumber);
      table.Thicknesses(sizes.ItemData(i), thicknesses);
    }
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK(ThroughTheReaders)->RangeMultiplier(2)->Range(500, 4000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(ThroughOneReading)->RangeMultiplier(4)->Range(500, 32000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
