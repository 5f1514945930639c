#pragma once
// The layout tables of the skin, filled from the layout files of the interface language:
// where every item of the four pages and of the warning window sits, its caption, the names
// of the button functions, and the rectangles of the child controls.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "skin/layout_item.h"

namespace tarvosk {

class Prompter;
struct Paths;

inline constexpr std::size_t kMainItemCount = 29;
inline constexpr std::size_t kLedItemCount = 103;
inline constexpr std::size_t kAdvancedItemCount = 138;
inline constexpr std::size_t kMacroItemCount = 20;
inline constexpr std::size_t kWarningItemCount = 3;
inline constexpr std::size_t kFunctionNameCount = 47;  // names 1..47

// Messages shown while loading (fixed texts of the program).
inline constexpr std::string_view kLayoutFileMissingMessage = "找不到配置文件";
inline constexpr std::string_view kLayoutValueMalformedMessage = "加载ini错误！";

enum class LayoutTable { Main, Led, Advanced, Macro, Warning };

struct SkinLayout {
  std::array<LayoutItem, kMainItemCount> main{};
  std::array<LayoutItem, kLedItemCount> led{};
  std::array<LayoutItem, kAdvancedItemCount> advanced{};
  std::array<LayoutItem, kMacroItemCount> macro{};
  std::array<LayoutItem, kWarningItemCount> warning{};
  // Index 1..47; entry 0 stays empty. Entries 19..21 are placeholders for the profile names.
  std::array<std::string, kFunctionNameCount + 1> functionNames{};
  // Main EDIT 0..2: name fields of profile tabs 1..3.
  std::array<LayoutRect, 3> mainEdit{};
  // Macro EDIT 0 group name, 1 macro name, 2 repeat count.
  std::array<LayoutRect, 3> macroEdit{};
  // Macro MACRODISPLAY 1 macro names, 2 events, 3 lighting lines; entry 0 stays empty.
  std::array<LayoutRect, 4> macroDisplay{};
};

// File name of a table's layout file: "skin_main_en.ini" in English, "skin_main.ini" in the
// second language, and so on.
std::string layoutFileName(LayoutTable table, int32_t language);
// Full path of a table's layout file under the skins folder.
std::filesystem::path layoutFilePath(const Paths& paths, LayoutTable table, int32_t language);

enum class LayoutLoadResult {
  Loaded,
  // The file is missing or unreadable: the missing-file message has been shown once, the
  // table is all zeros, and the caller must leave the program.
  FileMissing,
};

// Each loader replaces every entry of its table(s), so keys the file lacks become zero items
// with empty captions. A value with more than six commas shows the malformed-value message
// (once per such value) and is used all the same.
LayoutLoadResult loadMainLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout);
LayoutLoadResult loadLedLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout);
LayoutLoadResult loadAdvancedLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout);
LayoutLoadResult loadMacroLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout);
LayoutLoadResult loadWarningLayout(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout);

// Runs the five loaders in order (main, LED, advanced, macro, warning). Only the first missing
// file is reported, since the caller leaves the program on FileMissing.
LayoutLoadResult loadAllLayouts(const Paths& paths, int32_t language, Prompter& prompter, SkinLayout& layout);

}  // namespace tarvosk
