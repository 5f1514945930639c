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

// Tenths of a factor: one tenth a step up to the default 2.0, two tenths a step above it.
X11Acceleration x11AccelerationFromPointerSpeed(int speed) {
  speed = std::clamp(speed, kSlowest, kFastest);
  const int tenths = speed <= kNeutral ? 10 + speed : 20 + 2 * (speed - kNeutral);
  return {tenths, 10};
}

int pointerSpeedFromX11Acceleration(int numerator, int denominator) {
  if (denominator <= 0 || numerator < 0) return kNeutral;
  const double tenths = 10.0 * numerator / denominator;
  const double step = tenths <= 20 ? tenths - 10 : kNeutral + (tenths - 20) / 2;
  return std::clamp(static_cast<int>(std::lround(step)), kSlowest, kFastest);
}

}  // namespace tarvosk
