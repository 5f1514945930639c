#pragma once
// The one record of everything the program knows about the mouse's configuration. The window
// edits it in memory; nothing reaches the mouse or the disk until the user applies.

#include <array>
#include <cstdint>
#include <string>

namespace tarvosk {

inline constexpr int kProfileSlots = 4;
inline constexpr int kButtons = 6;
inline constexpr int kReactionKeys = 9;
inline constexpr int kDpiLevels = 4;
inline constexpr int kDpiSteps = 12;
inline constexpr int kCycleColors = 7;
inline constexpr int kUserColors = 4;
inline constexpr int kProfileTabs = 3;

// Function codes of buttonFunction.
inline constexpr int32_t kFunctionNone = 0;
inline constexpr int32_t kFunctionLeftClick = 1;
inline constexpr int32_t kFunctionHost = 18;
inline constexpr int32_t kFunctionFirstBuiltInMacro = 0x20;
inline constexpr int32_t kFunctionFirstUserMacro = 0x100;

struct SettingsRecord {
  // Window-wide.
  int32_t currentProfile = 0;  // selected slot; the tabs select 0, 2 and 3
  int32_t language = 0;        // 0 second language, nonzero English
  uint8_t currentPage = 0;     // 0 main, 1 advanced, 2 macro, 3 LED
  std::array<std::string, kProfileTabs> profileName{};

  // Per slot.
  std::array<std::array<int32_t, kButtons>, kProfileSlots> buttonFunction{};
  std::array<std::array<int32_t, kReactionKeys>, kProfileSlots> ledReactEnable{};
  std::array<std::array<int32_t, kReactionKeys>, kProfileSlots> ledReactType{};
  int32_t wheelStatus = 0;  // stored per slot in the file, single in memory

  // Shared.
  int32_t dpiLevel = 0;  // 0..3; the mouse may report up to 7
  std::array<uint8_t, kDpiLevels> dpiValue{};
  std::array<uint8_t, kDpiLevels> dpiEnabled{};
  std::array<std::array<int32_t, 3>, kDpiLevels> dpiColor{};
  uint8_t ledType = 0;  // 0 DPI breath, 1 cycle breath, 2 constant, 8 button response, 9 off
  std::array<int32_t, kCycleColors> cycleColorEnable{};
  uint8_t cycleColorMask = 0;
  std::array<int32_t, 7> ledSwitchSpare{};  // LED_TYPE_SW_EN3..9, carried unchanged
  uint8_t ledCycleTime = 0;
  int32_t ledUserColorEnable = 0;
  std::array<std::array<int32_t, 3>, kUserColors> ledUserColor{};
  int32_t ledFeatureSColor = 0;  // always persisted as 0
  int32_t ledDirection = 0;
  int32_t ledSymmetry = 0;
  int32_t ledBrightness = 0;
  uint8_t pointerSpeed = 0;
  uint8_t wheelSpeed = 0;
  uint8_t usbRate = 0;  // 0..3, 3 fastest
  int32_t fireTime = 50;

  // Derived, never persisted.
  uint8_t usbRateCode = 0;
  int32_t usbIntervalMs = 0;
  std::array<uint32_t, kUserColors> ledUserColorRgb{};  // red in the low byte

  bool operator==(const SettingsRecord&) const = default;
};

}  // namespace tarvosk
