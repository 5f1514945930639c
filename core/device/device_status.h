#pragma once
// The mouse's status reply: its macro memory size, the profile slot active on it, and the
// device nibble the settings image carries back at 0x3A.

#include <cstdint>
#include <optional>
#include <span>

#include "device/report_channel.h"

namespace tarvosk {

inline constexpr int kSmallMacroMemory = 2040;
inline constexpr int kLargeMacroMemory = 4088;
// The program asks for the status this long after opening the mouse at start-up.
inline constexpr int kStartupStatusPauseMs = 5;

struct DeviceStatus {
  int macroMemory = kSmallMacroMemory;  // 2040 or 4088 (byte 6 bit 1)
  int activeProfile = 0;                // 0..3 (byte 6 bits 2-3)
  uint8_t statusNibble = 0;             // byte 7 bits 0-3
};

// The fields of a reply (byte 0 = report ID). nullopt for a reply shorter than 8 bytes.
std::optional<DeviceStatus> parseStatusReply(std::span<const uint8_t> reply);

// The start-up query: pause 5 ms, then ask. nullopt when no mouse is open or it did not answer.
std::optional<DeviceStatus> queryStartupStatus(ReportChannel& channel);

}  // namespace tarvosk
