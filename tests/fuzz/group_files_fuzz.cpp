// The group index and a group file on disk, read as start-up and the macro page do (without
// writing the index back): the first input byte picks how the rest splits into the two files.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "macro/macro_library.h"
#include "platform/prompter.h"

namespace {
class Quiet : public tarvosk::Prompter {
 public:
  void showMessage(std::string_view) override {}
};
void put(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvosk;
  static const std::filesystem::path folder = [] {
    auto f = std::filesystem::temp_directory_path() / ("tarvosk-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(f);
    return f;
  }();
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t cut = rest.size() * data[0] / 256;
  put(groupIndexFile(folder), rest.substr(0, cut));
  put(groupFile(folder, "G"), rest.substr(cut));
  MacroLibrary lib;
  Quiet quiet;
  readGroupIndex(folder, lib, quiet, nullptr, IndexRepair::InMemoryOnly);
  collectMacroNames(folder, lib, data[0] & 1);
  MacroStore store;
  (void)readGroupFile(groupFile(folder, "G"), data[0] & 1, store, quiet);
  (void)readOneMacro(folder, 0, data[0] % 21, data[0] & 1);
  return 0;
}
