#pragma once
// The values the window's sliders give for a click: the click's offset from the bar's left
// edge, scaled to the bar's width, with the corrections that let the right end reach the top
// value. Every function takes the offset already clamped by sliderOffset, so its result always
// lies in the field's range.

#include <cstdint>
#include <optional>

#include "skin/layout_item.h"

namespace tarvosk {

// The click's offset from the bar's left edge, clamped to 0..width-1 (the stored hover may be
// older than the click). Empty for a bar without width: such a slider does nothing.
std::optional<int32_t> sliderOffset(const LayoutItem& bar, int32_t clickX);

// DPI step 0..11: offset * 12 / width; step 10 at an offset of 265 or more becomes 11.
uint8_t dpiSliderStep(int32_t offset, int32_t width);
// Pointer and wheel speed 1..10: offset * 10 / width + 1; 9 at an offset of 160 or more becomes 10.
uint8_t speedSliderValue(int32_t offset, int32_t width);
// Fire time 0..300 ms: offset * 300 / width; 298 or more at an offset of 173 or more becomes 300.
int32_t fireTimeSliderValue(int32_t offset, int32_t width);
// LED brightness 6..0 from left to right: 6 - offset * 7 / width.
int32_t ledBrightnessSliderValue(int32_t offset, int32_t width);
// LED speed 0..5: offset * 6 / width.
uint8_t ledSpeedSliderValue(int32_t offset, int32_t width);

}  // namespace tarvosk
