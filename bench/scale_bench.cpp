// Prints how the built-in host's scene scales with the number of parts: loading a scene file's
// text, saving it, and changing one part's length as the host does (the length set, the part's
// class told, the page updated), at 100, 1,000 and 10,000 HEA parts that carry all of a part's
// data. Each reports the most heap it held at once beyond what was in use before it (per part for
// loading and saving); loading also reports the scene text's size and the heap the loaded scene
// keeps, per part.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "addin/sessions.h"
#include "automation/object_creation.h"
#include "document_file.h"
#include "geometry/section_types.h"
#include "heap_meter.h"
#include "host/scene_members.h"
#include "host/session_state.h"
#include "parts_set_aside.h"
#include "parts/part_data.h"
#include "scene_host.h"
#include "scene_objects.h"

namespace {

namespace scene = zembrati::scene;
namespace host = zembrati::host;
namespace parts = zembrati::parts;
using zembrati::automation::ObjectRef;

// A part as the system makes one: the section, the name, part variables, properties and summary.
void AddBeam(scene::SceneHost& sceneHost, int index) {
  host::SessionState& session = host::Session();
  session.ScenePage = sceneHost.ActivePage();
  session.LangBase = 2000;
  session.SizePartNumber = "HEA200";
  session.Dims = {190, 1500, 200, 6.5, 10, 18};
  const ObjectRef part = parts::AddPartShape(sceneHost.ActivePage());
  zembrati::geometry::GenerateSection(*zembrati::geometry::FindSectionType(std::int16_t{1}), part, "HEA", session.Dims);
  const std::string name = "HEA 200 x 1500 M" + std::to_string(index);
  host::SetName(part, name);
  parts::WritePartVariables(part, "HEA 200 x @", {"ProfilHE", "HEA", "200", "hea.tab", "S235JR"});
  parts::WritePartData(part, "HEA", "200", 1500, "S235JR", name);
  scene::NodeOf(part)->placement.translation = {1000.0 * (index % 100), 1000.0 * (index / 100), 0};
}

// The text of a scene of `count` such parts, made once per size.
const std::string& SceneText(int count) {
  static std::map<int, std::string> made;
  auto found = made.find(count);
  if (found != made.end()) return found->second;
  scene::SceneHost sceneHost;
  zembrati::automation::ScopedObjectCreator creator(sceneHost);
  for (int i = 0; i < count; ++i) {
    const scene::PartsSetAside earlierParts(sceneHost.document());  // as frame makes its members
    AddBeam(sceneHost, i);
  }
  host::Update(sceneHost.ActivePage());
  return made[count] = scene::DocumentToJson(sceneHost.document());
}

namespace bench = zembrati::bench;

// The most heap `work` held at once beyond what was in use when it began.
template <typename Work>
double PeakHeapOf(Work&& work) {
  const std::size_t before = bench::HeapInUse();
  bench::ResetHeapPeak();
  work();
  return static_cast<double>(bench::HeapPeak() - before);
}

void BM_LoadScene(benchmark::State& state) {
  const std::string& text = SceneText(static_cast<int>(state.range(0)));
  const double parts = static_cast<double>(state.range(0));
  double kept = 0;
  double peak = 0;
  for (auto _ : state) {
    const std::size_t before = bench::HeapInUse();
    scene::Document document;
    peak = PeakHeapOf([&] { document = scene::DocumentFromJson(text); });
    kept = static_cast<double>(bench::HeapInUse() - before);
    benchmark::DoNotOptimize(document);
  }
  state.counters["file_bytes_per_part"] = static_cast<double>(text.size()) / parts;
  state.counters["memory_bytes_per_part"] = kept / parts;
  state.counters["peak_bytes_per_part"] = peak / parts;
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadScene)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_SaveScene(benchmark::State& state) {
  const scene::Document document = scene::DocumentFromJson(SceneText(static_cast<int>(state.range(0))));
  double peak = 0;
  for (auto _ : state) {
    peak = PeakHeapOf([&] { benchmark::DoNotOptimize(scene::DocumentToJson(document)); });
  }
  state.counters["peak_bytes_per_part"] = peak / static_cast<double>(state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SaveScene)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ChangeOnePartsLength(benchmark::State& state) {
  scene::SceneHost sceneHost;
  sceneHost.document() = scene::DocumentFromJson(SceneText(static_cast<int>(state.range(0))));
  zembrati::automation::ScopedObjectCreator creator(sceneHost);
  const ObjectRef part = sceneHost.Wrap(sceneHost.document().Parts().front());
  double length = 1500;
  double peak = 0;
  for (auto _ : state) {
    length = length == 1500 ? 1600 : 1500;
    peak = PeakHeapOf([&] {
      parts::SetPartLength(part, length);
      benchmark::DoNotOptimize(zembrati::addin::PreUpdate(part));
      host::Update(sceneHost.ActivePage());
    });
  }
  state.counters["peak_bytes"] = peak;
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ChangeOnePartsLength)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
