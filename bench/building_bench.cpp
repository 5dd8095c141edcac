// Prints what a building's steel costs the command line, as whole commands a user runs (wall
// time and the process's peak memory, from the kernel's account of the child), in one run:
// - STEP of a repeated frame (the README's portal, bay after bay: 1,005 and 10,005 members) as
//   an assembly, beside the flat file that writes every part in full (1,005 members only: the
//   flat file of 10,005 takes minutes and gigabytes);
// - STEP of 1,000, 3,000 and 10,000 distinct members (HEA columns each 1 mm longer than the last):
//   time and memory per distinct solid, which must stay flat;
// - STL and SVG of the same scenes;
// - show, show --json, bom, set-length, edit and drop on a scene of 10,000 parts, beside loading
//   and saving that scene alone in a process of its own (each the best of three runs);
// - frame itself, making those scenes.
// Usage: zembrati_bench_building [path to zembrati] (default: the one built beside it), so that
// an older build can be measured on the same scenes.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "document_file.h"
#include "member_lists.h"

namespace {

namespace fs = std::filesystem;

std::string cli = ZEMBRATI_CLI;
const fs::path kFolder = fs::temp_directory_path() / "zembrati_bench_building";

struct Outcome {
  bool ok = false;
  double seconds = 0;
  double peakMb = 0;  // the most resident memory the process held
};

// Runs a program (`all` its path and arguments) as a process of its own, its output to
// /dev/null, and waits for it: the wall time and the most memory it held.
Outcome Spawn(std::vector<std::string> all) {
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::fflush(nullptr);  // or the child writes what this program has not written yet
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
    dup2(open((kFolder / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
    setenv("XDG_CONFIG_HOME", (kFolder / "config").c_str(), 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, took.count(), static_cast<double>(usage.ru_maxrss) / 1024};
}

// Runs the command line with `arguments`, with the preferences in the benchmark's own folder.
Outcome Run(const std::vector<std::string>& arguments) {
  std::vector<std::string> all{cli};
  all.insert(all.end(), arguments.begin(), arguments.end());
  all.push_back("--prefs");
  all.push_back((kFolder / "prefs.txt").string());
  return Spawn(all);
}

fs::path Write(const std::string& name, const std::function<void(std::ostream&)>& write) {
  const fs::path path = kFolder / name;
  std::ofstream out(path, std::ios::binary);
  write(out);
  return path;
}

// A scene made by `frame` from a member list (and joints), with the time the frame took.
struct Scene {
  fs::path path;
  int members = 0;
  Outcome frame;
};

Scene PortalScene(int bays) {
  std::ostringstream joints;
  const fs::path members = Write("portal" + std::to_string(bays) + ".csv", [&](std::ostream& out) {
    zembrati::bench::WritePortalLists(bays, out, joints);
  });
  const fs::path jointList = Write("portal" + std::to_string(bays) + "_joints.csv", [&](std::ostream& out) { out << joints.str(); });
  Scene scene{kFolder / ("portal" + std::to_string(bays) + ".json"), 15 * bays, {}};
  fs::remove(scene.path);
  scene.frame = Run({"frame", "--scene", scene.path.string(), members.string(), "--joints", jointList.string()});
  return scene;
}

Scene ColumnScene(int count, bool distinct) {
  const std::string stem = (distinct ? "distinct" : "columns") + std::to_string(count);
  const fs::path members = Write(stem + ".csv", [&](std::ostream& out) { zembrati::bench::WriteColumnList(count, distinct, out); });
  Scene scene{kFolder / (stem + ".json"), count, {}};
  fs::remove(scene.path);
  scene.frame = Run({"frame", "--scene", scene.path.string(), members.string()});
  return scene;
}

double MegabytesOf(const fs::path& path) {
  std::error_code error;
  const auto size = fs::file_size(path, error);
  return error ? 0 : static_cast<double>(size) / 1e6;
}

void PrintExport(const char* what, const Scene& scene, const std::vector<std::string>& arguments, const fs::path& file) {
  std::vector<std::string> all{"export", "--scene", scene.path.string()};
  all.insert(all.end(), arguments.begin(), arguments.end());
  fs::remove(file);
  const Outcome run = Run(all);
  std::printf("| %s | %d | %s | %.2f s | %.2f ms | %.0f MB | %.1f KB | %.1f MB |\n", what, scene.members,
              run.ok ? "ok" : "FAILED", run.seconds, 1000 * run.seconds / scene.members, run.peakMb,
              1024 * run.peakMb / scene.members, MegabytesOf(file));
  std::fflush(stdout);
}

void PrintExports(const char* what, const Scene& scene, bool flatToo) {
  const std::string step = (kFolder / "out.step").string(), stl = (kFolder / "out.stl").string();
  PrintExport((std::string(what) + ", STEP assembly").c_str(), scene, {"--step", step}, step);
  if (flatToo) PrintExport((std::string(what) + ", STEP flat").c_str(), scene, {"--step", step, "--step-flat"}, step);
  PrintExport((std::string(what) + ", STL").c_str(), scene, {"--stl", stl}, stl);
}

// Loading the scene and saving it, alone, in a process of its own as every command starts: this
// program run again with --load-and-save, timed as a whole like the commands beside it.
Outcome LoadAndSave(const fs::path& scene, const std::string& self) {
  return Spawn({self, "--load-and-save", scene.string(), (kFolder / "saved.json").string()});
}

int LoadAndSaveHere(const char* scene, const char* saved) {
  try {
    zembrati::scene::SaveDocument(zembrati::scene::LoadDocument(scene), saved);
    return 0;
  } catch (...) {
    return 1;
  }
}

void PrintCommands(const Scene& scene, const std::string& self) {
  // The best of three, here and for each command: a shared machine's other work only adds time.
  Outcome alone;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const Outcome once = LoadAndSave(scene.path, self);
    if (attempt == 0 || once.seconds < alone.seconds) alone = once;
  }
  std::printf("\nScene of %d parts (%.1f MB): loaded and saved alone, as a process of its own: %s%.0f ms, peak %.0f MB\n\n",
              scene.members, MegabytesOf(scene.path), alone.ok ? "" : "FAILED ", 1000 * alone.seconds, alone.peakMb);
  std::printf("| command | time | ÷ load and save alone | peak memory | per part |\n|---|---:|---:|---:|---:|\n");
  const std::string copy = (kFolder / "changed.json").string();
  const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
      {"show", {"show", "--scene", scene.path.string()}},
      {"show --json", {"show", "--scene", scene.path.string(), "--json"}},
      {"bom", {"bom", "--scene", scene.path.string()}},
      {"set-length", {"set-length", "--scene", copy, "--part", "HEA 200 x 3000 C5000", "--length", "2500"}},
      {"edit", {"edit", "--scene", copy, "--part", "HEA 200 x 3000 C5001", "--size", "220"}},
      {"drop", {"drop", "--scene", copy, "--type", "HE", "--standard", "HEA", "--size", "200", "--length", "1500"}},
  };
  for (const auto& [name, arguments] : commands) {
    Outcome run;
    for (int attempt = 0; attempt < 3; ++attempt) {
      fs::copy_file(scene.path, copy, fs::copy_options::overwrite_existing);
      const Outcome once = Run(arguments);
      if (attempt == 0 || once.seconds < run.seconds) run = once;
    }
    std::printf("| %s | %s%.0f ms | %.2f | %.0f MB | %.1f KB |\n", name.c_str(), run.ok ? "" : "FAILED ", 1000 * run.seconds,
                run.seconds / alone.seconds, run.peakMb, 1024 * run.peakMb / scene.members);
    std::fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--load-and-save") return LoadAndSaveHere(argv[2], argv[3]);
  if (argc > 1) cli = argv[1];
  fs::create_directories(kFolder);
  std::printf("Command line: %s\n\nMaking the scenes with `frame`:\n\n", cli.c_str());
  std::printf("| scene | members | frame | per member | peak memory |\n|---|---:|---:|---:|---:|\n");
  std::vector<std::pair<std::string, Scene>> scenes;
  for (const int bays : {67, 667}) scenes.emplace_back("repeated portal", PortalScene(bays));
  for (const int count : {1000, 3000, 10000}) scenes.emplace_back("distinct columns", ColumnScene(count, true));
  scenes.emplace_back("alike columns", ColumnScene(10000, false));
  for (const auto& [name, scene] : scenes) {
    std::printf("| %s | %d | %s%.2f s | %.2f ms | %.0f MB |\n", name.c_str(), scene.members, scene.frame.ok ? "" : "FAILED ",
                scene.frame.seconds, 1000 * scene.frame.seconds / scene.members, scene.frame.peakMb);
  }
  std::printf("\nExports (whole commands):\n\n| export | members | | time | per member | peak memory | per member | file |\n"
              "|---|---:|---|---:|---:|---:|---:|---:|\n");
  PrintExports("repeated portal", scenes[0].second, true);
  PrintExports("repeated portal", scenes[1].second, false);
  for (std::size_t i = 2; i < 5; ++i) PrintExports("distinct columns", scenes[i].second, false);
  PrintExport("repeated portal, SVG of one part", scenes[1].second,
              {"--svg", (kFolder / "out.svg").string(), "--part", "HEA 240 x 5200 C1_0"}, kFolder / "out.svg");
  PrintCommands(scenes[5].second, fs::canonical("/proc/self/exe").string());
  return 0;
}
