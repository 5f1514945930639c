#pragma once
// The macro groups and macro names the popups list, taken from the macro library when a menu
// opens, together with the current group and macro the group menu reports back.

#include <string>
#include <vector>

#include "macro/macro_library.h"

namespace tarvosk {

struct PopupMacroNames {
  std::vector<std::string> groupNames;               // groupCount names, at most 12
  std::vector<std::vector<std::string>> macroNames;  // per group: its macroCounts[g] names (0..20)
  int currentGroup = 0;
  int currentMacro = 0;
};

// The names of `lib` as last collected (call collectMacroNames first to re-read the files).
// Counts outside the tables' sizes are clipped.
PopupMacroNames popupMacroNames(const MacroLibrary& lib, int currentMacro);

}  // namespace tarvosk
