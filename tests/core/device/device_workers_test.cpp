// The listener and poll threads against the simulated mouse and a configuration file of their own.

#include "device/device_workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "device/simulated_mouse.h"
#include "platform/profile_file.h"
#include "recording_pauser.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace tarvosk {
namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

struct WorkersFixture : ::testing::Test {
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  SimulatedMouse mouse;
  test::RecordingPauser pauser;
  ReportChannel channel{pauser};
  SettingsStore store;
  test::RecordingPrompter prompter;
  std::atomic<int> repaints{0};
  std::mutex stepsMutex;
  std::vector<int> steps;
  uint64_t reports = 0;
  std::unique_ptr<DeviceWorkers> workers;  // last: goes first, before what its threads use

  void SetUp() override {
    ASSERT_TRUE(loadAtStartup(store.record, paths, prompter));
    ASSERT_TRUE(channel.open(mouse.open("sim:mouse"), 8));
    workers =
        std::make_unique<DeviceWorkers>(DeviceWorkerContext{channel, store, paths, prompter, [this] { ++repaints; },
                                                            [this](int direction) {
                                                              const std::lock_guard lock(stepsMutex);
                                                              steps.push_back(direction);
                                                            }});
    workers->setInput(mouse.open("sim:mouse"), 8);
    workers->start();
  }
  void TearDown() override { workers->stop(); }

  // Waits until the threads have dealt with `count` more input reports.
  void settle(int count) {
    reports += static_cast<uint64_t>(count);
    ASSERT_TRUE(workers->waitUntilHandled(reports, 10s));
  }
  // The feature reports the mouse got whose command byte is `command`.
  std::vector<Bytes> reportsWith(uint8_t command) {
    std::vector<Bytes> out;
    for (const Bytes& r : mouse.sentFeatureReports()) {
      if (r[1] == command) out.push_back(r);
    }
    return out;
  }
  int fileValue(std::string_view section, std::string_view key) {
    const auto doc = IniDocument::load(paths.configFile);
    EXPECT_TRUE(doc);
    return std::stoi(doc->value(section, key).value_or("-1"));
  }
};

TEST_F(WorkersFixture, AHostFunctionButtonIsToldToTheMouseOnPressAndOnRelease) {
  {
    auto lock = store.lock();
    store.record.currentProfile = 0;
    store.record.buttonFunction[0][2] = kFunctionHost;
    store.hostFlags.hostFunction[0][2] = true;
  }
  mouse.pressButton(3);
  settle(1);
  EXPECT_TRUE(mouse.hostFunctionActive());
  mouse.releaseButton(3);
  settle(1);
  EXPECT_FALSE(mouse.hostFunctionActive());
  EXPECT_EQ(reportsWith(0x11), (std::vector<Bytes>{{7, 0x11, 0x02, 0, 0, 0, 0, 0}, {7, 0x11, 0x00, 0, 0, 0, 0, 0}}));
}

TEST_F(WorkersFixture, AButtonWithoutTheHostFunctionSendsNothing) {
  {
    auto lock = store.lock();
    store.hostFlags.hostFunction[0][2] = true;
  }
  mouse.pressButton(1);
  mouse.releaseButton(1);
  settle(2);
  EXPECT_TRUE(mouse.sentFeatureReports().empty());
  // The flags wait for the listener to change them.
  EXPECT_TRUE(workers->flags().releasePending);
}

TEST_F(WorkersFixture, VolumeIncrementPlaysItsUsageKeepingBytesFourToSeven) {
  ASSERT_TRUE(channel.sendFeature({0x49, 0x01, 0x41, 0x0F, 0x00, 0x00, 0x00}));
  {
    auto lock = store.lock();
    store.record.currentProfile = 0;
    store.record.buttonFunction[0][1] = 25;
  }
  mouse.pressButton(2);
  settle(1);
  EXPECT_EQ(reportsWith(0x17), (std::vector<Bytes>{{7, 0x17, 0x00, 0xE9, 0x0F, 0x00, 0x00, 0x00}}));
  EXPECT_EQ(mouse.consumerUsagesPlayed(), (std::vector<uint16_t>{0x00E9}));
}

TEST_F(WorkersFixture, AProfileSwitchPressReloadsTheReportedSlotAndPlaysFromIt) {
  // In the file, slot 2's first button plays AC Home.
  {
    SettingsRecord onDisk = store.record;
    onDisk.buttonFunction[2][0] = 22;
    ASSERT_TRUE(saveSlot(onDisk, paths.configFile, 2));
  }
  // On the mouse, slot 0's first key switches to slot 2 (device code 25).
  ASSERT_TRUE(channel.writeBlock(0x08, Bytes{25}));
  mouse.clearReceived();
  {
    auto lock = store.lock();
    store.record.currentProfile = 0;
    store.record.buttonFunction[0][0] = 20;
    store.record.buttonFunction[2][0] = 1;  // what memory held before the reload
    store.hostFlags.profileSwitch[0][0] = true;
  }
  mouse.pressButton(1);
  settle(1);
  {
    auto lock = store.lock();
    EXPECT_EQ(store.record.currentProfile, 2);
    EXPECT_EQ(store.record.buttonFunction[2][0], 22);
  }
  EXPECT_EQ(fileValue("Init", "CurConfig"), 2);
  EXPECT_GE(repaints.load(), 1);
  EXPECT_EQ(mouse.consumerUsagesPlayed(), (std::vector<uint16_t>{0x0223}));
  const auto received = mouse.received();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].kind, ReceivedReport::Kind::GetFeature);
}

TEST_F(WorkersFixture, APressWaitingForAHostFunctionIsSentOnceAProfileSwitchMakesItMatch) {
  // Slot 0's first key switches to slot 2, where the same button carries the host function.
  {
    SettingsRecord onDisk = store.record;
    onDisk.buttonFunction[2][0] = kFunctionHost;
    ASSERT_TRUE(saveSlot(onDisk, paths.configFile, 2));
  }
  ASSERT_TRUE(channel.writeBlock(0x08, Bytes{25}));
  mouse.clearReceived();
  {
    auto lock = store.lock();
    store.record.currentProfile = 0;
    store.record.buttonFunction[0][0] = 20;
    store.hostFlags.profileSwitch[0][0] = true;
    store.hostFlags.hostFunction[2][0] = true;
  }
  mouse.pressButton(1);
  settle(1);
  {
    auto lock = store.lock();
    EXPECT_EQ(store.record.currentProfile, 2);
  }
  EXPECT_TRUE(mouse.hostFunctionActive());
  mouse.releaseButton(1);
  settle(1);
  EXPECT_FALSE(mouse.hostFunctionActive());
  EXPECT_EQ(reportsWith(0x11), (std::vector<Bytes>{{7, 0x11, 0x02, 0, 0, 0, 0, 0}, {7, 0x11, 0x00, 0, 0, 0, 0, 0}}));
}

TEST_F(WorkersFixture, APendingPressIsLookedAtAgainAfterTheMouseReportsAnotherProfile) {
  {
    SettingsRecord onDisk = store.record;
    onDisk.buttonFunction[3][1] = kFunctionHost;
    ASSERT_TRUE(saveSlot(onDisk, paths.configFile, 3));
    auto lock = store.lock();
    store.record.currentProfile = 0;
    store.hostFlags.hostFunction[3][1] = true;
  }
  mouse.pressButton(2);
  settle(1);
  EXPECT_TRUE(reportsWith(0x11).empty());
  EXPECT_TRUE(workers->flags().pressPending);
  mouse.changeProfile(3);
  settle(1);
  EXPECT_EQ(reportsWith(0x11), (std::vector<Bytes>{{7, 0x11, 0x02, 0, 0, 0, 0, 0}}));
  EXPECT_FALSE(workers->flags().pressPending);
}

TEST_F(WorkersFixture, APendingReleaseIsLookedAtAgainWhenTheWindowSaysTheTablesChanged) {
  mouse.pressButton(5);
  mouse.releaseButton(5);
  settle(2);
  EXPECT_TRUE(reportsWith(0x11).empty());
  {
    auto lock = store.lock();  // an apply gave the button the host function
    store.hostFlags.hostFunction[0][4] = true;
  }
  workers->settingsChanged();
  ASSERT_TRUE(workers->waitUntilHandled(reports, 10s));
  EXPECT_EQ(reportsWith(0x11), (std::vector<Bytes>{{7, 0x11, 0x00, 0, 0, 0, 0, 0}}));
}

// Which slot's tables the poll thread consults: only the current slot's flags count.
struct SlotFlagsCase {
  const char* name;
  int flaggedSlot;
  bool expectFollowed;
};

class SlotFlags : public WorkersFixture, public ::testing::WithParamInterface<SlotFlagsCase> {};

TEST_P(SlotFlags, HostAndDpiFunctionsAreThoseOfTheCurrentSlot) {
  const SlotFlagsCase& c = GetParam();
  const auto flagged = static_cast<std::size_t>(c.flaggedSlot);
  {
    auto lock = store.lock();
    store.record.currentProfile = 2;
    store.record.dpiLevel = 1;
    store.hostFlags.hostFunction[flagged][2] = true;
    store.hostFlags.dpiFunction[flagged][3] = true;
  }
  mouse.pressButton(3);
  settle(1);
  mouse.releaseButton(3);
  settle(1);
  mouse.pressButton(4, 3);
  settle(1);
  const std::vector<Bytes> told = {{7, 0x11, 0x02, 0, 0, 0, 0, 0}, {7, 0x11, 0x00, 0, 0, 0, 0, 0}};
  EXPECT_EQ(reportsWith(0x11), c.expectFollowed ? told : std::vector<Bytes>{});
  auto lock = store.lock();
  EXPECT_EQ(store.record.dpiLevel, c.expectFollowed ? 3 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, SlotFlags,
                         ::testing::Values(SlotFlagsCase{"flags_in_the_current_slot_2", 2, true},
                                           SlotFlagsCase{"flags_only_in_slot_0", 0, false},
                                           SlotFlagsCase{"flags_only_in_slot_3", 3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WorkersFixture, AProfileReportShowsTheMousesSlotEvenSlotOne) {
  {
    SettingsRecord onDisk = store.record;
    onDisk.buttonFunction[1][4] = 31;
    ASSERT_TRUE(saveSlot(onDisk, paths.configFile, 1));
  }
  mouse.changeProfile(1);
  settle(1);
  {
    auto lock = store.lock();
    EXPECT_EQ(store.record.currentProfile, 1);
    EXPECT_EQ(store.record.buttonFunction[1][4], 31);
  }
  EXPECT_EQ(fileValue("Init", "CurConfig"), 1);
  EXPECT_EQ(repaints.load(), 1);
}

TEST_F(WorkersFixture, AFailedStatusQueryLeavesTheProfileAlone) {
  {
    auto lock = store.lock();
    store.record.currentProfile = 3;
  }
  mouse.failFrom(0);
  mouse.changeProfile(2);
  settle(1);
  auto lock = store.lock();
  EXPECT_EQ(store.record.currentProfile, 3);
  EXPECT_EQ(repaints.load(), 0);
}

TEST_F(WorkersFixture, EveryDpiSwitchOnTheMouseIsFollowedAndSavedDownToTheFirstLevel) {
  {
    auto lock = store.lock();
    store.record.dpiLevel = 1;
    store.hostFlags.dpiFunction[0][3] = true;
  }
  // One report per switch, as a DPI button sends it; the first level arrives as exactly 0x80.
  for (const int level : {2, 3, 0, 1, 0}) {
    mouse.pressButton(4, level);
    settle(1);
    {
      auto lock = store.lock();
      EXPECT_EQ(store.record.dpiLevel, level);
    }
    EXPECT_EQ(fileValue("ShareData", "DPI_LEVEL"), level);
  }
  EXPECT_EQ(repaints.load(), 5);
}

TEST_F(WorkersFixture, ADpiLevelOnAButtonWithoutTheDpiFunctionChangesNothing) {
  {
    auto lock = store.lock();
    store.record.dpiLevel = 1;
  }
  mouse.pressButton(4, 3);
  settle(1);
  auto lock = store.lock();
  EXPECT_EQ(store.record.dpiLevel, 1);
  EXPECT_FALSE(workers->flags().dpiReportPending);
}

TEST_F(WorkersFixture, BallisticReportsRunTheCorrectionStepInTheirDirection) {
  mouse.injectInput({6, 0x00, 0});
  mouse.ballisticStep(true);
  mouse.injectInput({6, 0x20, 0});
  mouse.ballisticStep(false);
  mouse.injectInput({6, 0x05, 0});
  mouse.injectInput({6, 0xF0, 0});  // nothing
  mouse.injectInput({4, 0x01, 0});  // not report 6
  settle(7);
  const std::lock_guard lock(stepsMutex);
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 1, 0, 0}));
}

TEST_F(WorkersFixture, AnIdleListenerSleepsUntilAReportComes) {
  const uint64_t before = workers->listenerWakeups();
  std::this_thread::sleep_for(1s);  // a read timeout would have woken it several times by now
  EXPECT_EQ(workers->listenerWakeups(), before);
  mouse.pressButton(1);
  settle(1);
  EXPECT_EQ(workers->listenerWakeups(), before + 1);
}

TEST_F(WorkersFixture, ANewMouseReachesAListenerBlockedInTheOldOnesRead) {
  SimulatedMouse second({.path = "sim:second"});
  workers->setInput(second.open("sim:second"), 8);
  second.pressButton(2);
  settle(1);
  EXPECT_EQ(workers->flags().lastButton, 0xF2);
  EXPECT_EQ(mouse.pendingInput(), 0u);
}

// The mouse goes away while the listener is blocked in its read: the read fails, the listener
// waits between retries instead of spinning, and the next mouse set in is listened to.
TEST_F(WorkersFixture, AReadThatFailsLeavesTheListenerReadyForTheNextMouse) {
  mouse.pressButton(1);
  settle(1);
  const uint64_t before = workers->listenerWakeups();
  mouse.disconnectInput();
  std::this_thread::sleep_for(500ms);
  // Two wake-ups per 50 ms retry (the failed read, the wait): about 20, with room for a slow
  // machine. A listener spinning on the failure would count thousands.
  EXPECT_LT(workers->listenerWakeups() - before, 60u);
  EXPECT_GT(workers->listenerWakeups(), before) << "the read was not ended by the failure";

  SimulatedMouse second({.path = "sim:second"});
  workers->setInput(second.open("sim:second"), 8);
  second.pressButton(3);
  settle(1);
  EXPECT_EQ(workers->flags().lastButton, 0xF3);
}

// Leaving a mouse that fails every report, with the listener blocked in a failing read: the leave
// command says it was not taken, and the threads still stop.
TEST_F(WorkersFixture, LeavingAFailedMouseReturnsFalseAndTheThreadsStillStop) {
  mouse.failFrom(0);
  mouse.disconnectInput();
  EXPECT_FALSE(sendLeaveCommand(channel));
  EXPECT_FALSE(mouse.leaveReceived());
  workers->stop();  // returns (a hang fails the test by its timeout); TearDown's second stop is harmless
}

TEST(DeviceWorkers, StopEndsThreadsWaitingForAMouseOrForAFailedOne) {
  test::ScratchDir dir;
  Paths paths = test::scratchPaths(dir.path(), true);
  test::RecordingPauser pauser;
  ReportChannel channel(pauser);
  SettingsStore store;
  test::RecordingPrompter prompter;
  {
    DeviceWorkers workers({channel, store, paths, prompter, {}, {}});
    workers.start();
    workers.stop();
  }
  SimulatedMouse mouse;
  DeviceWorkers workers({channel, store, paths, prompter, {}, {}});
  workers.start();
  workers.setInput(mouse.open("sim:mouse"), 8);
  mouse.disconnectInput();  // every read fails from now on
  workers.stop();
  EXPECT_TRUE(mouse.sentFeatureReports().empty());
}

}  // namespace
}  // namespace tarvosk
