// How long the macro files take: decoding one field string, reading a full group (20 macros of
// 301 events), and the single-macro read the upload makes for every key that carries a macro.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "macro/macro_file.h"
#include "macro/macro_library.h"
#include "platform/prompter.h"
#include "settings/language.h"

namespace {

using namespace tarvosk;
namespace fs = std::filesystem;

class SilentPrompter : public Prompter {
 public:
  void showMessage(std::string_view) override {}
};

MacroStore fullGroup() {
  MacroStore store;
  store.count = kMacrosPerGroup;
  for (int s = 0; s < kMacrosPerGroup; ++s) {
    MacroRecord& m = store.slots[static_cast<std::size_t>(s)];
    setMacroName(m, "Macro" + std::to_string(s));
    m.eventCount = kMacroEvents;
    for (int i = 0; i < kMacroEvents; ++i) {
      m.eventType[static_cast<std::size_t>(i)] = i % 2 ? type::kRelease : type::kPress;
      m.eventCode[static_cast<std::size_t>(i)] = static_cast<uint8_t>(0x04 + i % 26);
      m.eventDelay[static_cast<std::size_t>(i)] = static_cast<uint16_t>(10 * i);
    }
  }
  return store;
}

// A library folder with one full group, removed at exit.
struct Library {
  Library() {
    MacroLibrary lib;
    lib.groupCount = 1;
    lib.groupNames[0] = "Full";
    fs::create_directories(folder);
    writeGroupIndex(folder, lib);
    writeAllMacros(groupFile(folder, "Full"), fullGroup(), kLanguageEnglish);
  }
  ~Library() { fs::remove_all(folder); }
  fs::path folder = fs::temp_directory_path() / ("tarvosk-macro-bench-" + std::to_string(::getpid()));
};

void BM_DecodeFieldString(benchmark::State& state) {
  const std::string value = encodeFieldString(fullGroup().slots[0], kLanguageEnglish);
  MacroRecord m;
  for (auto _ : state) {
    decodeFieldString(value, kLanguageEnglish, m);
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(BM_DecodeFieldString);

void BM_ReadFullGroupFile(benchmark::State& state) {
  Library library;
  SilentPrompter prompter;
  MacroStore store;
  for (auto _ : state) {
    readGroupFile(groupFile(library.folder, "Full"), kLanguageEnglish, store, prompter);
    benchmark::DoNotOptimize(store);
  }
}
BENCHMARK(BM_ReadFullGroupFile)->Unit(benchmark::kMillisecond);

void BM_ReadOneMacro(benchmark::State& state) {
  Library library;
  for (auto _ : state) benchmark::DoNotOptimize(readOneMacro(library.folder, 0, 19, kLanguageEnglish));
}
BENCHMARK(BM_ReadOneMacro)->Unit(benchmark::kMillisecond);

}  // namespace
