#pragma once
// The macros delivered with the program: the 21 built-in macros of constMacro.dat (the first
// eight are the ones the button menu offers, function codes 32..39) and the factory macro library
// of each language (the macroReset folders, also the initial macro folders). The shipped files are
// written from these definitions by tools/macrogen, and a test checks they still agree.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"

namespace tarvosk {

// Names of built-in macros 0..20 (function codes 32..52).
inline constexpr std::array<std::string_view, kMacroSlots> kBuiltInMacroNames = {
    "Copy",     "Paste",    "Cut",    "Undo",    "Redo",    "SelectAll", "Burst x3",
    "Rapid x5", "Save",     "Find",   "Print",   "New tab", "Close tab", "Reopen",
    "Next tab", "Prev tab", "Switch", "Desktop", "Lock",    "Refresh",   "Burst x2",
};

BuiltInMacroTable factoryBuiltInMacros();

struct FactoryGroup {
  std::string name;
  MacroStore store;
};
// The factory library of a language, in index order.
std::vector<FactoryGroup> factoryMacroGroups(int32_t language);

// Writes constMacro.dat into `dataFolder` and the factory library of both languages into
// dataFolder/skins/INI_EN|INI_CN/macro and macroReset, replacing what was there. False on failure.
bool writeFactoryMacroData(const std::filesystem::path& dataFolder);

}  // namespace tarvosk
