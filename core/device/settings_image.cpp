#include "device/settings_image.h"

#include "device/macro_area_source.h"
#include "settings/settings_rules.h"

namespace tarvosk {

namespace {

constexpr std::array<uint8_t, kDpiSteps> kDpiStepCodes = {1, 2, 3, 4, 5, 6, 7, 9, 0x0B, 0x0D, 0x0E, 0x0F};

constexpr uint8_t kLedTypeButtonResponse = 8;
[[maybe_unused]] constexpr uint8_t kLedTypeOff = 9;  // and every value above: the branch after button response

bool isDpiDeviceCode(uint8_t code) { return code == 6 || code == 11 || code == 12; }

uint8_t low(int32_t v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

int builtInMacroIndex(int32_t functionCode) {
  const int index = functionCode - kFunctionFirstBuiltInMacro;
  return index >= 0 && index < kMacroSlots ? index : 0;
}

bool userMacroExists(int32_t functionCode, const MacroSource& macros) {
  if (functionCode < kFunctionFirstUserMacro) return false;
  const int group = functionCode / 256 - 1;
  const int index = functionCode % 256;
  const int groups = macros.groupCount();
  if (groups <= 0 || group >= groups) return false;
  const int count = macros.macroCount(group);
  return count > 0 && index < count;
}

uint8_t deviceFunctionCode(int32_t c, const MacroSource& macros) {
  if (c < 0) return 0;
  if (c <= 6) return static_cast<uint8_t>(c);
  if (c <= 14) return static_cast<uint8_t>(c - 5);
  if (c <= 16) return static_cast<uint8_t>(c - 4);
  if (c == 17) return 12;
  if (c == kFunctionHost) return 0;
  if (c == 19) return 23;
  if (c == 20) return 25;
  if (c == 21) return 26;
  if (c <= 31) return device_code::kMultimedia;
  MacroRecord macro;
  if (c < kFunctionFirstUserMacro) {
    macro = macros.builtInMacro(builtInMacroIndex(c));
  } else if (userMacroExists(c, macros)) {
    macro = macros.userMacro(c / 256 - 1, c % 256);
  } else {
    return 0;
  }
  return macro.playMode == play::kOnceOwnCode ? device_code::kMacroOwnCode : device_code::kMacro;
}

ButtonTranslation translateButtons(SettingsRecord& s, const MacroSource& macros) {
  // Each table is rebuilt in full before anything is sent, so the listener never acts on a
  // half-translated profile.
  ButtonTranslation t;
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    for (int b = 0; b < kButtons; ++b) {
      int32_t& code = s.buttonFunction[slot][b];
      if (code >= kFunctionFirstUserMacro && !userMacroExists(code, macros)) code = kFunctionNone;
      const uint8_t device = deviceFunctionCode(code, macros);
      t.deviceCode[slot][b] = device;
      t.flags.hostFunction[slot][b] = code == kFunctionHost;
      t.flags.profileSwitch[slot][b] = code >= 19 && code <= 21;
      t.flags.dpiFunction[slot][b] = isDpiDeviceCode(device);
    }
  }
  return t;
}

ButtonTranslation prepareUpload(SettingsRecord& s, const MacroSource& macros) {
  // Slot 1 cannot be selected in the window; it always travels without functions.
  s.buttonFunction[1].fill(kFunctionNone);
  ButtonTranslation t = translateButtons(s, macros);
  rebuildCycleColorMask(s);
  return t;
}

uint8_t keyByte(const SettingsRecord& s, const ButtonTranslation& t, int slot, int key) {
  if (slot < 0 || slot >= kProfileSlots || key < 0 || key >= kImageKeys) return 0;
  // Only the low byte is sent; unsigned arithmetic keeps any value a hand-edited file holds
  // from overflowing on the way there.
  uint32_t reaction = 0;
  if (key < kReactionKeys) {
    reaction =
        static_cast<uint32_t>(s.ledReactEnable[slot][key]) + 2u * static_cast<uint32_t>(s.ledReactType[slot][key]);
  }
  uint8_t device = 0;
  for (int b = 0; b < kButtons; ++b) {
    if (kButtonOrder[b] - 1 == key) device = t.deviceCode[slot][b];
  }
  return static_cast<uint8_t>((reaction * 32u + device) & 0xFF);
}

uint8_t dpiStepCode(uint8_t dpiValue) { return kDpiStepCodes[dpiStepIndex(dpiValue)]; }

uint8_t dpiEnableMask(const SettingsRecord& s) {
  uint8_t mask = 0;
  for (int n = 0; n < kDpiLevels; ++n) {
    if (s.dpiEnabled[n] != 0) mask |= static_cast<uint8_t>(1u << n);
  }
  return mask;
}

LedModeByte ledModeByte(uint8_t ledType, uint8_t ledCycleTime, uint8_t previousMode) {
  uint8_t mode = 0;
  uint8_t effect = 0;
  uint8_t speed = ledCycleTime & 7;
  if (ledType < kLedTypeButtonResponse) {
    mode = ledType;
  } else if (ledType == kLedTypeButtonResponse) {
    mode = 1;
    effect = 1;
  } else {
    mode = previousMode & 7;
    speed = 7;
  }
  return {static_cast<uint8_t>(((mode * 2 + effect) * 8 + speed) & 0xFF), mode};
}

std::vector<MemoryBlock> SettingsImage::blocks() const {
  std::vector<MemoryBlock> out;
  out.push_back({0x01, {bytes[0x01], bytes[0x02]}});
  for (int a = 0x08; a < 0x80; a += 8) {
    out.push_back({static_cast<uint16_t>(a), std::vector<uint8_t>(bytes.begin() + a, bytes.begin() + a + 8)});
  }
  return out;
}

SettingsImage buildSettingsImage(const SettingsRecord& s, const ButtonTranslation& t, uint8_t statusNibble,
                                 uint8_t previousLedMode) {
  SettingsImage image;
  auto& m = image.bytes;
  m[0x01] = static_cast<uint8_t>((s.currentProfile & 3) * 32 + 2);
  m[0x02] = 0xA5;
  for (int k = 0; k < 9; ++k) m[0x08 + k] = keyByte(s, t, 0, k);
  m[0x13] = 0x3F;
  m[0x14] = low(s.wheelStatus);
  std::array<uint8_t, kDpiLevels> step{};
  for (int n = 0; n < kDpiLevels; ++n) step[n] = dpiStepCode(s.dpiValue[n]);
  m[0x15] = static_cast<uint8_t>(step[0] << 4 | step[1]);
  m[0x16] = static_cast<uint8_t>(step[2] << 4 | step[3]);
  // Levels 4 and 5 exist in the mouse but not in the record; they repeat level 3 (the top
  // configured level), so a mouse that ever reached them would behave like a level it knows.
  m[0x17] = static_cast<uint8_t>(step[3] << 4 | step[3]);
  m[0x18] = static_cast<uint8_t>(0x18 + (s.dpiLevel & 7));
  m[0x19] = dpiEnableMask(s);
  // A negative repeat time (only from a hand-edited file) is sent as 0 rather than as 0xFFFF.
  const int32_t fire = s.fireTime > 0 ? s.fireTime / 8 : 0;
  m[0x1A] = low(fire);
  m[0x1B] = low(fire >> 8);
  const LedModeByte led = ledModeByte(s.ledType, s.ledCycleTime, previousLedMode);
  m[0x1C] = led.byte;
  image.ledMode = led.mode;
  uint8_t cycle = 0;
  for (int i = 0; i < 4; ++i) {
    if (s.cycleColorEnable[i] != 0) cycle |= static_cast<uint8_t>(1u << (2 * i));
  }
  if (s.ledUserColorEnable != 0) cycle |= 0x80;
  m[0x1D] = cycle;
  m[0x1E] = usbRateCodeFor(s.usbRate);
  m[0x1F] = 0x00;
  for (int n = 0; n < kDpiLevels; ++n) {
    for (int c = 0; c < 3; ++c) m[0x20 + 3 * n + c] = low(s.dpiColor[n][c]);
  }
  for (int n = 4; n < 6; ++n) {
    for (int c = 0; c < 3; ++c) m[0x20 + 3 * n + c] = low(s.dpiColor[3][c]);
  }
  m[0x32] = 0x07;
  m[0x33] = 0x03;
  m[0x3A] = static_cast<uint8_t>((s.ledSymmetry & 1) * 64 + (s.ledDirection & 3) * 16 + (statusNibble & 0x0F));
  for (int k = 9; k < 12; ++k) m[0x3B + (k - 9)] = keyByte(s, t, 0, k);
  m[0x3F] = static_cast<uint8_t>((s.ledBrightness & 7) * 16);
  m[0x43] = 0xFD;
  for (int k = 0; k < kImageKeys; ++k) {
    m[0x44 + k] = keyByte(s, t, 1, k);
    m[0x50 + k] = keyByte(s, t, 2, k);
    m[0x60 + k] = keyByte(s, t, 3, k);
  }
  return image;
}

}  // namespace tarvosk
