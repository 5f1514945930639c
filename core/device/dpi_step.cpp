#include "device/dpi_step.h"

#include <algorithm>

#include "settings/settings_record.h"

namespace tarvosk {

int dpiLevelAfterStep(int level, bool up, uint8_t enableMask) {
  constexpr uint8_t kAllLevels = (1u << kDpiLevels) - 1;
  const uint8_t mask = (enableMask & kAllLevels) != 0 ? (enableMask & kAllLevels) : kAllLevels;
  const int from = std::clamp(level, 0, kDpiLevels - 1);
  const int step = up ? 1 : -1;
  for (int next = from + step; next >= 0 && next < kDpiLevels; next += step) {
    if (mask & (1u << next)) return next;
  }
  return from;
}

}  // namespace tarvosk
