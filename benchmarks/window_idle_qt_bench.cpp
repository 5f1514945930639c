// What the idle window costs: `tarvosk --simulate` on the advanced page (no animation there),
// nothing happening for 10 s, while the event loop runs. Wake-ups are the voluntary context
// switches each thread reports in /proc/self/task/*/status, counted per second for the GUI
// thread, for the threads the window started (the device listener and poll thread, and whatever
// else appeared during start-up), and for the whole process. The ten seconds end on a timer,
// which itself wakes the GUI thread once.

#include <benchmark/benchmark.h>

#include <sys/syscall.h>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "window_bench_support.h"

namespace {

using namespace tarvosk;

constexpr int kIdleMs = 10000;

// Voluntary context switches of every thread of this process, by thread id.
std::map<long, long> voluntarySwitches() {
  std::map<long, long> switches;
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
        switches[std::stol(task.path().filename().string())] = std::stol(line.substr(line.find(':') + 1));
        break;
      }
    }
  }
  return switches;
}

std::set<long> threadIds() {
  std::set<long> ids;
  for (const auto& [id, count] : voluntarySwitches()) ids.insert(id);
  return ids;
}

std::string threadName(long id) {
  std::ifstream comm("/proc/self/task/" + std::to_string(id) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

void BM_IdleWindowOnAdvancedPage(benchmark::State& state) {
  bench::ScratchSkins scratch;
  if (!scratch.ok()) {
    state.SkipWithError("generated skin missing: build the tarvosk_skin target first");
    return;
  }
  const long gui = static_cast<long>(::syscall(SYS_gettid));
  const std::set<long> before = threadIds();
  AppContext context(bench::simulatedOptions(scratch));
  bench::ObservedWindow window(context);
  window.setPopupPresenter(makePopupLayer(window, context));
  if (!window.initialise()) {
    state.SkipWithError("the window did not start");
    return;
  }
  window.show();
  if (!bench::waitForFirstPaint(window)) {
    state.SkipWithError("no paint within 5 s");
    return;
  }
  bench::clickStripItem(window, context, 7);
  if (window.page() != 1) {
    state.SkipWithError("the advanced page tab did not switch the page");
    return;
  }
  if (!window.findChildren<QLineEdit*>().isEmpty()) {
    state.SkipWithError("the profile name fields outlived the main page");
    return;
  }
  std::set<long> started;
  for (long id : threadIds()) {
    if (!before.contains(id)) started.insert(id);
  }
  for (long id : started) std::fprintf(stderr, "  started thread %ld (%s)\n", id, threadName(id).c_str());
  // Let the page change paint and everything settle before counting.
  {
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
  }

  double guiWakeups = 0;
  double startedWakeups = 0;
  double processWakeups = 0;
  for (auto _ : state) {
    const auto first = voluntarySwitches();
    QEventLoop idle;
    QTimer::singleShot(kIdleMs, Qt::PreciseTimer, &idle, &QEventLoop::quit);
    idle.exec();
    const auto last = voluntarySwitches();
    for (const auto& [id, count] : last) {
      const auto was = first.find(id);
      const double woke = static_cast<double>(count - (was != first.end() ? was->second : 0));
      processWakeups += woke;
      if (id == gui) guiWakeups += woke;
      if (started.contains(id)) startedWakeups += woke;
      if (woke > 0) std::fprintf(stderr, "  thread %ld (%s): %.0f wake-ups\n", id, threadName(id).c_str(), woke);
    }
  }
  const double seconds = kIdleMs / 1000.0 * static_cast<double>(state.iterations());
  state.counters["gui_thread_wakeups_per_s"] = guiWakeups / seconds;
  state.counters["started_threads_wakeups_per_s"] = startedWakeups / seconds;
  state.counters["started_threads"] = static_cast<double>(started.size());
  state.counters["process_wakeups_per_s"] = processWakeups / seconds;
}
BENCHMARK(BM_IdleWindowOnAdvancedPage)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return tarvosk::bench::runWindowBenchmarks(argc, argv); }
