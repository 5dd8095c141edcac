// Prints how long each section generator takes to issue its host calls, against a host that
// answers every call at once. This is the system's own share of the cost of making a part; the
// host's rebuild of the solid comes on top.
#include <benchmark/benchmark.h>

#include <array>

#include "automation/object.h"
#include "geometry/section_types.h"

namespace {

using zembrati::automation::CallKind;
using zembrati::automation::ObjectRef;
using zembrati::automation::Variant;

// Answers every get and method call with itself, and counts the calls.
class ImmediateHost : public zembrati::automation::Object,
                      public std::enable_shared_from_this<ImmediateHost> {
 public:
  Variant Invoke(std::string_view, CallKind kind, std::span<Variant>) override {
    ++calls;
    if (kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef) return {};
    return ObjectRef(shared_from_this());
  }
  long calls = 0;
};

// Plausible dimensions for every type: an HEA 200-like beam, a 60.3x4 tube and so on.
std::array<double, 21> DimsFor(std::int16_t code) {
  switch (code) {
    case 1: return {190, 1500, 200, 6.5, 10, 18};
    case 2: return {200, 1500, 90, 7.5, 11.3, 7.5, 4.5};
    case 3: return {200, 1500, 75, 8.5, 11.5, 11.5, 6};
    case 4: return {80, 1500, 80, 8, 10, 5};
    case 5: return {50, 1500, 50, 6};
    case 6: return {50, 1500, 50, 6, 6, 3, 1.5};
    case 7: return {60.3, 1500, 4};
    case 8: return {100, 1500, 5, 50};
    default: return {40, 1500, 5};
  }
}

void BM_Generator(benchmark::State& state) {
  const auto code = static_cast<std::int16_t>(state.range(0));
  const auto& type = *zembrati::geometry::FindSectionType(code);
  const auto dims = DimsFor(code);
  const auto host = std::make_shared<ImmediateHost>();
  for (auto _ : state) {
    zembrati::geometry::GenerateSection(type, host, "bench", dims);
  }
  state.SetLabel(std::string(type.className));
  state.counters["host_calls"] =
      benchmark::Counter(static_cast<double>(host->calls) / static_cast<double>(state.iterations()));
}

BENCHMARK(BM_Generator)->DenseRange(1, 12);

}  // namespace

BENCHMARK_MAIN();
