// A whole apply against the simulated mouse, with real pauses, next to the sum of the pauses the
// protocol requires: the upload should cost little beyond them.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "bench_macros.h"
#include "device/pointer_settings.h"
#include "device/report_channel.h"
#include "device/settings_store.h"
#include "device/settings_upload.h"
#include "device/simulated_mouse.h"

namespace tarvosk {
namespace {

// Sleeps like the real pauser and adds up what the protocol asked for.
class SummingPauser : public Pauser {
 public:
  void pause(int ms) override {
    total += ms;
    m_sleep.pause(ms);
  }
  long total = 0;

 private:
  SleepingPauser m_sleep;
};

class SilentPrompter : public Prompter {
 public:
  void showMessage(std::string_view) override { ++messages; }
  int messages = 0;
};

void BM_ApplyWithTwoKilobytesOfMacros(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tarvosk-upload-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);

  SimulatedMouse mouse(SimulatedMouseDescription{.macroMemory = 4088});
  SummingPauser pauser;
  ReportChannel channel(pauser);
  channel.open(mouse.open("sim:mouse"), 8);
  bench::TableMacroSource macros;
  // Four macros of 254 events: 512 bytes each, 2 KiB of macro data.
  for (int i = 0; i < 4; ++i) macros.group.push_back(bench::keyMacro(254, static_cast<uint8_t>(0x04 + i)));
  SettingsStore store;
  store.record.buttonFunction[0] = {1, 0x100, 0x101, 0x102, 0x103, 0};
  store.record.dpiEnabled = {1, 1, 1, 1};
  UnsupportedPointerSettings pointer;
  SilentPrompter prompter;
  UploadState uploadState;
  UploadContext context{store, channel, macros, pointer, prompter, uploadState, folder / "config.ini", 0, {}, {}};

  double wallMs = 0;
  long pausesMs = 0;
  for (auto _ : state) {
    pauser.total = 0;
    const auto start = std::chrono::steady_clock::now();
    if (uploadSettings(context) != UploadResult::Completed) state.SkipWithError("the upload did not complete");
    wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    pausesMs += pauser.total;
    mouse.clearReceived();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["pauses_ms"] = static_cast<double>(pausesMs) / n;
  state.counters["wall_ms"] = wallMs / n;
  state.counters["over_pauses_pct"] = 100.0 * (wallMs - static_cast<double>(pausesMs)) / static_cast<double>(pausesMs);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ApplyWithTwoKilobytesOfMacros)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tarvosk
