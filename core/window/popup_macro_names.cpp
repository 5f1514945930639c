#include "window/popup_macro_names.h"

#include <algorithm>

namespace tarvosk {

PopupMacroNames popupMacroNames(const MacroLibrary& lib, int currentMacro) {
  PopupMacroNames out;
  const int groups = std::clamp(lib.groupCount, 0, kMaxGroups);
  for (int g = 0; g < groups; ++g) {
    const auto gi = static_cast<std::size_t>(g);
    out.groupNames.push_back(lib.groupNames[gi]);
    const int count = std::clamp(lib.macroCounts[gi], 0, kMacrosPerGroup);
    out.macroNames.emplace_back(lib.macroNames[gi].begin(), lib.macroNames[gi].begin() + count);
  }
  out.currentGroup = lib.currentGroup;
  out.currentMacro = currentMacro;
  return out;
}

}  // namespace tarvosk
