// The layout reader on any bytes: the first input byte picks the table and the language, the
// rest is that table's layout file. Every loader must fill its table without reading past it,
// every rectangle must keep its edges ordered as its geometry says, and hit tests on the items
// must stay inside the table.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/paths.h"
#include "platform/prompter.h"
#include "settings/language.h"
#include "skin/skin_layout.h"

namespace {
class Quiet : public tarvosk::Prompter {
 public:
  void showMessage(std::string_view) override {}
};
void put(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
template <typename Items>
void probe(const Items& items) {
  for (const tarvosk::LayoutItem& item : items) {
    const int hit = tarvosk::itemAt(items, items.size(), item.x, item.y);
    if (hit != tarvosk::kNoItem && (hit < 0 || static_cast<std::size_t>(hit) >= items.size())) std::abort();
    if (item.hasArea() && hit == tarvosk::kNoItem) std::abort();  // an item with an area holds its corner
  }
}
// A window placed from a rectangle takes its width and height: they must not wrap.
void checkRect(const tarvosk::LayoutRect& r) {
  if (static_cast<int64_t>(r.right) - r.left != r.width()) std::abort();
  if (static_cast<int64_t>(r.bottom) - r.top != r.height()) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvosk;
  static const std::filesystem::path root = [] {
    auto f = std::filesystem::temp_directory_path() / ("tarvosk-layout-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(f / "skins");
    return f;
  }();
  static const Paths paths = portablePaths(root, root / "skins");
  if (size == 0) return 0;
  const int32_t language = (data[0] & 1) ? kLanguageEnglish : kLanguageSecond;
  static constexpr std::array<LayoutTable, 5> kTables = {LayoutTable::Main, LayoutTable::Led, LayoutTable::Advanced,
                                                         LayoutTable::Macro, LayoutTable::Warning};
  const LayoutTable table = kTables[(data[0] >> 1) % kTables.size()];
  const std::filesystem::path file = layoutFilePath(paths, table, language);
  std::filesystem::create_directories(file.parent_path());
  put(file, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

  Quiet quiet;
  SkinLayout layout;
  LayoutLoadResult result = LayoutLoadResult::Loaded;
  switch (table) {
    case LayoutTable::Main: result = loadMainLayout(paths, language, quiet, layout); break;
    case LayoutTable::Led: result = loadLedLayout(paths, language, quiet, layout); break;
    case LayoutTable::Advanced: result = loadAdvancedLayout(paths, language, quiet, layout); break;
    case LayoutTable::Macro: result = loadMacroLayout(paths, language, quiet, layout); break;
    case LayoutTable::Warning: result = loadWarningLayout(paths, language, quiet, layout); break;
  }
  if (result != LayoutLoadResult::Loaded) std::abort();  // the file is there and regular
  probe(layout.main);
  probe(layout.led);
  probe(layout.advanced);
  probe(layout.macro);
  probe(layout.warning);
  for (const LayoutRect& r : layout.mainEdit) checkRect(r);
  for (const LayoutRect& r : layout.macroEdit) checkRect(r);
  for (const LayoutRect& r : layout.macroDisplay) checkRect(r);
  std::filesystem::remove(file);
  return 0;
}
