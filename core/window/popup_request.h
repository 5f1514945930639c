#pragma once
// A request of the main window for one of its popup menus: which kind, and where. The pointer
// handling decides it; the window's popup layer opens it.

#include <cstdint>

namespace tarvosk {

// The kinds of popup menu the window opens.
enum class PopupKind : int {
  ButtonFunctions = 1,  // functions for the selected mouse button (main page)
  MacroGroups = 2,      // the macro groups (macro page)
  MacroFileMenu = 3,    // import, export, restore of macro groups (macro page)
  LedModes = 4,         // lighting modes (lighting page)
  LedEventMode = 6,     // values of a lighting event in a macro (macro page lists)
  LedEventColor = 7,
  LedEventProgram = 8,
};

struct PopupRequest {
  PopupKind kind = PopupKind::ButtonFunctions;
  // Top-left corner relative to the main window's top-left corner (add the window's screen
  // position to place it), and the width; the height comes from the popup's own mask.
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;

  bool operator==(const PopupRequest&) const = default;
};

}  // namespace tarvosk
