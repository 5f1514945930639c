#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "macro/key_tables.h"
#include "macro/x11_keys.h"
#include "settings/language.h"

namespace tarvosk {
namespace {

struct KeysymCase {
  const char* name;
  uint32_t keysym;
  std::optional<uint8_t> vk;
};

class Keysyms : public ::testing::TestWithParam<KeysymCase> {};

TEST_P(Keysyms, GiveTheVirtualKeyOfTheirKey) { EXPECT_EQ(virtualKeyFromKeysym(GetParam().keysym), GetParam().vk); }

INSTANTIATE_TEST_SUITE_P(
    Table, Keysyms,
    ::testing::Values(
        KeysymCase{"LowerA", 0x61, 0x41}, KeysymCase{"UpperZ", 0x5A, 0x5A}, KeysymCase{"LowerZ", 0x7A, 0x5A},
        KeysymCase{"Digit0", 0x30, 0x30}, KeysymCase{"Digit9", 0x39, 0x39}, KeysymCase{"ExclamIsTheKeyOf1", 0x21, 0x31},
        KeysymCase{"ParenrightIsTheKeyOf0", 0x29, 0x30}, KeysymCase{"F1", 0xFFBE, 0x70},
        KeysymCase{"F12", 0xFFC9, 0x7B}, KeysymCase{"F24", 0xFFD5, 0x87}, KeysymCase{"ShiftL", 0xFFE1, 0xA0},
        KeysymCase{"ShiftR", 0xFFE2, 0xA1}, KeysymCase{"ControlL", 0xFFE3, 0xA2}, KeysymCase{"ControlR", 0xFFE4, 0xA3},
        KeysymCase{"AltL", 0xFFE9, 0xA4}, KeysymCase{"AltR", 0xFFEA, 0xA5}, KeysymCase{"AltGr", 0xFE03, 0xA5},
        KeysymCase{"SuperL", 0xFFEB, 0x5B}, KeysymCase{"SuperR", 0xFFEC, 0x5C}, KeysymCase{"Return", 0xFF0D, 0x0D},
        KeysymCase{"Escape", 0xFF1B, 0x1B}, KeysymCase{"Delete", 0xFFFF, 0x2E}, KeysymCase{"PageUp", 0xFF55, 0x21},
        KeysymCase{"Left", 0xFF51, 0x25}, KeysymCase{"KpEnter", 0xFF8D, 0x0D}, KeysymCase{"Kp0", 0xFFB0, 0x60},
        KeysymCase{"Kp9", 0xFFB9, 0x69}, KeysymCase{"KpHomeWithoutNumLock", 0xFF95, 0x24},
        KeysymCase{"KpDivide", 0xFFAF, 0x6F}, KeysymCase{"Minus", 0x2D, 0xBD}, KeysymCase{"Underscore", 0x5F, 0xBD},
        KeysymCase{"Grave", 0x60, 0xC0}, KeysymCase{"Apostrophe", 0x27, 0xDE}, KeysymCase{"Backslash", 0x5C, 0xDC},
        KeysymCase{"ShiftTab", 0xFE20, 0x09}, KeysymCase{"Print", 0xFF61, 0x2C},
        KeysymCase{"AudioMute", 0x1008FF12, 0xAD}, KeysymCase{"AudioPlay", 0x1008FF14, 0xB3},
        KeysymCase{"AudioNext", 0x1008FF17, 0xB0}, KeysymCase{"Unlisted", 0xFFEF, std::nullopt},
        KeysymCase{"LatinSmallEAcute", 0xE9, std::nullopt}, KeysymCase{"Zero", 0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct EvdevCase {
  const char* name;
  uint32_t code;
  std::optional<uint8_t> vk;
};

class EvdevCodes : public ::testing::TestWithParam<EvdevCase> {};

TEST_P(EvdevCodes, GiveTheVirtualKeyOfTheKeyOnAUsKeyboard) {
  EXPECT_EQ(virtualKeyFromEvdevScanCode(GetParam().code), GetParam().vk);
  EXPECT_EQ(virtualKeyFromX11Keycode(GetParam().code + 8), GetParam().vk);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EvdevCodes,
    ::testing::Values(EvdevCase{"Esc", 1, 0x1B}, EvdevCase{"Key1", 2, 0x31}, EvdevCase{"Key0", 11, 0x30},
                      EvdevCase{"Q", 16, 0x51}, EvdevCase{"A", 30, 0x41}, EvdevCase{"Z", 44, 0x5A},
                      EvdevCase{"M", 50, 0x4D}, EvdevCase{"LeftShift", 42, 0xA0}, EvdevCase{"RightShift", 54, 0xA1},
                      EvdevCase{"LeftCtrl", 29, 0xA2}, EvdevCase{"RightCtrl", 97, 0xA3}, EvdevCase{"LeftAlt", 56, 0xA4},
                      EvdevCase{"RightAlt", 100, 0xA5}, EvdevCase{"LeftMeta", 125, 0x5B}, EvdevCase{"F10", 68, 0x79},
                      EvdevCase{"F11", 87, 0x7A}, EvdevCase{"F13", 183, 0x7C}, EvdevCase{"F24", 194, 0x87},
                      EvdevCase{"Kp7", 71, 0x67}, EvdevCase{"Kp0", 82, 0x60}, EvdevCase{"KpEnter", 96, 0x0D},
                      EvdevCase{"Key102nd", 86, 0xE2}, EvdevCase{"Mute", 113, 0xAD}, EvdevCase{"Compose", 127, 0x5D},
                      EvdevCase{"Unassigned", 84, std::nullopt}, EvdevCase{"Reserved", 0, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(X11Keys, KeycodesBelowEightHaveNoKey) {
  for (uint32_t keycode = 0; keycode < 8; ++keycode) EXPECT_EQ(virtualKeyFromX11Keycode(keycode), std::nullopt);
}

// Every key of a US keyboard's main block reaches a HID usage with a name, so a recorded key
// never shows "Unkown" in the event list.
TEST(X11Keys, EveryMainBlockKeyRecordsAsANamedKey) {
  for (uint32_t code = 1; code <= 88; ++code) {
    const std::optional<uint8_t> vk = virtualKeyFromEvdevScanCode(code);
    if (!vk || code == 86) continue;  // the 102nd key is named under the second language only
    const uint8_t hid = virtualKeyToHid(*vk, kLanguageEnglish);
    EXPECT_TRUE(hasKeyName(hid, kLanguageEnglish)) << "evdev " << code << " vk " << int(*vk);
  }
}

}  // namespace
}  // namespace tarvosk
