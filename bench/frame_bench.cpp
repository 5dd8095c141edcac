// Prints what making a frame costs per member: the whole `zembrati frame` command as a user runs
// it (the member list read and checked, every member dropped through the dialog session and
// placed between its points, the scene saved), for frames of 100, 1,000 and 10,000 HEA 200
// columns on a 1 m grid. A cost per member that stays flat shows the work grows linearly.
// Beside it, what joints add: window frames of four SHS 100x5 members each, made without joints
// and with a mitre at every member end, in one run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "member_lists.h"

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

// Times `zembrati frame` on a member list (and a joint list, when one is given) as a user runs it,
// from no scene; false when the command failed.
bool TimeFrame(benchmark::State& state, const fs::path& members, const fs::path& joints, int count, const fs::path& scene) {
  const fs::path config = fs::temp_directory_path() / "zembrati_bench_frame_config";
  const std::string command = "XDG_CONFIG_HOME='" + config.string() + "' '" ZEMBRATI_CLI "' frame --scene '" +
                              scene.string() + "' '" + members.string() + "'" +
                              (joints.empty() ? std::string() : " --joints '" + joints.string() + "'") + " > /dev/null";
  fs::remove(scene);
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) {
    state.SkipWithError("zembrati frame failed");
    return false;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  state.SetIterationTime(took.count());
  state.counters["ms_per_member"] = 1000 * took.count() / count;
  return true;
}

void BM_Frame(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const fs::path scene = fs::temp_directory_path() / "zembrati_bench_frame_scene.json";
  for (auto _ : state) {
    if (!TimeFrame(state, MemberList(count), {}, count, scene)) return;
    state.counters["scene_bytes_per_member"] = static_cast<double>(fs::file_size(scene)) / count;
  }
  fs::remove(scene);
}
BENCHMARK(BM_Frame)->Arg(100)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// `count` / 4 windows of 1000 x 600 on a grid, and the mitres at their corners.
std::pair<fs::path, fs::path> WindowLists(int count) {
  const std::string stem = (fs::temp_directory_path() / ("zembrati_bench_windows_" + std::to_string(count))).string();
  std::ofstream members(stem + ".csv", std::ios::binary), joints(stem + "_joints.csv", std::ios::binary);
  zembrati::bench::WriteWindowLists(count, members, joints);
  return {stem + ".csv", stem + "_joints.csv"};
}

void BM_Windows(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const bool withJoints = state.range(1) != 0;
  const auto [members, joints] = WindowLists(count);
  const fs::path scene = fs::temp_directory_path() / "zembrati_bench_windows_scene.json";
  for (auto _ : state) {
    if (!TimeFrame(state, members, withJoints ? joints : fs::path(), count, scene)) return;
  }
  state.SetLabel(withJoints ? "a mitre at every end" : "no joints");
  fs::remove(scene);
}
BENCHMARK(BM_Windows)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
