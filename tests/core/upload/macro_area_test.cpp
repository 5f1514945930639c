// The macro area: directory entries, the event stream with its pause entries, moves, DPI and LED
// events, repeat expansion, sizes, sharing, overflow and the ballistic step's encoding.

#include <gtest/gtest.h>

#include <algorithm>

#include "device/device_status.h"
#include "device/macro_area.h"
#include "fake_macro_source.h"
#include "macro/key_tables.h"

namespace tarvosk {
namespace {

using test::addEvent;
using test::FakeMacroSource;
using test::macroWithMode;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kKeyA = 0x04;

Bytes head(const Bytes& bytes, std::size_t n) {
  return Bytes(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

// ---- Event stream ----

TEST(MacroStreamTest, PauseOf3000msGivesTheRestOnTheEventAndTwoFullPauseEntries) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, type::kPress, kKeyA, 3000);
  addEvent(m, type::kRelease, kKeyA, 0);
  const MacroLayout layout = macroLayout(m, true);
  EXPECT_EQ(layout.unitCount, 4u);
  EXPECT_EQ(layout.blockSize, 16u);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, layout.blockSize);
  EXPECT_EQ(e.bytes, (Bytes{0x01, 0x00, 46 + 0x80, kKeyA, 0x7F, 0x00, 0x7F, 0x00, 0x01, kKeyA, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(e.messages.empty());
}

TEST(MacroStreamTest, PauseOf2540msEndsWithAnEmptyPauseEntry) {
  MacroRecord m = macroWithMode(play::kRepeat, 3);
  addEvent(m, type::kRelease, kKeyA, 2540);
  addEvent(m, type::kPress, kKeyA, 0);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
  EXPECT_EQ(head(e.bytes, 10), (Bytes{0x03, 0x00, 127, kKeyA, 0x7F, 0x00, 0x00, 0x00, 0x81, kKeyA}));
}

TEST(MacroStreamTest, LastEventCarriesOneUnitWhateverItsDelay) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, type::kPress, kKeyA, 20);
  addEvent(m, type::kRelease, kKeyA, 5000);
  const MacroLayout layout = macroLayout(m, true);
  EXPECT_EQ(layout.unitCount, 2u + 500 / 127) << "its long delay still counts in the unit count";
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, layout.blockSize);
  EXPECT_EQ(head(e.bytes, 8), (Bytes{0x01, 0x00, 0x82, kKeyA, 0x01, kKeyA, 0x00, 0x00}));
}

TEST(MacroStreamTest, ShortDelaysAreAtLeastOneUnitAndLongOnesAreCappedAt10Seconds) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, type::kPress, kKeyA, 3);     // 0 units -> 1
  addEvent(m, type::kPress, 0x05, 60000);  // 1000 units: 7 full entries, 111 on the event
  addEvent(m, type::kRelease, kKeyA, 0);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
  Bytes expected = {0x01, 0x00, 0x81, kKeyA, 111 + 0x80, 0x05};
  for (int i = 0; i < 7; ++i) expected.insert(expected.end(), {0x7F, 0x00});
  expected.insert(expected.end(), {0x01, kKeyA});
  EXPECT_EQ(head(e.bytes, expected.size()), expected);
}

struct MoveCase {
  uint8_t type;
  Bytes bytes;
};

class MoveEntryTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveEntryTest, TypeGivesTheSignsOfXAndY) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, GetParam().type, code::kMove, 20, 5, 3);
  addEvent(m, type::kRelease, kKeyA, 0);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
  Bytes expected = {0x01, 0x00};
  expected.insert(expected.end(), GetParam().bytes.begin(), GetParam().bytes.end());
  expected.insert(expected.end(), {0x01, kKeyA});
  EXPECT_EQ(head(e.bytes, expected.size()), expected);
}

INSTANTIATE_TEST_SUITE_P(Types, MoveEntryTest,
                         ::testing::Values(MoveCase{3, {2, 0xF6, 0xFB, 0xFF, 0xFD, 0xFF}},
                                           MoveCase{4, {2, 0xF6, 0xFB, 0xFF, 0x03, 0x00}},
                                           MoveCase{5, {2, 0xF6, 0x05, 0x00, 0xFD, 0xFF}},
                                           MoveCase{6, {2, 0xF6, 0x05, 0x00, 0x03, 0x00}},
                                           // Any other type: the first two bytes only.
                                           MoveCase{7, {2, 0xF6}}));

TEST(MacroStreamTest, DpiEventsSetResetAndOther) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, type::kDpiSet, code::kDpi, 30, 7);
  addEvent(m, type::kDpiReset, code::kDpi, 30, 0);
  addEvent(m, 11, code::kDpi, 30, 0x105);
  addEvent(m, type::kRelease, kKeyA, 0);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
  EXPECT_EQ(head(e.bytes, 16),
            (Bytes{0x01, 0x00, 0x83, 0xF8, 7, 0, 0x03, 0xF8, 0, 0, 0x00, 0xF8, 0x05, 0, 0x01, kKeyA}));
}

TEST(MacroStreamTest, ReservedKindsAreWrittenLikeKeysAndUnknownTypesNotAtAll) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, type::kPress, code::kReservedF7, 10);
  addEvent(m, type::kRelease, code::kReservedFA, 10);
  addEvent(m, 7, kKeyA, 10);  // a key with a type that is neither press nor release
  addEvent(m, type::kPress, code::kReservedFB, 0);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
  EXPECT_EQ(head(e.bytes, 10), (Bytes{0x01, 0x00, 0x81, 0xF7, 0x01, 0xFA, 0x81, 0xFB, 0x00, 0x00}));
}

MacroRecord macroWithLed(uint8_t ledType) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  addEvent(m, ledType, code::kLed, 10, 0);
  addEvent(m, type::kRelease, kKeyA, 0);
  LedProgram& p = m.ledPrograms[0];
  p.bytes[0] = 2;
  for (int b = 4; b < 12; ++b) p.bytes[b] = static_cast<uint8_t>(b - 3);
  p.bytes[12] = 0xEE;  // beyond the two steps: not sent
  return m;
}

TEST(MacroStreamTest, LedEventPointsAtItsProgramAfterTheStream) {
  const MacroRecord m = macroWithLed(type::kLed1);
  const MacroLayout layout = macroLayout(m, true);
  EXPECT_EQ(layout.streamSize, 8u);
  EXPECT_EQ(layout.ledAreaSize, 16u);
  EXPECT_EQ(layout.blockSize, 24u);
  const EncodedMacro e = encodeMacro(m, true, 0x2F0, layout.blockSize);
  // Program at 0x2F0 + 8 = 0x2F8: high bits 0x02 plus 64 x 1 for LED1.
  EXPECT_EQ(e.bytes, (Bytes{0x01, 0x00, 0x01, 0xF9, 0xF8, 0x42, 0x01, kKeyA, 0x01, 0x00, 0x00, 0x00,
                            1,    2,    3,    4,    5,    6,    7,    8,     0,    0,    0,    0}));
  EXPECT_TRUE(e.messages.empty());
}

TEST(MacroStreamTest, LedEventOfUnknownTypeIsAnErrorAndSentAsLed0) {
  const MacroRecord m = macroWithLed(12);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
  EXPECT_EQ(head(e.bytes, 6), (Bytes{0x01, 0x00, 0x01, 0xF9, 0x48, 0x02}));
  EXPECT_EQ(e.messages, std::vector<std::string>{"Error!"});
  EXPECT_FALSE(e.fatal);
}

TEST(MacroStreamTest, LedEventWithoutAProgramIsAnErrorAndLeftOut) {
  MacroRecord noPrograms = macroWithLed(type::kLed0);
  noPrograms.ledCount = 0;
  MacroRecord badIndex = macroWithLed(type::kLed0);
  badIndex.eventParamA[0] = 7;  // only programs 0..4 exist
  for (const MacroRecord& m : {noPrograms, badIndex}) {
    const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, macroLayout(m, true).blockSize);
    EXPECT_EQ(head(e.bytes, 6), (Bytes{0x01, 0x00, 0x01, kKeyA, 0x00, 0x00}));
    EXPECT_EQ(e.messages, std::vector<std::string>{"Error!"});
    EXPECT_FALSE(e.fatal);
  }
}

TEST(MacroStreamTest, LedProgramEndingBeyond0x4001IsFatal) {
  const MacroRecord m = macroWithLed(type::kLed0);
  const EncodedMacro fine = encodeMacro(m, true, 0x3FE0, 24);
  EXPECT_FALSE(fine.fatal);
  const EncodedMacro beyond = encodeMacro(m, true, 0x3FF0, 24);
  EXPECT_TRUE(beyond.fatal);
  EXPECT_EQ(beyond.messages, std::vector<std::string>{"Error!"});
}

TEST(MacroStreamTest, BuiltInMacrosAlwaysAnnounceTheirRepeatCount) {
  MacroRecord m = macroWithMode(play::kOnce, 9);
  addEvent(m, type::kPress, kKeyA, 0);
  EXPECT_EQ(head(encodeMacro(m, false, kMacroDataAddress, 8).bytes, 2), (Bytes{9, 0}));
  EXPECT_EQ(head(encodeMacro(m, true, kMacroDataAddress, 8).bytes, 2), (Bytes{1, 0}));
  m.playMode = play::kRepeat;
  m.repeatCount = 0x1234;
  EXPECT_EQ(head(encodeMacro(m, true, kMacroDataAddress, 8).bytes, 2), (Bytes{0x34, 0x12}));
}

TEST(MacroStreamTest, CountsBelowTheEventsPresentStillLeaveRoomForEveryEntry) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  for (int i = 0; i < 3; ++i) addEvent(m, type::kMoveRightDown, code::kMove, 10, 1, 1);
  addEvent(m, type::kRelease, kKeyA, 0);
  m.moveCount = 0;  // as a hand-edited file may say
  const MacroLayout layout = macroLayout(m, true);
  const EncodedMacro e = encodeMacro(m, true, kMacroDataAddress, layout.blockSize);
  ASSERT_GE(layout.streamSize, 2u + 3 * 6 + 2);
  EXPECT_EQ(e.bytes[2 + 3 * 6], 0x01);
  EXPECT_EQ(e.bytes[2 + 3 * 6 + 1], kKeyA);
}

TEST(MacroLayoutTest, UserMacroWithoutEventsTakesThreeUnits) {
  const MacroRecord empty;
  EXPECT_EQ(macroLayout(empty, true), (MacroLayout{3, 8, 0, 8}));
  EXPECT_EQ(macroLayout(empty, false), (MacroLayout{0, 8, 0, 8}));
}

TEST(MacroLayoutTest, BlockSizeIsCappedAt0x2000) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  for (int i = 0; i < 10; ++i) addEvent(m, type::kPress, kKeyA, 0);
  m.moveCount = 60000;  // a count no editor produces
  EXPECT_EQ(macroLayout(m, true).blockSize, 0x2000u);
}

// ---- Repeat expansion ----

TEST(RepeatExpansionTest, PlayModeTwoMacroOf10msIsSentFourTimesWithEffectsAsPauses) {
  MacroRecord m = macroWithMode(play::kOnceOwnCode, 1);
  addEvent(m, type::kPress, kKeyA, 4);
  addEvent(m, type::kDpiSet, code::kDpi, 3, 2);
  addEvent(m, type::kMoveLeftDown, code::kMove, 3, 5, 3);
  const MacroRecord x = expandRepeats(m);
  ASSERT_EQ(x.eventCount, 12);
  EXPECT_EQ(x.moveCount, 4);
  for (int copy = 0; copy < 4; ++copy) {
    EXPECT_EQ(x.eventCode[3 * copy], kKeyA);
    EXPECT_EQ(x.eventCode[3 * copy + 1], copy == 0 ? code::kDpi : code::kPause) << copy;
    EXPECT_EQ(x.eventType[3 * copy + 1], type::kDpiSet) << "the type is kept";
    EXPECT_EQ(x.eventCode[3 * copy + 2], code::kMove);
    EXPECT_EQ(x.eventParamA[3 * copy + 2], 5);
    EXPECT_EQ(x.eventDelay[3 * copy + 1], 3);
  }
  const EncodedMacro e = encodeMacro(x, true, kMacroDataAddress, macroLayout(x, true).blockSize);
  EXPECT_EQ(head(e.bytes, 16),
            (Bytes{0x01, 0x00, 0x81, kKeyA, 0x81, 0xF8, 2, 0, 0x01, 0xF6, 0xFB, 0xFF, 3, 0, 0x81, kKeyA}));
  EXPECT_EQ(e.bytes[16], 0x01) << "the DPI event of the second copy is a pause";
  EXPECT_EQ(e.bytes[17], 0x00);
}

TEST(RepeatExpansionTest, OnlyPlayModeTwoAndOnlyWhenTheMacroIsShort) {
  MacroRecord m = macroWithMode(play::kOnceOwnCode, 1);
  addEvent(m, type::kPress, kKeyA, 20);
  addEvent(m, type::kRelease, kKeyA, 1);  // 21 ms: 40 / 21 = 1, no copies
  EXPECT_EQ(expandRepeats(m).eventCount, 2);
  m.eventDelay[1] = 0;  // 20 ms: two copies
  EXPECT_EQ(expandRepeats(m).eventCount, 4);
  m.playMode = play::kOnceOwnCode | 0x04;  // the byte must be exactly 2
  EXPECT_EQ(expandRepeats(m).eventCount, 2);
}

TEST(RepeatExpansionTest, StopsWhenTheEventSlotsAreFull) {
  MacroRecord m = macroWithMode(play::kOnceOwnCode, 1);
  for (int i = 0; i < 200; ++i) addEvent(m, type::kPress, kKeyA, 0);  // 0 ms counts as 1: 40 copies
  EXPECT_EQ(expandRepeats(m).eventCount, kMacroEvents);
}

// ---- Directory ----

TEST(DirectoryEntryTest, MultimediaKeyCarriesItsUsageAndNoUnits) {
  EXPECT_EQ(directoryEntry(25, nullptr, 99, 0x240, 1), (std::array<uint8_t, 8>{9, 0, 0xFF, 0xE9, 0x00, 0x40, 0x02, 0}));
  EXPECT_EQ(directoryEntry(22, nullptr, 0, 0x3F8, 1), (std::array<uint8_t, 8>{9, 0, 0xFF, 0x23, 0x02, 0xF8, 0x03, 0}));
}

TEST(DirectoryEntryTest, FunctionCode32CarriesTheStopUsage) {
  const MacroRecord m;
  EXPECT_EQ(directoryEntry(32, &m, 5, 0x248, 1), (std::array<uint8_t, 8>{9, 5, 0xFF, 0xB7, 0x00, 0x48, 0x02, 0}));
}

struct FlagCase {
  uint8_t playMode;
  uint8_t byte1High;  // bit 7 of byte 1 (A)
  uint8_t byte6High;  // bits 6-7 of byte 6 (B, C)
  uint8_t byte7High;  // bit 6 of byte 7 (D)
};

class DirectoryFlagTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(DirectoryFlagTest, PlayModeSetsFlags) {
  MacroRecord m;
  m.playMode = GetParam().playMode;
  const auto e = directoryEntry(0x100, &m, 300, 0x240, 1);
  EXPECT_EQ(e[1], 44 | GetParam().byte1High);  // 300 & 0x7F
  EXPECT_EQ(e[6], 0x02 | GetParam().byte6High);
  EXPECT_EQ(e[7], 2 | GetParam().byte7High);  // 300 >> 7
}

INSTANTIATE_TEST_SUITE_P(Modes, DirectoryFlagTest,
                         ::testing::Values(FlagCase{0, 0, 0, 0}, FlagCase{1, 0, 0x80, 0}, FlagCase{2, 0x80, 0, 0},
                                           FlagCase{3, 0, 0, 0}, FlagCase{0x04, 0, 0x40, 0}, FlagCase{0x07, 0, 0x40, 0},
                                           FlagCase{0x05, 0, 0x80, 0}, FlagCase{0x09, 0, 0x80, 0x40},
                                           FlagCase{0x0A, 0x80, 0, 0x40}, FlagCase{0x08, 0, 0, 0}));

TEST(DirectoryEntryTest, KeyByteFollowsTheKeyIndexTable) {
  EXPECT_EQ(directoryKeyUsage(70, 1), virtualKeyToHid(0x1B, 1));  // index 0: Escape
  EXPECT_EQ(directoryKeyUsage(70, 1), 0x29);
  EXPECT_EQ(directoryKeyUsage(148, 1), virtualKeyToHid(0x28, 1));  // index 78: down arrow
  EXPECT_EQ(directoryKeyUsage(149, 1), 0xFF);
  EXPECT_EQ(directoryKeyUsage(32, 1), 0xFF);
  EXPECT_EQ(directoryKeyUsage(0x100, 0), 0xFF);
}

// ---- Placement ----

struct Area {
  FakeMacroSource macros;
  SettingsRecord s;
  MacroAreaPlan plan() {
    const ButtonTranslation t = prepareUpload(s, macros);
    return planMacroArea(s, t, macros, kSmallMacroMemory);
  }
};

std::vector<MemoryBlock> writesFrom(const MacroAreaPlan& plan, uint16_t from) {
  std::vector<MemoryBlock> out;
  for (const MacroAreaStep& step : plan.steps) {
    if (step.kind == MacroAreaStep::Kind::Write && step.block.address >= from) out.push_back(step.block);
  }
  return out;
}

const MemoryBlock* writeAt(const MacroAreaPlan& plan, uint16_t address) {
  for (const MacroAreaStep& step : plan.steps) {
    if (step.kind == MacroAreaStep::Kind::Write && step.block.address == address) return &step.block;
  }
  return nullptr;
}

uint16_t dataAddressOf(const MemoryBlock& entry) {
  return static_cast<uint16_t>(entry.bytes[5] | (entry.bytes[6] & 0x3F) << 8);
}

MacroRecord keyMacro(int events, uint8_t playMode = play::kRepeat) {
  MacroRecord m = macroWithMode(playMode, 1);
  for (int i = 0; i < events; ++i) addEvent(m, i % 2 ? type::kRelease : type::kPress, kKeyA, 10);
  return m;
}

TEST(MacroAreaTest, TwoButtonsWithOneUserMacroShareItsDataWrittenOnce) {
  Area a;
  a.macros.groups = {{keyMacro(2), keyMacro(20)}};
  a.s.buttonFunction[0][2] = 0x101;
  a.s.buttonFunction[0][4] = 25;  // multimedia: an entry, no data
  a.s.buttonFunction[2][1] = 0x101;
  const MacroAreaPlan plan = a.plan();
  ASSERT_EQ(plan.outcome, MacroAreaOutcome::Completed);
  const MemoryBlock* first = writeAt(plan, 0x80 + 8 * 2);
  const MemoryBlock* media = writeAt(plan, 0x80 + 8 * 4);
  const MemoryBlock* second = writeAt(plan, 0x80 + 8 * (14 * 2 + 1));
  ASSERT_TRUE(first && media && second);
  EXPECT_EQ(dataAddressOf(*first), 0x240);
  EXPECT_EQ(dataAddressOf(*second), 0x240);
  const uint32_t size = macroLayout(keyMacro(20), true).blockSize;
  EXPECT_EQ(dataAddressOf(*media), 0x240 + size) << "a multimedia key takes no space";
  EXPECT_EQ(writesFrom(plan, kMacroDataAddress).size(), size / 8) << "the shared data is written once";
  EXPECT_EQ(plan.dataEnd, 0x240 + size);
  // Directory entries come first, in key order.
  EXPECT_EQ(plan.steps[0].block.address, 0x90);
  EXPECT_EQ(plan.steps[1].block.address, 0xA0);
  EXPECT_EQ(plan.steps[2].block.address, 0x168);
}

TEST(MacroAreaTest, BuiltInMacrosAreWrittenAgainForEveryKey) {
  Area a;
  a.macros.builtIns[3] = keyMacro(4);
  a.s.buttonFunction[0][1] = 35;
  a.s.buttonFunction[3][1] = 35;
  const MacroAreaPlan plan = a.plan();
  const std::vector<MemoryBlock> data = writesFrom(plan, kMacroDataAddress);
  ASSERT_EQ(data.size(), 4u);  // two keys, 16 bytes each
  EXPECT_EQ(data[0], data[2]);
  EXPECT_EQ(data[0].address, 0x240);
  EXPECT_EQ(data[1].address, 0x248);
  EXPECT_EQ(dataAddressOf(*writeAt(plan, 0x80 + 8 * (14 * 3 + 1))), 0x240);
}

TEST(MacroAreaTest, DataBlocksAreEightBytesLaidOutInOrderOfFirstUse) {
  Area a;
  a.macros.groups = {{keyMacro(2), keyMacro(40)}};
  a.s.buttonFunction[0][0] = 0x101;  // 40 events: stream 2 + 80 -> 88 bytes
  a.s.buttonFunction[0][5] = 0x100;
  const MacroAreaPlan plan = a.plan();
  const std::vector<MemoryBlock> data = writesFrom(plan, kMacroDataAddress);
  ASSERT_EQ(data.size(), 11u + 1u);
  for (std::size_t i = 0; i < data.size(); ++i) {
    EXPECT_EQ(data[i].address, 0x240 + 8 * i);
    EXPECT_EQ(data[i].bytes.size(), 8u);
  }
  EXPECT_EQ(dataAddressOf(*writeAt(plan, 0x80 + 8 * 5)), 0x240 + 88);
  EXPECT_EQ(plan.correction[0], (CorrectionPlace{true, 0x101, 0x240, 88}));
  EXPECT_FALSE(plan.correction[2].placed);
}

TEST(MacroAreaTest, OverflowStopsBeforeTheFirstBlockAtTheMemorySize) {
  Area a;
  a.macros.groups = {std::vector<MacroRecord>(6, keyMacro(150))};
  for (int g = 0; g < 6; ++g) a.macros.groups[0][g].eventDelay[0] = static_cast<uint16_t>(g);  // distinct
  for (int b = 0; b < 6; ++b) a.s.buttonFunction[b < 3 ? 0 : 2][b % 3] = 0x100 + b;
  const MacroAreaPlan plan = a.plan();
  EXPECT_EQ(plan.outcome, MacroAreaOutcome::Overflow);
  ASSERT_FALSE(plan.steps.empty());
  EXPECT_EQ(plan.steps.back().kind, MacroAreaStep::Kind::Message);
  EXPECT_EQ(plan.steps.back().message, "宏存储过多，请减少宏定义按键个数！");
  const std::vector<MemoryBlock> data = writesFrom(plan, kMacroDataAddress);
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(data.back().address, kSmallMacroMemory - 8);
  for (const MacroAreaStep& step : plan.steps) {
    if (step.kind == MacroAreaStep::Kind::Write) {
      EXPECT_LT(step.block.address, kSmallMacroMemory);
    }
  }
  // The same record fits a mouse with the larger memory.
  const ButtonTranslation t = prepareUpload(a.s, a.macros);
  EXPECT_EQ(planMacroArea(a.s, t, a.macros, kLargeMacroMemory).outcome, MacroAreaOutcome::Completed);
}

TEST(MacroAreaTest, EncodingErrorsAreShownBeforeTheMacroIsSent) {
  Area a;
  MacroRecord led = macroWithLed(type::kLed0);
  led.ledCount = 0;
  a.macros.groups = {{led}};
  a.s.buttonFunction[0][3] = 0x100;
  const MacroAreaPlan plan = a.plan();
  EXPECT_EQ(plan.outcome, MacroAreaOutcome::Completed);
  ASSERT_EQ(plan.steps.size(), 3u);  // directory entry, message, one data block
  EXPECT_EQ(plan.steps[1].kind, MacroAreaStep::Kind::Message);
  EXPECT_EQ(plan.steps[1].message, "Error!");
  EXPECT_EQ(plan.steps[2].block.address, 0x240);
}

TEST(MacroAreaTest, AnLedProgramBeyond0x4001StopsTheAreaAfterAnError) {
  Area a;
  MacroRecord slow = macroWithMode(play::kRepeat, 1);
  for (int i = 0; i < kMacroEvents; ++i) addEvent(slow, type::kPress, kKeyA, 10000);  // 4824 bytes each
  a.macros.groups = {{slow, slow, slow, slow, macroWithLed(type::kLed0)}};
  a.s.buttonFunction[0] = {0x100, 0x101, 0x102, 0x103, 0x104, 0};
  const ButtonTranslation t = prepareUpload(a.s, a.macros);
  const MacroAreaPlan plan = planMacroArea(a.s, t, a.macros, 0x10000);
  EXPECT_EQ(plan.outcome, MacroAreaOutcome::EncodingError);
  ASSERT_FALSE(plan.steps.empty());
  EXPECT_EQ(plan.steps.back().message, "Error!");
  const uint32_t ledMacro = kMacroDataAddress + 4 * macroLayout(slow, true).blockSize;
  ASSERT_GT(ledMacro, 0x4000u);
  EXPECT_NE(writeAt(plan, static_cast<uint16_t>(ledMacro - 8)), nullptr) << "the macros before it are sent";
  EXPECT_EQ(writeAt(plan, static_cast<uint16_t>(ledMacro)), nullptr) << "nothing of that macro is sent";
  EXPECT_FALSE(plan.correction[0].placed);
}

// ---- Ballistic step ----

MacroRecord ballisticMacro(uint16_t b) {
  MacroRecord m = macroWithMode(play::kRepeat, 2);
  addEvent(m, type::kMoveRightDown, code::kMove, 5, 2, b);
  addEvent(m, type::kLed0, code::kLed, 10, 0);
  addEvent(m, type::kPress, kKeyA, 2000);
  return m;
}

TEST(CorrectionTest, EncodesTheSteppedMacroExactlyAsTheUploadDoes) {
  MacroRecord m = ballisticMacro(29);
  m.ledPrograms[0].bytes = freshLedProgram().bytes;
  const MacroLayout layout = macroLayout(m, true);
  const std::optional<Bytes> bytes = encodeCorrection(m, 1, 0x2F8, layout.blockSize);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(m.eventParamB[0], 30);
  EXPECT_EQ(*bytes, encodeMacro(m, true, 0x2F8, layout.blockSize).bytes);
  // Play count, the move with its new amount, the LED event pointing at its program, the press
  // (the last event: one unit), and the LED program after the 16-byte stream.
  EXPECT_EQ(head(*bytes, 16),
            (Bytes{0x02, 0x00, 0x01, 0xF6, 0x02, 0x00, 30, 0x00, 0x01, 0xF9, 0x08, 0x03, 0x81, kKeyA, 0x00, 0x00}));
  EXPECT_EQ((*bytes)[layout.streamSize], 0x00) << "one step, sent as count - 1";
}

TEST(CorrectionTest, AMacroThatChangedSizeSinceTheUploadIsNotSent) {
  MacroRecord m = ballisticMacro(3);
  const uint32_t placed = macroLayout(m, true).blockSize;
  addEvent(m, type::kRelease, kKeyA, 0);
  EXPECT_FALSE(encodeCorrection(m, 1, kMacroDataAddress, placed).has_value());
}

struct StepCase {
  uint16_t start;
  int direction;
  int steps;
  uint16_t end;
};

class CorrectionStepLimitTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(CorrectionStepLimitTest, AmountStopsAtItsLimits) {
  const StepCase c = GetParam();
  MacroRecord m = ballisticMacro(c.start);
  addEvent(m, type::kMoveLeftUp, code::kMove, 5, 1, c.start);
  for (int i = 0; i < c.steps; ++i) stepMoveAmounts(m, c.direction);
  EXPECT_EQ(m.eventParamB[0], c.end);
  EXPECT_EQ(m.eventParamB[3], c.end) << "every move steps";
  EXPECT_EQ(m.eventParamA[0], 2) << "only the vertical amount";
}

INSTANTIATE_TEST_SUITE_P(Limits, CorrectionStepLimitTest,
                         ::testing::Values(StepCase{27, 1, 5, 30}, StepCase{2, 0, 5, 0}, StepCase{40, 1, 1, 40},
                                           StepCase{40, 0, 1, 39}, StepCase{0, 1, 1, 1}));

}  // namespace
}  // namespace tarvosk
