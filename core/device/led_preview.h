#pragma once
// The LED page's preview of the colour-cycling effect: which colour it shows on each pass and
// how long a pass lasts. Pure functions; whoever animates the page (a timer or a thread) calls
// ledPreviewPass once per pass and repaints.

#include <array>
#include <cstdint>
#include <optional>

#include "settings/settings_record.h"

namespace tarvosk {

struct LedPreviewState {
  int colorIndex = 0;       // 0..6, the cycle colour shown
  bool passToggle = false;  // the colour advances on every second pass; kept between runs
};

// The preview starts on colour 0, or on the first enabled colour when colour 0 is not enabled
// (it shows only enabled colours); the toggle keeps its value from the previous run.
void startLedPreview(LedPreviewState& state, const std::array<int32_t, kCycleColors>& enabled);

// The next enabled cycle colour after `from`, going round 0..6; `from` itself when it is the
// only one. nullopt when no colour is enabled.
std::optional<int> nextCycleColor(int from, const std::array<int32_t, kCycleColors>& enabled);

// One pass. With ledType 1 (colour-cycling breath) every second pass moves to the next enabled
// colour; with no colour enabled the preview stays on the colour it shows. Any other type only
// sets the toggle, so the first cycling pass after a change of mode advances at once.
void ledPreviewPass(LedPreviewState& state, uint8_t ledType, const std::array<int32_t, kCycleColors>& enabled);

// The length of a pass: (6 - ledCycleTime) x 200 ms, with ledCycleTime taken as at most 5 so a
// hand-edited value never makes the preview spin without pause.
int ledPreviewPassMs(uint8_t ledCycleTime);

}  // namespace tarvosk
