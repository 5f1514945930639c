#pragma once
// The fixed part of the mouse's settings memory (addresses 0x01..0x7F) built from the settings
// record: the translation of button functions into device function codes and host-side flags,
// the key bytes, and the image itself. Everything here is pure; settings_upload sends the result.

#include <array>
#include <cstdint>
#include <vector>

#include "device/host_flags.h"
#include "device/memory_block.h"
#include "settings/settings_record.h"

namespace tarvosk {

class MacroSource;

// Key positions per profile slot in the image and the macro directory (buttons are keys 0..5).
inline constexpr int kImageKeys = 12;
inline constexpr int kDirectoryKeys = 14;

// Device function codes the macro area and the listener care about.
namespace device_code {
inline constexpr uint8_t kMacro = 13;
inline constexpr uint8_t kMacroOwnCode = 14;  // a macro whose play mode is 2
inline constexpr uint8_t kMultimedia = 15;
}  // namespace device_code

// What one upload computed per profile slot and button: the device function code and the
// host-side flags the listener and poll threads act on until the next upload.
struct ButtonTranslation {
  std::array<std::array<uint8_t, kButtons>, kProfileSlots> deviceCode{};
  // Code 18: host function; codes 19..21: profile switch; device codes 6, 11, 12: DPI function.
  HostFlags flags;
};

// The built-in macro a function code 32..255 names: code - 32, or 0 when that is beyond the table.
int builtInMacroIndex(int32_t functionCode);

// True when `functionCode` (>= 256) names a macro that exists: groups are loaded, the group is
// below the group count and holds at least one macro, and the index is below its macro count.
bool userMacroExists(int32_t functionCode, const MacroSource& macros);

// The 5-bit device function code of a function code (0 for codes outside every range, including
// negative ones). Macro codes need the macro's play mode, hence `macros`.
uint8_t deviceFunctionCode(int32_t functionCode, const MacroSource& macros);

// Translates the button functions of all four slots. A user-macro code naming a group or macro
// that does not exist is replaced by 0 in `s` itself (so the next save writes 0).
ButtonTranslation translateButtons(SettingsRecord& s, const MacroSource& macros);

// What the upload does to the record before it builds the image: slot 1's buttons cleared, the
// buttons translated (with the user-macro validation above), cycleColorMask rebuilt.
ButtonTranslation prepareUpload(SettingsRecord& s, const MacroSource& macros);

// Key byte of slot `slot`, key position `key` (0..11): the reaction bits over the device code.
// Out-of-range positions give 0.
uint8_t keyByte(const SettingsRecord& s, const ButtonTranslation& t, int slot, int key);

// DPI step code of a dpiValue (0..11; larger values take the top step).
uint8_t dpiStepCode(uint8_t dpiValue);

// The DPI enable mask: bit n set when level n (0..3) is enabled. The image carries it at 0x19 and
// the DPI command after the macro area sends it again.
uint8_t dpiEnableMask(const SettingsRecord& s);

// The LED mode byte at 0x1C and the lighting mode it carries (remembered for ledType 9, which
// sends the mode of the previous upload with speed 7). ledType values no control sets (10 and
// up) are sent like "off".
struct LedModeByte {
  uint8_t byte = 0;
  uint8_t mode = 0;
};
LedModeByte ledModeByte(uint8_t ledType, uint8_t ledCycleTime, uint8_t previousMode);

// Bytes 0x00..0x7F as the upload writes them. Addresses 0x00 and 0x03..0x07 are never written.
struct SettingsImage {
  std::array<uint8_t, 0x80> bytes{};
  uint8_t ledMode = 0;  // the lighting mode sent at 0x1C (for the next upload's ledType 9)

  // True for the addresses the upload writes (0x01, 0x02, 0x08..0x7F).
  static bool written(int address) { return address == 0x01 || address == 0x02 || (address >= 0x08 && address < 0x80); }
  // The block writes in sending order: 2 bytes at 0x01, then 8 bytes at 0x08, 0x10, ... 0x78.
  std::vector<MemoryBlock> blocks() const;
};

// Builds the image from the (prepared) record, the translation, the status nibble read from the
// mouse at start-up and the lighting mode of the previous upload.
SettingsImage buildSettingsImage(const SettingsRecord& s, const ButtonTranslation& t, uint8_t statusNibble,
                                 uint8_t previousLedMode);

}  // namespace tarvosk
