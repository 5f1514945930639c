#include "device/led_preview.h"

#include <algorithm>

namespace tarvosk {

namespace {
constexpr uint8_t kCycleBreath = 1;
constexpr uint8_t kSlowestCycleTime = 5;
constexpr int kPassUnitMs = 200;
}  // namespace

void startLedPreview(LedPreviewState& state, const std::array<int32_t, kCycleColors>& enabled) {
  state.colorIndex = enabled[0] != 0 ? 0 : nextCycleColor(kCycleColors - 1, enabled).value_or(0);
}

std::optional<int> nextCycleColor(int from, const std::array<int32_t, kCycleColors>& enabled) {
  const int start = std::clamp(from, 0, kCycleColors - 1);
  for (int step = 1; step <= kCycleColors; ++step) {
    const int candidate = (start + step) % kCycleColors;
    if (enabled[static_cast<std::size_t>(candidate)] != 0) return candidate;
  }
  return std::nullopt;
}

void ledPreviewPass(LedPreviewState& state, uint8_t ledType, const std::array<int32_t, kCycleColors>& enabled) {
  if (ledType != kCycleBreath) {
    state.passToggle = true;
    return;
  }
  if (!state.passToggle) {
    state.passToggle = true;
    return;
  }
  state.passToggle = false;
  if (const auto next = nextCycleColor(state.colorIndex, enabled)) state.colorIndex = *next;
}

int ledPreviewPassMs(uint8_t ledCycleTime) { return (6 - std::min(ledCycleTime, kSlowestCycleTime)) * kPassUnitMs; }

}  // namespace tarvosk
