// Prints what the dialog's selection cascade costs beside the floor it stands on. The catalogue
// is read again at every selection (so that a table edited while the dialog is open is what the
// user picks from), so the least a selection can cost is reading its files once from start to
// end: the index, the first standard's size table and its materials. For each of the twelve
// types, choosing the type in the dialog (standards, sizes, the first size's line, thicknesses,
// materials, the picture's dimensions) is timed beside that reading (counters cascade_us,
// floor_us and ratio), on the shipped EN catalogue and on a family whose tube table holds 32,767
// lines.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "automation/object_creation.h"
#include "catalogue/configuration.h"
#include "dialog/dialog.h"
#include "headless_presenter.h"
#include "host/host_classes.h"
#include "host/session_state.h"
#include "scene_host.h"
#include "settings.h"

namespace {

namespace fs = std::filesystem;
namespace dialog = zembrati::dialog;
namespace headless = zembrati::headless;
namespace host = zembrati::host;
namespace scene = zembrati::scene;

const fs::path kShippedFamily = fs::path(ZEMBRATI_SOURCE_DATA_DIR) / "catalogue" / "en";

// The family folder of a catalogue whose tube standard has a size table of 32,767 lines (the
// most a list can hold): 32,667 tube sizes and 100 thickness groups, with the shipped materials.
fs::path LargeFamily() {
  const fs::path folder = fs::temp_directory_path() / "zembrati_bench_cascade_family";
  fs::create_directories(folder / "tables");
  std::ofstream index(folder / "standards.ini", std::ios::binary);
  index << "[7]\r\n\"large.tab\" \"CHS large\" \"Tubes\" \"CHS\" \"hollow_hf.mat\" \"D CxS x L\"\r\n[END]\r\n";
  std::ofstream table(folder / "tables" / "large.tab", std::ios::binary);
  for (int i = 0; i < 32667; ++i) {
    const std::string d = std::to_string(20 + i / 10) + "." + std::to_string(i % 10);
    table << d << "|" << d << "|0|@" << (i % 100) << "|CHS" << d << "|\r\n";
  }
  for (int g = 0; g < 100; ++g) table << "@" << g << "|2|2.5|3|4|5|\r\n";
  fs::copy_file(kShippedFamily / "tables" / "hollow_hf.mat", folder / "tables" / "hollow_hf.mat",
                fs::copy_options::overwrite_existing);
  return folder;
}

// The files a type's cascade reads, from its family's index: the index, the first standard's
// size table and its materials.
std::vector<fs::path> FilesOf(const fs::path& family, int typeCode) {
  std::ifstream index(family / "standards.ini");
  std::vector<fs::path> files{family / "standards.ini"};
  std::string line;
  bool inSection = false;
  while (std::getline(index, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      inSection = line == "[" + std::to_string(typeCode) + "]";
      continue;
    }
    if (!inSection || !line.starts_with("\"")) continue;
    std::vector<std::string> fields;
    for (std::size_t at = line.find('"'); at != std::string::npos; at = line.find('"', line.find('"', at + 1) + 1)) {
      fields.push_back(line.substr(at + 1, line.find('"', at + 1) - at - 1));
    }
    files.push_back(family / "tables" / fields.at(0));
    files.push_back(family / "tables" / fields.at(4));
    break;
  }
  return files;
}

// The floor: each file read once, line by line, as the standard library reads text.
std::size_t ReadOnce(const std::vector<fs::path>& files) {
  std::size_t bytes = 0;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) bytes += line.size();
  }
  return bytes;
}

template <typename Work>
double SecondsOf(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Choosing `typeCode` in a dialog open on `family`, after a type of another family of tables.
// Before each choice, while the benchmark's clock is stopped, the same files are read once: the
// floor is measured beside every choice, so that the ratio of the two does not drift with the
// load of a shared machine.
void Cascade(benchmark::State& state, const fs::path& family, int typeCode) {
  scene::SceneHost sceneHost;
  zembrati::automation::ScopedObjectCreator creator(sceneHost);
  const fs::path prefs = fs::temp_directory_path() / "zembrati_bench_cascade_prefs.txt";
  fs::remove(prefs);
  using zembrati::catalogue::kCatalogueKey;
  sceneHost.settings().Set(kCatalogueKey, "Norme#0", "Bench");
  sceneHost.settings().Set(kCatalogueKey, "Norme Dir#0", family.string() + "/");
  sceneHost.settings().Set(kCatalogueKey, "Data#0", "tables/");
  sceneHost.settings().Set(kCatalogueKey, "File INI#0", "standards.ini");
  sceneHost.settings().Set(kCatalogueKey, "File Prefs", prefs.string());
  host::Session() = host::SessionState{};
  host::Session().ScenePage = sceneHost.ActivePage();
  host::Session().DropPlacement = host::CreateHostObject(host::kPlacementObject);
  const std::string other = typeCode == 7 ? "1" : "7";
  const std::vector<fs::path> files = FilesOf(family, typeCode);
  double cascadeSeconds = 0;
  double floorSeconds = 0;
  std::size_t bytes = 0;
  headless::HeadlessPresenter presenter([&](dialog::Dialog& form) {
    headless::ScriptedUser user(form);
    for (auto _ : state) {
      state.PauseTiming();
      user.ChooseType(other);
      floorSeconds += SecondsOf([&] { bytes += ReadOnce(files); });
      state.ResumeTiming();
      cascadeSeconds += SecondsOf([&] { user.ChooseType(std::to_string(typeCode)); });
    }
    user.PressCancel();
  });
  dialog::ShowSelectionDialog();
  if (presenter.scriptFailure) std::rethrow_exception(presenter.scriptFailure);
  host::Session() = host::SessionState{};
  benchmark::DoNotOptimize(bytes);
  const double iterations = static_cast<double>(state.iterations());
  // The choice as timed here, without the cost of stopping and starting the benchmark's clock.
  state.counters["cascade_us"] = cascadeSeconds / iterations * 1e6;
  state.counters["floor_us"] = floorSeconds / iterations * 1e6;
  state.counters["ratio"] = cascadeSeconds / floorSeconds;
}

void Register() {
  static const char* const kNames[] = {"HE", "IPN", "UPN", "L", "T", "T_rounded", "CHS", "RHS", "SHS", "Flat",
                                       "Round", "Square"};
  for (int code = 1; code <= 12; ++code) {
    const std::string name = "Shipped/" + std::to_string(code) + "_" + kNames[code - 1];
    benchmark::RegisterBenchmark(name.c_str(), [code](benchmark::State& state) {
      Cascade(state, kShippedFamily, code);
    })->Unit(benchmark::kMicrosecond);
  }
  static const fs::path large = LargeFamily();
  benchmark::RegisterBenchmark("Lines32767/7_CHS", [](benchmark::State& state) { Cascade(state, large, 7); })
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
