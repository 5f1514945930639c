#pragma once
// The DPI level the mouse moves to when its DPI up or DPI down key is pressed: the next enabled
// level in that direction, staying put at either end. Used by the virtual mouse.

#include <cstdint>

namespace tarvosk {

// `level` is the level the mouse is on (values above 3 count as 3, below 0 as 0); `enableMask`
// has bit n set when level n (0..3) is enabled. A mask without any of the four bits counts as
// all four enabled, as a mouse that was never told its mask uses every level. Returns 0..3.
int dpiLevelAfterStep(int level, bool up, uint8_t enableMask);

}  // namespace tarvosk
