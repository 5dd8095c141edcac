// Prints what the IFC export costs per member, beside the STL export of the same scenes: frames
// of 100, 1,000 and 10,000 HEA 200 columns on a 1 m grid, all alike (kind 0: a building's
// repeats, which share one profile, type and shape) or each of its own length (kind 1: every
// solid distinct), and window frames of SHS 100x5 mitred at every corner (kind 2: every member
// clipped at both ends). For each:
// the writer alone on the loaded scene (time, file bytes and the most heap it held, per member),
// and the whole `zembrati export --ifc` command as a user runs it, beside `export --stl`.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "document_file.h"
#include "heap_meter.h"
#include "ifc/ifc_export.h"
#include "joints.h"
#include "member_lists.h"

namespace {

namespace fs = std::filesystem;

fs::path Temp(const std::string& name) { return fs::temp_directory_path() / ("zembrati_bench_ifc_" + name); }

bool Run(const std::string& arguments) {
  const std::string command = "XDG_CONFIG_HOME='" + Temp("config").string() + "' '" ZEMBRATI_CLI "' " + arguments + " > /dev/null";
  return std::system(command.c_str()) == 0;
}

// The scene of a frame of `count` members of the kind, made once with `zembrati frame`.
const fs::path& FrameScene(int count, int kind) {
  static std::map<std::pair<int, int>, fs::path> made;
  const auto key = std::make_pair(count, kind);
  if (const auto found = made.find(key); found != made.end()) return found->second;
  const std::string stem = std::to_string(count) + "_" + std::to_string(kind);
  const fs::path list = Temp(stem + ".csv"), jointList = Temp(stem + "_joints.csv"), scene = Temp(stem + ".json");
  std::ofstream out(list, std::ios::binary), joints(jointList, std::ios::binary);
  if (kind == 2) {
    zembrati::bench::WriteWindowLists(count, out, joints);
  } else {
    out << "mark,type,standard,size,material,x1,y1,z1,x2,y2,z2,roll\n";
    for (int i = 0; i < count; ++i) {
      const int x = 1000 * (i % 100), y = 1000 * (i / 100);
      out << "C" << i << ",HE,HEA,200,S235JR," << x << "," << y << ",0," << x << "," << y << "," << (kind == 1 ? 3000 + i : 3000) << ",0\n";
    }
  }
  out.close();
  joints.close();
  fs::remove(scene);
  const std::string jointOption = kind == 2 ? " --joints '" + jointList.string() + "'" : "";
  made[key] = Run("frame --scene '" + scene.string() + "' '" + list.string() + "'" + jointOption) ? scene : fs::path();
  return made[key];
}

std::string TextOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void BM_IfcWriter(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const fs::path& scene = FrameScene(count, static_cast<int>(state.range(1)));
  if (scene.empty()) return state.SkipWithError("zembrati frame failed");
  zembrati::scene::Document document = zembrati::scene::DocumentFromJson(TextOf(scene));
  zembrati::frame::SolveJoints(document);  // as a command that loads the scene does
  zembrati::ifc::IfcModel model{"bench", "2026-01-01T00:00:00", {}};
  for (const auto& part : document.Parts()) model.parts.push_back({part, "part " + std::to_string(part->id)});
  std::size_t bytes = 0;
  double peak = 0;
  for (auto _ : state) {
    const std::size_t before = zembrati::bench::HeapInUse();
    zembrati::bench::ResetHeapPeak();
    std::vector<std::string> notes;
    bytes = zembrati::ifc::IfcText(model, notes).size();
    peak = static_cast<double>(zembrati::bench::HeapPeak() - before);
  }
  state.counters["file_bytes_per_member"] = static_cast<double>(bytes) / count;
  state.counters["peak_heap_bytes_per_member"] = peak / count;
  state.counters["us_per_member"] = benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_IfcWriter)
    ->ArgsProduct({{100, 1000, 10000}, {0, 1, 2}})
    ->ArgNames({"members", "kind"})
    ->Unit(benchmark::kMillisecond);

// The whole command, as a user runs it: load the scene, write the file.
void TimeExport(benchmark::State& state, const std::string& option, const std::string& extension) {
  const int count = static_cast<int>(state.range(0));
  const fs::path& scene = FrameScene(count, static_cast<int>(state.range(1)));
  if (scene.empty()) return state.SkipWithError("zembrati frame failed");
  const fs::path output = Temp("out." + extension);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!Run("export --scene '" + scene.string() + "' " + option + " '" + output.string() + "'")) {
      return state.SkipWithError("zembrati export failed");
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    state.counters["ms_per_member"] = 1000 * took.count() / count;
    state.counters["file_bytes_per_member"] = static_cast<double>(fs::file_size(output)) / count;
  }
}

void BM_IfcExportCommand(benchmark::State& state) { TimeExport(state, "--ifc", "ifc"); }
BENCHMARK(BM_IfcExportCommand)
    ->ArgsProduct({{100, 1000, 10000}, {0, 1, 2}})
    ->ArgNames({"members", "kind"})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_StlExportCommand(benchmark::State& state) { TimeExport(state, "--stl", "stl"); }
BENCHMARK(BM_StlExportCommand)
    ->ArgsProduct({{100, 1000, 10000}, {0, 1, 2}})
    ->ArgNames({"members", "kind"})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
