#include "settings/settings_rules.h"

namespace tarvosk {

namespace {
bool validLevel(int level) { return level >= 0 && level < kDpiLevels; }
}  // namespace

void toggleDpiEnable(SettingsRecord& s, int level) {
  if (!validLevel(level)) return;
  if (s.dpiEnabled[level] == 0) {
    s.dpiEnabled[level] = 1;
    return;
  }
  s.dpiEnabled[level] = 0;
  if (s.dpiLevel != level) return;
  int next = level;
  for (int step = 0; step < kDpiLevels; ++step) {
    next = (next + 1) % kDpiLevels;
    if (s.dpiEnabled[next] != 0) {
      s.dpiLevel = next;
      return;
    }
  }
  s.dpiLevel = level;
  s.dpiEnabled[level] = 1;
}

void selectDpiLevel(SettingsRecord& s, int level) {
  if (validLevel(level) && s.dpiEnabled[level] == 1) s.dpiLevel = level;
}

void toggleCycleColor(SettingsRecord& s, int color) {
  if (color < 0 || color >= kCycleColors) return;
  if (s.cycleColorEnable[color] == 0) {
    s.cycleColorEnable[color] = 1;
    return;
  }
  int set = 0;
  for (int i = 0; i < 4; ++i) set += s.cycleColorEnable[i] != 0 ? 1 : 0;
  if (set >= 2) s.cycleColorEnable[color] = 0;
}

void assignButtonFunction(SettingsRecord& s, int button, int32_t code) {
  if (button < 0 || button >= kButtons) return;
  const int slot = profileSlotIndex(s.currentProfile);
  auto& buttons = s.buttonFunction[slot];
  buttons[button] = code;
  if (slot != 0) return;
  for (int32_t f : buttons) {
    if (f == kFunctionLeftClick) return;
  }
  buttons[button < kButtons - 1 ? button + 1 : button] = kFunctionLeftClick;
}

uint8_t usbRateCodeFor(uint8_t rate) {
  switch (rate) {
    case 3: return 0;
    case 2: return 1;
    case 1: return 3;
    default: return 7;
  }
}

void setUsbRate(SettingsRecord& s, uint8_t rate) {
  s.usbRate = rate;
  s.usbRateCode = usbRateCodeFor(rate);
  s.usbIntervalMs = s.usbRateCode + 1;
}

void rebuildCycleColorMask(SettingsRecord& s) {
  uint8_t mask = 0;
  for (int i = 0; i < kCycleColors; ++i) {
    if (s.cycleColorEnable[i] != 0) mask |= static_cast<uint8_t>(1u << i);
  }
  s.cycleColorMask = mask;
}

uint32_t userColorRgb(int32_t red, int32_t green, int32_t blue) {
  // Only the low byte counts; unsigned arithmetic gives it for any value a file can hold,
  // where the signed product would overflow from 134217728 up.
  auto channel = [](int32_t v) { return uint32_t{static_cast<uint8_t>(255u - 16u * static_cast<uint32_t>(v))}; };
  return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}

void recomputeUserColorRgb(SettingsRecord& s, int color) {
  if (color < 0 || color >= kUserColors) return;
  const auto& c = s.ledUserColor[color];
  s.ledUserColorRgb[color] = userColorRgb(c[0], c[1], c[2]);
}

int desktopPointerSpeed(uint8_t pointerSpeed) {
  if (pointerSpeed == 0) return 1;
  if (pointerSpeed <= 8) return pointerSpeed * 2;
  return 18;
}

int desktopWheelLines(uint8_t wheelSpeed) { return wheelSpeed + 1; }

int profileSlotIndex(int32_t currentProfile) {
  return currentProfile >= 0 && currentProfile < kProfileSlots ? currentProfile : 0;
}

int dpiLevelIndex(int32_t dpiLevel) { return dpiLevel >= 0 && dpiLevel < kDpiLevels ? dpiLevel : 0; }

int dpiStepIndex(uint8_t dpiValue) { return dpiValue < kDpiSteps ? dpiValue : kDpiSteps - 1; }

int slotForTab(int tab) {
  switch (tab) {
    case 1: return 0;
    case 2: return 2;
    case 3: return 3;
    default: return -1;
  }
}

}  // namespace tarvosk
