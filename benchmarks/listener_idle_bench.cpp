// What the device threads cost while nothing happens: the listener and poll threads run against
// the simulated mouse for 5 idle seconds, and the benchmark counts the listener's wake-ups and
// the context switches of every thread but the one that waits.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "device/device_workers.h"
#include "device/simulated_mouse.h"

namespace tarvosk {
namespace {

class SilentPrompter : public Prompter {
 public:
  void showMessage(std::string_view) override {}
};

long contextSwitches(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_nvcsw + usage.ru_nivcsw;
}

void BM_IdleDeviceThreads(benchmark::State& state) {
  SimulatedMouse mouse;
  SleepingPauser pauser;
  ReportChannel channel(pauser);
  channel.open(mouse.open("sim:mouse"), 8);
  SettingsStore store;
  SilentPrompter prompter;
  Paths paths;
  paths.configFile = std::filesystem::temp_directory_path() / "tarvosk-idle-bench.ini";
  DeviceWorkers workers({channel, store, paths, prompter, {}, {}});
  workers.setInput(mouse.open("sim:mouse"), 8);
  workers.start();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // both threads are waiting now
  double wakeups = 0;
  double otherSwitches = 0;
  for (auto _ : state) {
    const uint64_t wakeupsBefore = workers.listenerWakeups();
    const long processBefore = contextSwitches(RUSAGE_SELF);
    const long ownBefore = contextSwitches(RUSAGE_THREAD);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const long own = contextSwitches(RUSAGE_THREAD) - ownBefore;
    otherSwitches += static_cast<double>(contextSwitches(RUSAGE_SELF) - processBefore - own);
    wakeups += static_cast<double>(workers.listenerWakeups() - wakeupsBefore);
  }
  workers.stop();
  state.counters["listener_wakeups_per_5s"] = benchmark::Counter(wakeups, benchmark::Counter::kAvgIterations);
  state.counters["worker_switches_per_5s"] = benchmark::Counter(otherSwitches, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_IdleDeviceThreads)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace tarvosk
