// The whole apply against the simulated mouse: the report stream, the memory it leaves, what is
// saved, and what happens when the macros do not fit or the mouse stops answering.

#include "device/settings_upload.h"

#include <gtest/gtest.h>

#include "../device/recording_pauser.h"
#include "device/device_status.h"
#include "device/pointer_settings.h"
#include "device/report_channel.h"
#include "device/settings_store.h"
#include "device/simulated_mouse.h"
#include "fake_macro_source.h"
#include "replace_fault.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using test::addEvent;
using test::FakeMacroSource;
using test::macroWithMode;
using Bytes = std::vector<uint8_t>;

class RecordingPointerSettings : public PointerSettings {
 public:
  std::optional<int> pointerSpeed() override { return readable ? std::optional<int>(10) : std::nullopt; }
  bool setPointerSpeed(int speed) override {
    setSpeeds.push_back(speed);
    return true;
  }
  std::optional<int> wheelScrollLines() override { return readable ? std::optional<int>(3) : std::nullopt; }
  bool setWheelScrollLines(int lines) override {
    setLines.push_back(lines);
    return true;
  }
  bool readable = true;
  std::vector<int> setSpeeds;
  std::vector<int> setLines;
};

MacroRecord keyMacro(int events) {
  MacroRecord m = macroWithMode(play::kRepeat, 1);
  for (int i = 0; i < events; ++i) addEvent(m, i % 2 ? type::kRelease : type::kPress, 0x04, 10);
  return m;
}

struct UploadFixture : ::testing::Test {
  explicit UploadFixture(SimulatedMouseDescription description = {}) : mouse(description) {}

  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  SimulatedMouse mouse;
  test::RecordingPauser pauser;
  ReportChannel channel{pauser};
  SettingsStore store;
  FakeMacroSource macros;
  RecordingPointerSettings pointer;
  test::RecordingPrompter prompter;
  UploadState state;
  int repaints = 0;
  UploadContext context{store, channel,          macros, pointer, prompter,
                        state, paths.configFile, 0x0A,   {},      [this] { ++repaints; }};

  void SetUp() override {
    ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8));
    SettingsRecord& s = store.record;
    s.buttonFunction[0] = {1, 2, 3, 4, 5, 6};
    s.dpiEnabled = {1, 1, 0, 1};
    s.dpiLevel = 1;
    s.cycleColorEnable[0] = 1;
    s.pointerSpeed = 4;
    s.wheelSpeed = 3;
  }

  SettingsRecord savedRecord() {
    SettingsRecord r;
    for (int slot = 0; slot < kProfileSlots; ++slot) {
      EXPECT_TRUE(loadSlot(r, paths, slot, ConfigSource::Current, prompter));
    }
    return r;
  }

  Bytes memory(uint16_t from, std::size_t n) {
    Bytes out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(mouse.memoryAt(static_cast<uint16_t>(from + i)));
    return out;
  }

  // Staging reports (byte 2 = 0x03) for the block at `address`.
  int stagingReportsAt(uint16_t address) {
    int n = 0;
    for (const Bytes& r : mouse.sentFeatureReports()) {
      if (r[1] == 0x18 && r[2] == 0x03 && (r[4] | r[5] << 8) == address) ++n;
    }
    return n;
  }
};

TEST_F(UploadFixture, WritesTheImageThenEndsItWithTheDpiCommandAndTheCloses) {
  store.record.currentProfile = 2;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_TRUE(prompter.messages.empty());

  const auto received = mouse.received();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front().kind, ReceivedReport::Kind::GetFeature) << "the status query comes first";
  const auto sent = mouse.sentFeatureReports();
  ASSERT_EQ(sent.size(), 4u + 10u * 15u + 3u);
  EXPECT_EQ(sent[0], (Bytes{7, 0x18, 0x03, 0x00, 0x01, 0x00, 0x42, 0x01}));
  EXPECT_EQ(sent[sent.size() - 3], (Bytes{7, 0x49, 0x01, 0x41, 0x0B, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[sent.size() - 2], (Bytes{7, 0x18, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(sent[sent.size() - 1], (Bytes{7, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  // 16 blocks of (4, 2), then 2 after the DPI command and 2 after the end of the image.
  std::vector<int> pauses;
  for (int i = 0; i < 16; ++i) pauses.insert(pauses.end(), {4, 2});
  pauses.insert(pauses.end(), {2, 2});
  EXPECT_EQ(pauser.pauses(), pauses);

  SettingsRecord s = store.record;
  const SettingsImage image = buildSettingsImage(s, prepareUpload(s, macros), 0x0A, 0);
  for (int a = 0; a < 0x80; ++a) {
    EXPECT_EQ(mouse.memoryAt(static_cast<uint16_t>(a)), SettingsImage::written(a) ? image.bytes[a] : 0) << a;
  }
  EXPECT_EQ(mouse.memoryAt(0x01), 0x42);
  EXPECT_EQ(mouse.memoryAt(0x3A) & 0x0F, 0x0A) << "the status nibble from start-up";
  EXPECT_EQ(mouse.imagesEnded(), 1);
  EXPECT_EQ(mouse.dpiLevel(), 1);
  EXPECT_EQ(mouse.dpiEnableMask(), 0x0B);
  EXPECT_EQ(mouse.protocolViolations(), 0);
  EXPECT_EQ(repaints, 1);
}

TEST_F(UploadFixture, SavesEverySlotWithSlotOneClearedAndSetsThePointerSpeeds) {
  store.record.buttonFunction[1] = {1, 19, 25, 18, 7, 0x100};
  store.record.currentProfile = 3;
  store.record.cycleColorEnable = {1, 1, 0, 0, 0, 1, 0};
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  const SettingsRecord saved = savedRecord();
  for (int b = 0; b < kButtons; ++b) {
    EXPECT_EQ(store.record.buttonFunction[1][b], 0);
    EXPECT_EQ(saved.buttonFunction[1][b], 0);
  }
  EXPECT_EQ(memory(0x44, 6), Bytes(6, 0));
  EXPECT_EQ(saved.buttonFunction[0], store.record.buttonFunction[0]);
  EXPECT_EQ(saved.cycleColorMask, 0b0100011);
  SettingsRecord startup;
  ASSERT_TRUE(loadAtStartup(startup, paths, prompter));
  EXPECT_EQ(startup.currentProfile, 3) << "CurConfig";
  EXPECT_EQ(pointer.setSpeeds, std::vector<int>{8});
  EXPECT_EQ(pointer.setLines, std::vector<int>{4});
}

TEST_F(UploadFixture, SpeedsAreLeftAloneWhereTheDesktopCannotReadThem) {
  pointer.readable = false;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_TRUE(pointer.setSpeeds.empty());
  EXPECT_TRUE(pointer.setLines.empty());
  UnsupportedPointerSettings unsupported;
  EXPECT_FALSE(applyPointerSpeeds(store.record, unsupported).pointerSpeed);
}

TEST_F(UploadFixture, HostFlagsArePublishedForThePollThread) {
  store.record.buttonFunction[2] = {18, 20, 15, 0, 0, 0};
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_TRUE(store.hostFlags.hostFunction[2][0]);
  EXPECT_TRUE(store.hostFlags.profileSwitch[2][1]);
  EXPECT_TRUE(store.hostFlags.dpiFunction[2][2]);
  EXPECT_EQ(mouse.memoryAt(0x50), 0x00);
  EXPECT_EQ(mouse.memoryAt(0x51), 25);
  EXPECT_EQ(mouse.memoryAt(0x52), 11);
}

TEST_F(UploadFixture, UserMacroOfAGroupThatNoLongerExistsIsRemovedFromButtonAndFile) {
  macros.groups = {{keyMacro(2)}};
  store.record.buttonFunction[2][3] = 0x300;
  store.record.buttonFunction[3][4] = 0x100;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_EQ(store.record.buttonFunction[2][3], 0);
  const SettingsRecord saved = savedRecord();
  EXPECT_EQ(saved.buttonFunction[2][3], 0);
  EXPECT_EQ(saved.buttonFunction[3][4], 0x100);
  EXPECT_EQ(macros.refreshes, 1);
}

TEST_F(UploadFixture, TwoButtonsWithOneUserMacroShareItsDataWrittenOnce) {
  macros.groups = {{keyMacro(2)}};
  store.record.buttonFunction[0][2] = 0x100;
  store.record.buttonFunction[2][1] = 0x100;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  const Bytes first = memory(0x80 + 8 * 2, 8);
  const Bytes second = memory(0x80 + 8 * (14 * 2 + 1), 8);
  EXPECT_EQ(first, (Bytes{9, 2, 0xFF, 0, 0, 0x40, 0x02, 0}));
  EXPECT_EQ(second, first);
  EXPECT_EQ(stagingReportsAt(0x240), 8) << "one block of 8 bytes, sent once";
  EXPECT_EQ(memory(0x240, 8), (Bytes{1, 0, 0x81, 0x04, 0x01, 0x04, 0, 0}));
  EXPECT_EQ(mouse.protocolViolations(), 0);
}

TEST_F(UploadFixture, MultimediaKeyGetsItsDirectoryEntry) {
  store.record.buttonFunction[0][4] = 25;  // Volume Increment
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_EQ(memory(0x80 + 8 * 4, 8), (Bytes{9, 0, 0xFF, 0xE9, 0x00, 0x40, 0x02, 0}));
  EXPECT_EQ(mouse.memoryAt(0x0C), 15);
}

TEST_F(UploadFixture, LedTypeNineSendsTheModeOfThePreviousUpload) {
  store.record.ledType = 2;
  store.record.ledCycleTime = 4;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_EQ(mouse.memoryAt(0x1C), 0x24);
  store.record.ledType = 9;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_EQ(mouse.memoryAt(0x1C), 0x27);
}

MacroRecord bigMacro(uint16_t firstDelay) {
  MacroRecord m = keyMacro(150);
  m.eventDelay[0] = firstDelay;
  return m;
}

TEST_F(UploadFixture, OverflowStopsTheUploadBeforeTheDpiCommandAndSavesNothing) {
  macros.groups = {{bigMacro(1), bigMacro(2), bigMacro(3), bigMacro(4), bigMacro(5), bigMacro(6)}};
  store.record.buttonFunction[0] = {1, 0x100, 0x101, 0x102, 0x103, 0x104};
  store.record.buttonFunction[2][0] = 0x105;
  store.record.buttonFunction[1] = {7, 7, 7, 7, 7, 7};
  EXPECT_EQ(uploadSettings(context), UploadResult::MacroAreaAborted);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{"宏存储过多，请减少宏定义按键个数！"});
  EXPECT_EQ(mouse.imagesEnded(), 0);
  EXPECT_FALSE(mouse.dpiLevel().has_value());
  for (const Bytes& r : mouse.sentFeatureReports()) {
    EXPECT_FALSE(r[1] == 0x18 && r[2] == 0x03 && (r[4] | r[5] << 8) >= kSmallMacroMemory);
  }
  EXPECT_EQ(mouse.memoryAt(0x01), 0x02) << "the image itself was written";
  EXPECT_TRUE(pointer.setSpeeds.empty());
  const SettingsRecord saved = savedRecord();
  EXPECT_NE(saved.buttonFunction[0][1], 0x100) << "no slot was saved";
  EXPECT_EQ(repaints, 0);
}

struct LargeMemoryFixture : UploadFixture {
  LargeMemoryFixture() : UploadFixture(SimulatedMouseDescription{.macroMemory = 4088}) {}
};

TEST_F(LargeMemoryFixture, TheStatusReplyDecidesTheMacroMemorySize) {
  macros.groups = {{bigMacro(1), bigMacro(2), bigMacro(3), bigMacro(4), bigMacro(5), bigMacro(6)}};
  store.record.buttonFunction[0] = {1, 0x100, 0x101, 0x102, 0x103, 0x104};
  store.record.buttonFunction[2][0] = 0x105;
  EXPECT_EQ(uploadSettings(context), UploadResult::Completed);
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_GT(stagingReportsAt(2040), 0);
}

// ---- The mouse stops answering ----

struct FailureCase {
  const char* name;
  int reportsBeforeFailure;  // feature reports (sets and gets) the mouse still takes
};

class UnpluggedTest : public UploadFixture, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(UnpluggedTest, SendingStopsSettingsAreSavedAndTheUserIsTold) {
  macros.groups = {{keyMacro(40)}};
  store.record.buttonFunction[0][3] = 0x100;
  store.record.buttonFunction[3] = {2, 3, 0, 0, 0, 0};
  store.record.currentProfile = 3;
  mouse.failFrom(GetParam().reportsBeforeFailure);

  EXPECT_EQ(uploadSettings(context), UploadResult::MouseFailed);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kMouseDidNotTakeSettingsMessage)});
  // Exactly one report failed and nothing was sent after it.
  EXPECT_EQ(mouse.received().size(), static_cast<std::size_t>(GetParam().reportsBeforeFailure) + 1);
  EXPECT_EQ(mouse.imagesEnded(), 0);
  EXPECT_FALSE(state.correction[0].placed);
  const SettingsRecord saved = savedRecord();
  EXPECT_EQ(saved.buttonFunction[0][3], 0x100);
  EXPECT_EQ(saved.buttonFunction[3][1], 3);
  SettingsRecord startup;
  ASSERT_TRUE(loadAtStartup(startup, paths, prompter));
  EXPECT_EQ(startup.currentProfile, 3);
  EXPECT_EQ(pointer.setSpeeds, std::vector<int>{8}) << "the desktop settings do not depend on the mouse";
}

INSTANTIATE_TEST_SUITE_P(
    Moments, UnpluggedTest,
    ::testing::Values(FailureCase{"atTheStatusQuery", 0}, FailureCase{"insideTheFirstBlock", 3},
                      FailureCase{"inTheImage", 57}, FailureCase{"inTheMacroArea", 175},
                      // 1 status query, 155 image reports (2 + 15 blocks of 8), 10 for the directory entry and
                      // 110 for the macro's 88 bytes: the DPI command is report 276.
                      FailureCase{"atTheDpiCommand", 1 + 154 + 10 + 110},
                      FailureCase{"atTheEndOfTheImage", 1 + 154 + 10 + 110 + 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UploadFixture, SaveFailureIsReportedAfterTheMouseTookEverything) {
  // A folder where the configuration file should be: nothing can be written there.
  std::filesystem::remove(paths.configFile);
  std::filesystem::create_directory(paths.configFile);
  EXPECT_EQ(uploadSettings(context), UploadResult::SaveFailed);
  EXPECT_EQ(mouse.imagesEnded(), 1);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kSettingsNotSavedMessage)});
}

// A read-only or full configuration folder during an apply: the mouse takes everything, the
// user is told once, config.ini keeps its old bytes and no temporary file is left.
TEST_F(UploadFixture, AReadOnlyOrFullFolderKeepsTheOldConfigurationByteForByte) {
  const ReplaceFault faults[] = {test::readOnlyFolder(), test::diskFull(0), test::diskFull(200)};
  const std::string before = test::readFile(paths.configFile);
  const auto entries = test::folderEntries(paths.configFolder);
  for (const ReplaceFault& fault : faults) {
    SCOPED_TRACE(fault.bytesBeforeFull);
    prompter.messages.clear();
    const int ended = mouse.imagesEnded();
    store.record.currentProfile = 2;
    UploadResult result;
    {
      test::ScopedReplaceFault inForce(fault);
      result = uploadSettings(context);
    }
    EXPECT_EQ(result, UploadResult::SaveFailed);
    EXPECT_EQ(mouse.imagesEnded(), ended + 1);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kSettingsNotSavedMessage)});
    EXPECT_EQ(test::readFile(paths.configFile), before);
    EXPECT_EQ(test::folderEntries(paths.configFolder), entries);
  }
}

// The disk fills after the first of the apply's saves: each save is whole, so the file holds the
// new current profile and the slots as they were, and still reads at start-up.
TEST_F(UploadFixture, ADiskThatFillsMidwayLeavesAWholeFile) {
  SettingsRecord old;
  ASSERT_TRUE(loadAtStartup(old, paths, prompter));
  const auto entries = test::folderEntries(paths.configFolder);
  store.record.currentProfile = 3;
  {
    test::ScopedReplaceFault inForce(test::diskFull(10, 1));
    EXPECT_EQ(uploadSettings(context), UploadResult::SaveFailed);
  }
  SettingsRecord after;
  ASSERT_TRUE(loadAtStartup(after, paths, prompter));
  EXPECT_EQ(after.currentProfile, 3);
  EXPECT_EQ(after.buttonFunction, old.buttonFunction);
  EXPECT_EQ(test::folderEntries(paths.configFolder), entries);
}

TEST_F(UploadFixture, AnEditedMacroThatCouldNotBeSavedIsToldButTheUploadGoesOn) {
  macros.refreshSucceeds = false;
  EXPECT_EQ(uploadSettings(context), UploadResult::SaveFailed);
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kMacroNotSavedMessage)});
  EXPECT_EQ(mouse.imagesEnded(), 1);
}

// ---- The ballistic step ----

MacroRecord recoilMacro(uint16_t b) {
  MacroRecord m = macroWithMode(play::kRepeat, 5);
  addEvent(m, type::kMoveRightDown, code::kMove, 20, 1, b);
  addEvent(m, type::kPress, 0x04, 30);
  addEvent(m, type::kRelease, 0x04, 0);
  return m;
}

struct BallisticFixture : UploadFixture {
  void SetUp() override {
    UploadFixture::SetUp();
    macros.groups = {{keyMacro(2), recoilMacro(28)}};
    store.record.buttonFunction[0][0] = 0x101;
    store.record.usbRate = 0;  // 8 ms between reports: the step keeps the macro's own timing
    ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
    ASSERT_TRUE(state.correction[0].placed);
    mouse.clearReceived();
  }
  bool step(int direction) { return correctionStep(direction, store, channel, macros, state.correction); }
};

TEST_F(BallisticFixture, StepRewritesTheMacroInPlaceAndInItsFile) {
  ASSERT_EQ(memory(0x240, 16), (Bytes{5, 0, 2, 0xF6, 1, 0, 28, 0, 3 | 0x80, 0x04, 1, 0x04, 0, 0, 0, 0}));
  ASSERT_TRUE(step(1));
  EXPECT_EQ(memory(0x240, 16), (Bytes{5, 0, 2, 0xF6, 1, 0, 29, 0, 3 | 0x80, 0x04, 1, 0x04, 0, 0, 0, 0}));
  EXPECT_EQ(mouse.sentFeatureReports().size(), 2u * 10u) << "two blocks, nothing else";
  EXPECT_EQ(macros.groups[0][1].eventParamB[0], 29);
  EXPECT_EQ(macros.writes, (std::vector<std::pair<int, int>>{{0, 1}}));
  EXPECT_EQ(mouse.protocolViolations(), 0);
}

TEST_F(BallisticFixture, StepsUpStopAt30AndStepsDownAt0) {
  for (int i = 0; i < 5; ++i) step(1);
  EXPECT_EQ(macros.groups[0][1].eventParamB[0], 30);
  EXPECT_EQ(mouse.memoryAt(0x246), 30);
  for (int i = 0; i < 40; ++i) step(0);
  EXPECT_EQ(macros.groups[0][1].eventParamB[0], 0);
  EXPECT_EQ(mouse.memoryAt(0x246), 0);
}

TEST_F(BallisticFixture, NothingHappensForAMacroTheLastUploadDidNotPlaceThere) {
  store.record.currentProfile = 2;  // the mouse switched to a profile without a macro on key 0
  EXPECT_FALSE(step(1));
  store.record.currentProfile = 0;
  store.record.buttonFunction[0][0] = 0x100;  // changed in the window, not applied yet
  EXPECT_FALSE(step(1));
  store.record.currentProfile = 9;
  EXPECT_FALSE(step(1));
  EXPECT_TRUE(mouse.received().empty());
  EXPECT_TRUE(macros.writes.empty());
}

TEST_F(UploadFixture, TheStepRewritesTheMacroOnTheCurrentSlotsFirstButton) {
  // Slot 0 and slot 3 carry different user macros on their first button; the mouse is on slot 3.
  macros.groups = {{keyMacro(2), recoilMacro(28)}};
  store.record.buttonFunction[0][0] = 0x100;
  store.record.buttonFunction[3][0] = 0x101;
  store.record.currentProfile = 3;
  ASSERT_EQ(uploadSettings(context), UploadResult::Completed);
  ASSERT_TRUE(state.correction[0].placed);
  ASSERT_TRUE(state.correction[3].placed);
  const uint16_t slot3At = state.correction[3].dataAddress;
  ASSERT_NE(slot3At, state.correction[0].dataAddress);
  ASSERT_EQ(mouse.memoryAt(static_cast<uint16_t>(slot3At + 6)), 28);
  const Bytes slot0Before = memory(state.correction[0].dataAddress, state.correction[0].blockSize);

  ASSERT_TRUE(correctionStep(1, store, channel, macros, state.correction));
  EXPECT_EQ(mouse.memoryAt(static_cast<uint16_t>(slot3At + 6)), 29);
  EXPECT_EQ(memory(state.correction[0].dataAddress, state.correction[0].blockSize), slot0Before);
  EXPECT_EQ(macros.groups[0][1].eventParamB[0], 29);
  EXPECT_EQ(macros.writes, (std::vector<std::pair<int, int>>{{0, 1}}));
}

TEST_F(BallisticFixture, AStepTheMouseDidNotTakeIsNotSaved) {
  mouse.failFrom(3);
  EXPECT_FALSE(step(1));
  EXPECT_EQ(macros.groups[0][1].eventParamB[0], 28);
  EXPECT_TRUE(macros.writes.empty());
}

}  // namespace
}  // namespace tarvosk
