#pragma once
// What the host does for each button besides what the mouse does itself. The upload's
// translation fills these tables from the button functions; the poll thread acts on them.

#include <array>

#include "settings/settings_record.h"

namespace tarvosk {

// The mouse numbers its buttons through this table: button b of the settings record is the
// mouse's button kButtonOrder[b], reported as 0xF0 + that number and kept at key position
// kButtonOrder[b] - 1 of the image.
inline constexpr std::array<int, kButtons> kButtonOrder = {1, 2, 3, 4, 5, 6};

struct HostFlags {
  using Table = std::array<std::array<bool, kButtons>, kProfileSlots>;
  Table hostFunction{};   // press and release are told to the mouse with command 0x11
  Table profileSwitch{};  // after a press the active profile is read back from the mouse
  Table dpiFunction{};    // the mouse's button reports carry the new DPI level
};

}  // namespace tarvosk
