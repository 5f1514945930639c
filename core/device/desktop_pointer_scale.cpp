#include "device/desktop_pointer_scale.h"

#include <algorithm>
#include <cmath>

namespace tarvosk {

namespace {
constexpr int kSlowest = 1;
constexpr int kNeutral = 10;
constexpr int kFastest = 20;
}  // namespace

// Nine steps below the middle and ten above it: each half is stretched over its own side.
double gnomeSpeedFromPointerSpeed(int speed) {
  speed = std::clamp(speed, kSlowest, kFastest);
  if (speed <= kNeutral) return static_cast<double>(speed - kNeutral) / (kNeutral - kSlowest);
  return static_cast<double>(speed - kNeutral) / (kFastest - kNeutral);
}

int pointerSpeedFromGnomeSpeed(double speed) {
  if (std::isnan(speed)) return kNeutral;
  speed = std::clamp(speed, -1.0, 1.0);
  const double step = speed <= 0 ? kNeutral + speed * (kNeutral - kSlowest) : kNeutral + speed * (kFastest - kNeutral);
  return std::clamp(static_cast<int>(std::lround(step)), kSlowest, kFastest);
}

}  // namespace tarvosk
