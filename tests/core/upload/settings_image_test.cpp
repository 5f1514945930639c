// The fixed settings image (0x01..0x7F): translation of button functions, key bytes, DPI codes,
// the LED mode byte, and a whole image pinned byte by byte.

#include <gtest/gtest.h>

#include "device/settings_image.h"
#include "fake_macro_source.h"

namespace tarvosk {
namespace {

using test::FakeMacroSource;
using test::macroWithOwnCode;

struct CodeCase {
  int32_t function;
  uint8_t device;
  bool host;
  bool profileSwitch;
  bool dpi;
};

class DeviceCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(DeviceCodeTest, FunctionCodeTranslatesToDeviceCodeAndFlags) {
  const CodeCase c = GetParam();
  FakeMacroSource macros;
  macros.builtIns[0].playMode = play::kRepeat;
  macros.builtIns[1].playMode = play::kOnceOwnCode;
  macros.groups = {{MacroRecord{}, macroWithOwnCode()}};
  SettingsRecord s;
  s.buttonFunction[2][4] = c.function;
  const ButtonTranslation t = translateButtons(s, macros);
  EXPECT_EQ(t.deviceCode[2][4], c.device);
  EXPECT_EQ(t.flags.hostFunction[2][4], c.host);
  EXPECT_EQ(t.flags.profileSwitch[2][4], c.profileSwitch);
  EXPECT_EQ(t.flags.dpiFunction[2][4], c.dpi);
  EXPECT_EQ(s.buttonFunction[2][4], c.function) << "a valid code stays in the record";
}

INSTANTIATE_TEST_SUITE_P(AllRanges, DeviceCodeTest,
                         ::testing::Values(CodeCase{0, 0, false, false, false}, CodeCase{1, 1, false, false, false},
                                           CodeCase{6, 6, false, false, true}, CodeCase{7, 2, false, false, false},
                                           CodeCase{14, 9, false, false, false}, CodeCase{15, 11, false, false, true},
                                           CodeCase{16, 12, false, false, true}, CodeCase{17, 12, false, false, true},
                                           CodeCase{18, 0, true, false, false}, CodeCase{19, 23, false, true, false},
                                           CodeCase{20, 25, false, true, false}, CodeCase{21, 26, false, true, false},
                                           CodeCase{22, 15, false, false, false}, CodeCase{31, 15, false, false, false},
                                           // Built-in macro 0 plays repeatedly, built-in 1 with its own code.
                                           CodeCase{32, 13, false, false, false}, CodeCase{33, 14, false, false, false},
                                           // Beyond the 21 built-ins the first entry is taken.
                                           CodeCase{255, 13, false, false, false},
                                           // User macros: group 0, index 0 (mode 0) and index 1 (mode 2).
                                           CodeCase{0x100, 13, false, false, false},
                                           CodeCase{0x101, 14, false, false, false}));

TEST(DeviceCodeTest, ANegativeFunctionCodeIsSentAsNoFunction) {
  FakeMacroSource macros;
  EXPECT_EQ(deviceFunctionCode(-5, macros), 0);
}

struct UserMacroCase {
  const char* name;
  int groups;          // groups loaded
  int macrosInGroup0;  // macros in each loaded group
  int32_t code;
  bool survives;
};

class UserMacroValidationTest : public ::testing::TestWithParam<UserMacroCase> {};

TEST_P(UserMacroValidationTest, DanglingUserMacroIsRemovedFromTheRecord) {
  const UserMacroCase c = GetParam();
  FakeMacroSource macros;
  for (int g = 0; g < c.groups; ++g) macros.groups.emplace_back(c.macrosInGroup0);
  SettingsRecord s;
  s.buttonFunction[0][3] = c.code;
  s.buttonFunction[3][5] = c.code;
  const ButtonTranslation t = translateButtons(s, macros);
  const int32_t expected = c.survives ? c.code : 0;
  EXPECT_EQ(s.buttonFunction[0][3], expected);
  EXPECT_EQ(s.buttonFunction[3][5], expected);
  EXPECT_EQ(t.deviceCode[0][3], c.survives ? 13 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, UserMacroValidationTest,
                         ::testing::Values(UserMacroCase{"valid", 2, 3, 0x202, true},
                                           UserMacroCase{"noGroupsLoaded", 0, 0, 0x100, false},
                                           UserMacroCase{"groupGone", 2, 3, 0x300, false},
                                           UserMacroCase{"emptyGroup", 1, 0, 0x100, false},
                                           UserMacroCase{"indexBeyondCount", 1, 3, 0x103, false},
                                           UserMacroCase{"lastIndex", 1, 3, 0x102, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrepareUploadTest, ClearsSlotOneAndRebuildsTheCycleMask) {
  FakeMacroSource macros;
  SettingsRecord s;
  s.buttonFunction[1] = {1, 2, 3, 18, 19, 25};
  s.cycleColorEnable = {1, 0, 0, 1, 0, 1, 0};
  s.cycleColorMask = 0;
  const ButtonTranslation t = prepareUpload(s, macros);
  for (int b = 0; b < kButtons; ++b) {
    EXPECT_EQ(s.buttonFunction[1][b], 0);
    EXPECT_EQ(t.deviceCode[1][b], 0);
    EXPECT_FALSE(t.flags.hostFunction[1][b]);
    EXPECT_FALSE(t.flags.profileSwitch[1][b]);
  }
  EXPECT_EQ(s.cycleColorMask, 0b0101001);
}

TEST(KeyByteTest, ReactionBitsSitAboveTheDeviceCode) {
  FakeMacroSource macros;
  SettingsRecord s;
  s.buttonFunction[0][2] = 7;  // device code 2
  s.ledReactEnable[0][2] = 1;
  s.ledReactType[0][2] = 3;
  const ButtonTranslation t = translateButtons(s, macros);
  EXPECT_EQ(keyByte(s, t, 0, 2), 0xE2);
  // Keys 9..11 carry neither a function nor a reaction; out-of-range positions give 0.
  EXPECT_EQ(keyByte(s, t, 0, 11), 0);
  EXPECT_EQ(keyByte(s, t, 0, 12), 0);
  EXPECT_EQ(keyByte(s, t, 4, 0), 0);
}

struct ReactionCase {
  int32_t enable;
  int32_t type;
  uint8_t byte;  // over device code 2
};

class ReactionValueTest : public ::testing::TestWithParam<ReactionCase> {};

// A hand-edited file may hold any number; the key byte is the low byte of the formula and
// computing it must not overflow (the sanitizer build traps on signed overflow).
TEST_P(ReactionValueTest, KeyByteIsTheLowByteOfAnyReactionValue) {
  const ReactionCase c = GetParam();
  FakeMacroSource macros;
  SettingsRecord s;
  s.buttonFunction[0][2] = 7;  // device code 2
  s.ledReactEnable[0][2] = c.enable;
  s.ledReactType[0][2] = c.type;
  const ButtonTranslation t = translateButtons(s, macros);
  EXPECT_EQ(keyByte(s, t, 0, 2), c.byte);
}

INSTANTIATE_TEST_SUITE_P(Values, ReactionValueTest,
                         ::testing::Values(ReactionCase{0, 0, 0x02}, ReactionCase{1, 0, 0x22}, ReactionCase{0, 1, 0x42},
                                           ReactionCase{1, 3, 0xE2}, ReactionCase{8, 0, 0x02},
                                           ReactionCase{-1, 0, 0xE2},
                                           ReactionCase{INT32_MAX, INT32_MAX, 0xA2},
                                           ReactionCase{INT32_MIN, INT32_MIN, 0x02}));

struct LedCase {
  uint8_t type;
  uint8_t cycle;
  uint8_t previous;
  uint8_t byte;
  uint8_t mode;
};

class LedModeByteTest : public ::testing::TestWithParam<LedCase> {};

TEST_P(LedModeByteTest, ModeEffectAndSpeed) {
  const LedCase c = GetParam();
  const LedModeByte led = ledModeByte(c.type, c.cycle, c.previous);
  EXPECT_EQ(led.byte, c.byte);
  EXPECT_EQ(led.mode, c.mode);
}

INSTANTIATE_TEST_SUITE_P(Types, LedModeByteTest,
                         ::testing::Values(LedCase{0, 0, 5, 0x00, 0}, LedCase{1, 4, 0, 0x14, 1},
                                           LedCase{2, 5, 0, 0x25, 2}, LedCase{7, 2, 0, 0x72, 7},
                                           // Button response: mode 1 with the effect flag.
                                           LedCase{8, 3, 0, 0x1B, 1}, LedCase{8, 11, 0, 0x1B, 1},
                                           // Off: the previous upload's mode with speed 7, no effect flag.
                                           LedCase{9, 3, 0, 0x07, 0}, LedCase{9, 3, 2, 0x27, 2},
                                           LedCase{9, 0, 1, 0x17, 1},
                                           // A type no control sets is sent like off.
                                           LedCase{200, 1, 2, 0x27, 2}));

TEST(DpiStepCodeTest, TwelveStepsAndTheTopStepForLargerValues) {
  const std::array<uint8_t, 13> expected = {1, 2, 3, 4, 5, 6, 7, 9, 0x0B, 0x0D, 0x0E, 0x0F, 0x0F};
  for (uint8_t v = 0; v < expected.size(); ++v) EXPECT_EQ(dpiStepCode(v), expected[v]) << int{v};
  EXPECT_EQ(dpiStepCode(255), 0x0F);
}

struct FireCase {
  int32_t fireTime;
  uint8_t low;
  uint8_t high;
};

class FireTimeTest : public ::testing::TestWithParam<FireCase> {};

TEST_P(FireTimeTest, SentAsEighthsLowByteFirst) {
  const FireCase c = GetParam();
  FakeMacroSource macros;
  SettingsRecord s;
  s.fireTime = c.fireTime;
  const SettingsImage image = buildSettingsImage(s, translateButtons(s, macros), 0, 0);
  EXPECT_EQ(image.bytes[0x1A], c.low);
  EXPECT_EQ(image.bytes[0x1B], c.high);
}

INSTANTIATE_TEST_SUITE_P(Values, FireTimeTest,
                         ::testing::Values(FireCase{50, 6, 0}, FireCase{300, 37, 0}, FireCase{7, 0, 0},
                                           FireCase{2048, 0, 1}, FireCase{-80, 0, 0}));

TEST(SettingsImageTest, ProfileByteAtAddressOne) {
  FakeMacroSource macros;
  for (const auto& [profile, byte] : {std::pair{0, 0x02}, {1, 0x22}, {2, 0x42}, {3, 0x62}, {6, 0x42}}) {
    SettingsRecord s;
    s.currentProfile = profile;
    EXPECT_EQ(buildSettingsImage(s, translateButtons(s, macros), 0, 0).bytes[0x01], byte) << profile;
  }
}

TEST(SettingsImageTest, WholeImageByteByByte) {
  FakeMacroSource macros;
  SettingsRecord s;
  s.currentProfile = 2;
  s.wheelStatus = 1;
  s.dpiValue = {0, 7, 8, 11};
  s.dpiEnabled = {1, 0, 1, 1};
  s.dpiLevel = 2;
  s.fireTime = 300;
  s.ledType = 8;
  s.ledCycleTime = 3;
  s.cycleColorEnable = {1, 0, 1, 1, 1, 0, 0};
  s.ledUserColorEnable = 1;
  s.usbRate = 2;
  s.dpiColor = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {16, 32, 48}}};
  s.ledSymmetry = 1;
  s.ledDirection = 2;
  s.ledBrightness = 5;
  s.buttonFunction[0] = {1, 2, 7, 18, 22, 0};
  s.ledReactEnable[0][0] = 1;
  s.ledReactType[0][0] = 3;
  s.ledReactEnable[0][8] = 1;
  s.ledReactType[0][8] = 1;
  s.buttonFunction[1] = {5, 5, 5, 5, 5, 5};
  s.buttonFunction[2] = {19, 3, 0, 0, 0, 0};
  s.buttonFunction[3] = {15, 16, 17, 0, 0, 4};

  const ButtonTranslation t = prepareUpload(s, macros);
  const SettingsImage image = buildSettingsImage(s, t, 0x0A, 0);
  // clang-format off
  const std::array<uint8_t, 0x80> expected = {
      0x00, 0x42, 0xA5, 0x00, 0x00, 0x00, 0x00, 0x00,  0xE1, 0x02, 0x02, 0x00, 0x0F, 0x00, 0x00, 0x00,
      0x60, 0x00, 0x00, 0x3F, 0x01, 0x19, 0xBF, 0xFF,  0x1A, 0x0D, 0x25, 0x00, 0x1B, 0xD1, 0x01, 0x00,
      0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00,  0xFF, 0x10, 0x20, 0x30, 0x10, 0x20, 0x30, 0x10,
      0x20, 0x30, 0x07, 0x03, 0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x6A, 0x00, 0x00, 0x00, 0x00, 0x50,
      0x00, 0x00, 0x00, 0xFD, 0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x17, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x0B, 0x0C, 0x0C, 0x00, 0x00, 0x04, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  // clang-format on
  for (int a = 0; a < 0x80; ++a) EXPECT_EQ(image.bytes[a], expected[a]) << "address 0x" << std::hex << a;
  EXPECT_EQ(image.ledMode, 1);

  EXPECT_TRUE(t.flags.hostFunction[0][3]);
  EXPECT_TRUE(t.flags.profileSwitch[2][0]);
  EXPECT_TRUE(t.flags.dpiFunction[3][0]);
  EXPECT_TRUE(t.flags.dpiFunction[3][1]);
  EXPECT_TRUE(t.flags.dpiFunction[3][2]);
  EXPECT_FALSE(t.flags.dpiFunction[3][5]);
}

TEST(SettingsImageTest, BlocksAreTwoBytesAtOneThenFifteenEightByteBlocks) {
  SettingsImage image;
  for (int a = 0; a < 0x80; ++a) image.bytes[a] = static_cast<uint8_t>(a);
  const std::vector<MemoryBlock> blocks = image.blocks();
  ASSERT_EQ(blocks.size(), 16u);
  EXPECT_EQ(blocks[0], (MemoryBlock{0x01, {0x01, 0x02}}));
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    const uint16_t address = static_cast<uint16_t>(8 * i);
    ASSERT_EQ(blocks[i].address, address);
    ASSERT_EQ(blocks[i].bytes.size(), 8u);
    EXPECT_EQ(blocks[i].bytes.front(), address);
    EXPECT_EQ(blocks[i].bytes.back(), address + 7);
  }
  for (int a : {0x00, 0x03, 0x07}) EXPECT_FALSE(SettingsImage::written(a));
  for (int a : {0x01, 0x02, 0x08, 0x7F}) EXPECT_TRUE(SettingsImage::written(a));
}

}  // namespace
}  // namespace tarvosk
