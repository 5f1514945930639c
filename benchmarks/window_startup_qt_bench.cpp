// Start-up of the main window to its first paint, as `tarvosk --simulate` does it: the context
// (paths, simulated mouse), the window and its popup layer, initialise() (configuration, fonts,
// layouts, shape, macro library, device link and status query, name edits), show, and the event
// loop served until the first paintEvent has run. Counters split the time into those phases.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <chrono>

#include "window_bench_support.h"

namespace {

using namespace tarvosk;
using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

void BM_WindowStartupToFirstPaint(benchmark::State& state) {
  bench::ScratchSkins scratch;
  if (!scratch.ok()) {
    state.SkipWithError("generated skin missing: build the tarvosk_skin target first");
    return;
  }
  double constructing = 0;
  double initialising = 0;
  double painting = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    AppContext context(bench::simulatedOptions(scratch));
    bench::ObservedWindow window(context);
    window.setPopupPresenter(makePopupLayer(window, context));
    const auto constructed = Clock::now();
    if (!window.initialise()) {
      state.SkipWithError("the window did not start");
      return;
    }
    const auto initialised = Clock::now();
    window.show();
    if (!bench::waitForFirstPaint(window)) {
      state.SkipWithError("no paint within 5 s");
      return;
    }
    const auto painted = Clock::now();
    state.SetIterationTime(secondsBetween(start, painted));
    constructing += secondsBetween(start, constructed);
    initialising += secondsBetween(constructed, initialised);
    painting += secondsBetween(initialised, painted);
    // The window, its worker threads and the context go away outside the measured time.
  }
  const auto perIteration = [&](double seconds) {
    return benchmark::Counter(seconds * 1e3, benchmark::Counter::kAvgIterations);
  };
  state.counters["construct_ms"] = perIteration(constructing);
  state.counters["initialise_ms"] = perIteration(initialising);
  state.counters["show_to_paint_ms"] = perIteration(painting);
}
BENCHMARK(BM_WindowStartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return tarvosk::bench::runWindowBenchmarks(argc, argv); }
