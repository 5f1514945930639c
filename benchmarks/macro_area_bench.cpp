// Deciding the bytes of a full 4 KiB macro area (directory and encoded macros), without sending.

#include <benchmark/benchmark.h>

#include "bench_macros.h"
#include "device/device_status.h"
#include "device/macro_area.h"

namespace tarvosk {
namespace {

// Seven user macros of 250 events each (about 504 bytes apiece) fill the data area of a
// 4088-byte mouse: 0x240 + 7 x 504 = 4104 would overflow, so six are distinct and one is shared.
struct FullArea {
  bench::TableMacroSource macros;
  SettingsRecord s;
  ButtonTranslation t;
  FullArea() {
    for (int i = 0; i < 6; ++i) macros.group.push_back(bench::keyMacro(250, static_cast<uint8_t>(0x04 + i)));
    s.buttonFunction[0] = {1, 0x100, 0x101, 0x102, 0x103, 0x104};
    s.buttonFunction[2] = {1, 0x105, 0x100, 25, 0, 0};
    s.buttonFunction[3] = {1, 0x101, 0x102, 0, 0, 0};
    t = prepareUpload(s, macros);
  }
};

void BM_PlanFullMacroArea(benchmark::State& state) {
  FullArea area;
  uint32_t bytes = 0;
  for (auto _ : state) {
    const MacroAreaPlan plan = planMacroArea(area.s, area.t, area.macros, kLargeMacroMemory);
    if (plan.outcome != MacroAreaOutcome::Completed) state.SkipWithError("the area did not fit");
    bytes = plan.dataEnd;
    benchmark::DoNotOptimize(plan.steps.data());
  }
  state.counters["area_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlanFullMacroArea)->Unit(benchmark::kMicrosecond);

void BM_EncodeOneLargeMacro(benchmark::State& state) {
  const MacroRecord m = bench::keyMacro(kMacroEvents, 0x04);
  const MacroLayout layout = macroLayout(m, true);
  for (auto _ : state) {
    EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, layout.blockSize);
    benchmark::DoNotOptimize(e.bytes.data());
  }
  state.counters["block_bytes"] = static_cast<double>(layout.blockSize);
}
BENCHMARK(BM_EncodeOneLargeMacro)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvosk
