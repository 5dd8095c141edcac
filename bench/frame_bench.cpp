// Prints what making a frame costs per member: the whole `zembrati frame` command as a user runs
// it (the member list read and checked, every member dropped through the dialog session and
// placed between its points, the scene saved), for frames of 100, 1,000 and 10,000 HEA 200
// columns on a 1 m grid. A cost per member that stays flat shows the work grows linearly.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path MemberList(int count) {
  const fs::path path = fs::temp_directory_path() / ("zembrati_bench_frame_" + std::to_string(count) + ".csv");
  std::ofstream out(path, std::ios::binary);
  out << "mark,type,standard,size,material,x1,y1,z1,x2,y2,z2,roll\n";
  for (int i = 0; i < count; ++i) {
    const int x = 1000 * (i % 100), y = 1000 * (i / 100);
    out << "C" << i << ",HE,HEA,200,S235JR," << x << "," << y << ",0," << x << "," << y << "," << 3000 + 100 * (i % 7)
        << ",0\n";
  }
  return path;
}

void BM_Frame(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const fs::path list = MemberList(count);
  const fs::path scene = fs::temp_directory_path() / "zembrati_bench_frame_scene.json";
  const fs::path config = fs::temp_directory_path() / "zembrati_bench_frame_config";
  const std::string command = "XDG_CONFIG_HOME='" + config.string() + "' '" ZEMBRATI_CLI "' frame --scene '" +
                              scene.string() + "' '" + list.string() + "' > /dev/null";
  for (auto _ : state) {
    fs::remove(scene);
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("zembrati frame failed");
      return;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    state.counters["ms_per_member"] = 1000 * took.count() / count;
    state.counters["scene_bytes_per_member"] = static_cast<double>(fs::file_size(scene)) / count;
  }
  fs::remove(scene);
}
BENCHMARK(BM_Frame)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
