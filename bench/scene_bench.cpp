// Prints how long the built-in host takes to build each section type as a part (the system's
// generator calls plus the exact rebuild of the section), and to export a part as STL, SVG and
// STEP.
#include <benchmark/benchmark.h>


#include <filesystem>

#include "automation/object_creation.h"
#include "export/mesh.h"
#include "export/stl_export.h"
#include "export/svg_export.h"
#include "geometry/section_types.h"
#include "host/scene_members.h"
#include "parts/part_data.h"
#include "scene_host.h"
#include "scene_objects.h"
#include "step/step_export.h"

namespace {

using zembrati::automation::ObjectRef;
namespace scene = zembrati::scene;
namespace host = zembrati::host;


scene::NodePtr BuildPart(scene::SceneHost& sceneHost, std::int16_t code) {
  zembrati::automation::ScopedObjectCreator creator(sceneHost);
  const ObjectRef part = zembrati::parts::AddPartShape(sceneHost.ActivePage());
  zembrati::geometry::GenerateSection(*zembrati::geometry::FindSectionType(code), part, "bench", zembrati::geometry::SampleDims(code));
  return scene::NodeOf(part)->ChildShapes().front();
}

void BM_BuildPart(benchmark::State& state) {
  const auto code = static_cast<std::int16_t>(state.range(0));
  for (auto _ : state) {
    scene::SceneHost sceneHost;
    benchmark::DoNotOptimize(BuildPart(sceneHost, code));
  }
  state.SetLabel(std::string(zembrati::geometry::FindSectionType(code)->className));
}
BENCHMARK(BM_BuildPart)->DenseRange(1, 12)->Unit(benchmark::kMicrosecond);

template <typename Export>
void RunExport(benchmark::State& state, Export&& exportBody) {
  scene::SceneHost sceneHost;
  const scene::NodePtr body = BuildPart(sceneHost, static_cast<std::int16_t>(state.range(0)));
  for (auto _ : state) exportBody(*body);
}

const std::string kOut = (std::filesystem::temp_directory_path() / "zembrati_bench").string();

void BM_ExportStl(benchmark::State& state) {
  RunExport(state, [](const scene::Node& body) { scene::WriteStl(scene::MeshOfBody(body, {}), kOut + ".stl", "bench"); });
}
void BM_ExportSvg(benchmark::State& state) {
  RunExport(state, [](const scene::Node& body) { scene::WriteSectionSvg(*body.section, "bench", kOut + ".svg"); });
}
void BM_ExportStep(benchmark::State& state) {
  RunExport(state, [](const scene::Node& body) { scene::WriteStep({{&body, {}}}, kOut + ".step", "bench"); });
}
BENCHMARK(BM_ExportStl)->Arg(1)->Arg(7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExportSvg)->Arg(1)->Arg(7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExportStep)->Arg(1)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
