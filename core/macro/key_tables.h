#pragma once
// Key codes of macros. A macro holds keys as HID keyboard usages (what the mouse plays); macro
// files and the keyboard hook speak Windows virtual-key codes. Each table has an English and a
// second-language variant (punctuation keys and the extra key of 102-key keyboards differ); the
// caller passes the interface language of the moment (0 = second language, else English).

#include <cstdint>
#include <string>

namespace tarvosk {

// Display name of a HID usage or mouse-button code (0xF1..0xF3); "Unkown" for codes without one.
std::string keyName(uint8_t hid, int32_t language);
// True when keyName() gives a real name rather than the "Unkown" fallback.
bool hasKeyName(uint8_t hid, int32_t language);

// HID usage -> virtual-key code, as the macro file writer stores it. Unlisted codes are unchanged.
uint8_t hidToVirtualKey(uint8_t hid, int32_t language);
// Virtual-key code (its low byte) -> HID usage, for the macro file readers, recording and
// single-key assignments. Unlisted codes are unchanged.
uint8_t virtualKeyToHid(uint8_t virtualKey, int32_t language);

}  // namespace tarvosk
