#pragma once
// The warning window's decisions: which choice lies under the pointer, and what ends it.

#include <array>

#include "skin/layout_item.h"
#include "skin/skin_layout.h"

namespace tarvosk {

inline constexpr int kWarningFirstChoice = 1;   // item 0: go on and open the menu
inline constexpr int kWarningSecondChoice = 2;  // item 1: do nothing (also Escape and closing)
inline constexpr int kWarningNoChoice = 255;

// 1 when (px, py) lies in item 0, else 2 when it lies in item 1, else 255. Items without area
// are never hit.
int warningChoiceAt(const std::array<LayoutItem, kWarningItemCount>& items, int px, int py);

// What a release ends the window with: the hovered choice, or 0 (stay open) over anything else.
int warningReleaseResult(int hoveredChoice);

}  // namespace tarvosk
