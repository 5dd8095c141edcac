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


void BM_Generator(benchmark::State& state) {
  const auto code = static_cast<std::int16_t>(state.range(0));
  const auto& type = *zembrati::geometry::FindSectionType(code);
  const auto dims = zembrati::geometry::SampleDims(code);
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
