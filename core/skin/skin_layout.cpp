#include "skin/skin_layout.h"

#include <algorithm>
#include <optional>
#include <span>

#include "platform/paths.h"
#include "platform/profile_file.h"
#include "platform/prompter.h"
#include "platform/text.h"
#include "settings/language.h"
#include "skin/layout_value.h"

namespace tarvosk {

namespace {

// One open layout file. Reading goes through the private-profile rules (260-character buffer,
// empty default), and every value is split the same way.
class LayoutReader {
 public:
  LayoutReader(const IniDocument& document, Prompter& prompter) : m_document(document), m_prompter(prompter) {}

  LayoutFields read(std::string_view section, int key) {
    const std::string value = m_document.readString(section, std::to_string(key), "", kLayoutValueBufferChars);
    SplitLayoutValue split = splitLayoutValue(value);
    if (split.tooManyCommas) m_prompter.showMessage(kLayoutValueMalformedMessage);
    return std::move(split.fields);
  }

  LayoutItem readItem(int key) {
    LayoutFields f = read("BUTTONPOS", key);
    return LayoutItem{wtoi(f[1]), wtoi(f[2]), wtoi(f[3]), wtoi(f[4]), std::move(f[5])};
  }

  LayoutRect readRect(std::string_view section, int key) {
    const LayoutFields f = read(section, key);
    return rectFromGeometry(wtoi(f[1]), wtoi(f[2]), wtoi(f[3]), wtoi(f[4]));
  }

  void readItems(std::span<LayoutItem> items) {
    for (std::size_t k = 0; k < items.size(); ++k) items[k] = readItem(static_cast<int>(k));
  }

 private:
  const IniDocument& m_document;
  Prompter& m_prompter;
};

// Opens a table's file; shows the missing-file message when it cannot be read.
std::optional<IniDocument> openLayout(const Paths& paths, LayoutTable table, int32_t language, Prompter& prompter) {
  const std::filesystem::path path = layoutFilePath(paths, table, language);
  // A folder or device under the file's name is as unusable as no file at all.
  std::error_code error;
  std::optional<IniDocument> document;
  if (std::filesystem::is_regular_file(path, error)) document = IniDocument::load(path);
  if (!document) prompter.showMessage(kLayoutFileMissingMessage);
  return document;
}

template <typename Array>
void clearAll(Array& array) {
  array.fill({});
}

// Loads a table whose file holds nothing but its items.
LayoutLoadResult loadItemsOnly(const Paths& paths, LayoutTable table, int32_t language, Prompter& prompter,
                               std::span<LayoutItem> items) {
  std::fill(items.begin(), items.end(), LayoutItem{});
  const std::optional<IniDocument> document = openLayout(paths, table, language, prompter);
  if (!document) return LayoutLoadResult::FileMissing;
  LayoutReader(*document, prompter).readItems(items);
  return LayoutLoadResult::Loaded;
}

}  // namespace

std::string layoutFileName(LayoutTable table, int32_t language) {
  std::string stem;
  switch (table) {
    case LayoutTable::Main: stem = "skin_main"; break;
    case LayoutTable::Led: stem = "skin_color"; break;
    case LayoutTable::Advanced: stem = "skin_advance"; break;
    case LayoutTable::Macro: stem = "skin_mac"; break;
    case LayoutTable::Warning: stem = "LBWarning"; break;
  }
  return stem + (isEnglish(language) ? "_en.ini" : ".ini");
}

std::filesystem::path layoutFilePath(const Paths& paths, LayoutTable table, int32_t language) {
  return paths.layoutFolder(language) / layoutFileName(table, language);
}

LayoutLoadResult loadMainLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout) {
  clearAll(layout.main);
  clearAll(layout.functionNames);
  clearAll(layout.mainEdit);
  const std::optional<IniDocument> document = openLayout(paths, LayoutTable::Main, language, prompter);
  if (!document) return LayoutLoadResult::FileMissing;
  LayoutReader reader(*document, prompter);
  reader.readItems(layout.main);
  for (std::size_t k = 1; k <= kFunctionNameCount; ++k) {
    layout.functionNames[k] = std::move(reader.read("FUN_STRING", static_cast<int>(k))[0]);
  }
  for (std::size_t k = 0; k < layout.mainEdit.size(); ++k) {
    layout.mainEdit[k] = reader.readRect("EDIT", static_cast<int>(k));
  }
  return LayoutLoadResult::Loaded;
}

LayoutLoadResult loadLedLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout) {
  return loadItemsOnly(paths, LayoutTable::Led, language, prompter, layout.led);
}

LayoutLoadResult loadAdvancedLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout) {
  return loadItemsOnly(paths, LayoutTable::Advanced, language, prompter, layout.advanced);
}

LayoutLoadResult loadMacroLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout) {
  clearAll(layout.macro);
  clearAll(layout.macroEdit);
  clearAll(layout.macroDisplay);
  const std::optional<IniDocument> document = openLayout(paths, LayoutTable::Macro, language, prompter);
  if (!document) return LayoutLoadResult::FileMissing;
  LayoutReader reader(*document, prompter);
  reader.readItems(layout.macro);
  for (std::size_t k = 0; k < layout.macroEdit.size(); ++k) {
    layout.macroEdit[k] = reader.readRect("EDIT", static_cast<int>(k));
  }
  for (std::size_t k = 1; k < layout.macroDisplay.size(); ++k) {
    layout.macroDisplay[k] = reader.readRect("MACRODISPLAY", static_cast<int>(k));
  }
  return LayoutLoadResult::Loaded;
}

LayoutLoadResult loadWarningLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout) {
  return loadItemsOnly(paths, LayoutTable::Warning, language, prompter, layout.warning);
}

LayoutLoadResult loadAllLayouts(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout) {
  // After the first missing file the program is leaving: the user has seen the message once,
  // but every table is still replaced so nothing of the previous language lingers.
  class SilentPrompter : public Prompter {
   public:
    void showMessage(std::string_view) override {}
  } silent;
  using Loader = LayoutLoadResult (*)(const Paths&, int32_t, Prompter&, SkinLayout&);
  static constexpr std::array<Loader, 5> kLoaders = {loadMainLayout, loadLedLayout, loadAdvancedLayout, loadMacroLayout,
                                                     loadWarningLayout};
  LayoutLoadResult result = LayoutLoadResult::Loaded;
  for (Loader load : kLoaders) {
    Prompter& target = result == LayoutLoadResult::Loaded ? prompter : silent;
    if (load(paths, language, target, layout) == LayoutLoadResult::FileMissing) {
      result = LayoutLoadResult::FileMissing;
    }
  }
  return result;
}

}  // namespace tarvosk
