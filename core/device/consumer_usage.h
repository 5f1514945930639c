#pragma once
// The Consumer Control usages (HID Usage Tables, Consumer page) the mouse can play, by index.
// Function codes 22-31 (multimedia keys) use indexes 0-9; the macro directory uses the same table.

#include <array>
#include <cstdint>

namespace tarvosk {

inline constexpr std::array<uint16_t, 11> kConsumerUsages = {
    0x0223,  // AC Home
    0x0183,  // AL Consumer Control Configuration
    0x018A,  // AL Email Reader
    0x00E9,  // Volume Increment
    0x00EA,  // Volume Decrement
    0x00B6,  // Scan Previous Track
    0x00B5,  // Scan Next Track
    0x00E2,  // Mute
    0x00CD,  // Play/Pause
    0x0192,  // AL Calculator
    0x00B7,  // Stop
};

inline constexpr int32_t kFunctionFirstMultimedia = 22;
inline constexpr int32_t kFunctionLastMultimedia = 31;

// The usage at `index`, or 0 for any index outside the table.
constexpr uint16_t consumerUsage(int64_t index) {
  return index >= 0 && index < static_cast<int64_t>(kConsumerUsages.size())
             ? kConsumerUsages[static_cast<std::size_t>(index)]
             : uint16_t{0};
}

}  // namespace tarvosk
