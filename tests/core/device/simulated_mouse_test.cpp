// The simulated mouse behaves like the firmware the program talks to.

#include "device/simulated_mouse.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tarvosk {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes report(std::initializer_list<uint8_t> bytes) {
  Bytes r(8, 0);
  r[0] = 7;
  std::copy(bytes.begin(), bytes.end(), r.begin() + 1);
  return r;
}

struct MouseFixture : ::testing::Test {
  SimulatedMouse mouse;
  std::shared_ptr<HidConnection> link = mouse.open("sim:mouse");
  void send(std::initializer_list<uint8_t> bytes) { ASSERT_TRUE(link->setFeature(report(bytes))); }
  Bytes readOne() {
    Bytes r(8, 0xEE);
    EXPECT_EQ(link->readInput(r, 0, nullptr), 8);
    return r;
  }
};

TEST_F(MouseFixture, ListsItsThreeCollectionsOnOnePath) {
  const auto interfaces = mouse.enumerate();
  ASSERT_EQ(interfaces.size(), 3u);
  for (const auto& i : interfaces) {
    EXPECT_EQ(i.path, "sim:mouse");
    EXPECT_EQ(i.vendorId, 0x18F8);
    EXPECT_EQ(i.productId, 0x13C0);
  }
  EXPECT_EQ(interfaces[1].usagePage, 0xFF00);
  EXPECT_EQ(interfaces[1].inputReportLength, 8);
  EXPECT_EQ(interfaces[2].usagePage, 0xFF01);
  EXPECT_EQ(interfaces[2].featureReportLength, 8);
  EXPECT_EQ(mouse.open("/dev/hidraw9"), nullptr);
}

TEST_F(MouseFixture, ACommittedBlockReachesMemoryOnlyAtCommit) {
  send({0x18, 0x03, 0x00, 0x40, 0x02, 0x11, 0x01});
  send({0x18, 0x03, 0x01, 0x40, 0x02, 0x22, 0x01});
  EXPECT_EQ(mouse.memoryAt(0x240), 0);
  send({0x18, 0x09, 0x00, 0x40, 0x02, 0x00, 0x01});
  send({0x18, 0x00, 0x00, 0x40, 0x02, 0x00, 0x00});
  EXPECT_EQ(mouse.memoryAt(0x240), 0x11);
  EXPECT_EQ(mouse.memoryAt(0x241), 0x22);
  EXPECT_EQ(mouse.protocolViolations(), 0);
}

TEST_F(MouseFixture, CountsReportsThatBreakIntoABlock) {
  send({0x18, 0x03, 0x00, 0x08, 0x00, 0x11, 0x01});
  send({0x11, 0x02, 0, 0, 0, 0, 0});                 // another sender inside the block
  send({0x18, 0x03, 0x00, 0x10, 0x00, 0x11, 0x07});  // staging of a different block
  send({0x18, 0x09, 0x00, 0x08, 0x00, 0x00, 0x01});  // commit of a block not staged so
  send({0x18, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00});
  send({0x18, 0x09, 0x00, 0x08, 0x00, 0x00, 0x01});  // commit after close
  EXPECT_EQ(mouse.protocolViolations(), 4);
}

TEST_F(MouseFixture, FollowsTheCommandsItIsSent) {
  send({0x49, 0x02, 0x42, 0x07, 0, 0, 0});
  send({0x18, 0x10, 0, 0, 0, 0, 0});
  send({0x18, 0x00, 0, 0, 0, 0, 0});
  send({0x11, 0x02, 0, 0, 0, 0, 0});
  EXPECT_TRUE(mouse.hostFunctionActive());
  send({0x11, 0x00, 0, 0, 0, 0, 0});
  send({0x17, 0x00, 0xE9});
  send({0x20, 0x00, 0x00});
  EXPECT_EQ(mouse.dpiLevel(), 2);
  EXPECT_EQ(mouse.dpiEnableMask(), 0x07);
  EXPECT_EQ(mouse.imagesEnded(), 1);
  EXPECT_FALSE(mouse.hostFunctionActive());
  EXPECT_EQ(mouse.consumerUsagesPlayed(), (std::vector<uint16_t>{0x00E9}));
  EXPECT_TRUE(mouse.leaveReceived());
  EXPECT_EQ(mouse.received().size(), 7u);
}

TEST_F(MouseFixture, InputReportsComeOutInOrderAndTheReadTimesOut) {
  mouse.pressButton(2, 3);
  mouse.releaseButton(2);
  mouse.ballisticStep(true);
  mouse.ballisticStep(false);
  mouse.changeProfile(2);
  EXPECT_EQ(mouse.pendingInput(), 5u);
  EXPECT_EQ(readOne(), (Bytes{6, 0xF2, 0x83, 0, 0, 0, 0, 0}));
  EXPECT_EQ(readOne(), (Bytes{6, 0xF2, 0x80, 0, 0, 0, 0, 0}));
  EXPECT_EQ(readOne(), (Bytes{6, 0x01, 0x00, 0, 0, 0, 0, 0}));
  EXPECT_EQ(readOne(), (Bytes{6, 0x02, 0x00, 0, 0, 0, 0, 0}));
  EXPECT_EQ(readOne(), (Bytes{6, 0x03, 0x00, 0, 0, 0, 0, 0}));
  EXPECT_EQ(mouse.activeProfile(), 2);
  Bytes r(8);
  EXPECT_EQ(link->readInput(r, 1, nullptr), 0);
  mouse.disconnectInput();
  EXPECT_EQ(link->readInput(r, 1000, nullptr), -1);
}

TEST_F(MouseFixture, AReadWithoutTimeoutEndsWithAReportOrTheInterruptOnly) {
  Bytes r(8);
  ReadInterrupt interrupt;
  interrupt.raise();
  EXPECT_EQ(link->readInput(r, -1, &interrupt), 0) << "raised before the read: it does not wait";
  interrupt.clear();
  std::thread presser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    mouse.pressButton(4, 0);
  });
  EXPECT_EQ(link->readInput(r, -1, &interrupt), 8);
  presser.join();
  EXPECT_EQ(r, (Bytes{6, 0xF4, 0x80, 0, 0, 0, 0, 0}));
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    interrupt.raise();
  });
  EXPECT_EQ(link->readInput(r, -1, &interrupt), 0);
  stopper.join();
}

struct SwitchCase {
  const char* name;
  uint8_t deviceCode;
  int startProfile;
  int expectedProfile;
};

class ProfileSwitchPress : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ProfileSwitchPress, ChangesTheActiveProfileBeforeThePressIsReported) {
  const SwitchCase c = GetParam();
  SimulatedMouse mouse({.activeProfile = static_cast<uint8_t>(c.startProfile)});
  auto link = mouse.open("sim:mouse");
  // Put the code on key 2 (button 3) of the starting slot, with reaction bits above it.
  static constexpr uint16_t kKeyBase[] = {0x08, 0x44, 0x50, 0x60};
  const auto address = static_cast<uint16_t>(kKeyBase[c.startProfile] + 2);
  const uint8_t keyByte = static_cast<uint8_t>(0x60 | c.deviceCode);
  ASSERT_TRUE(link->setFeature(report({0x18, 0x03, 0x00, static_cast<uint8_t>(address), 0x00, keyByte, 0x00})));
  ASSERT_TRUE(link->setFeature(report({0x18, 0x09, 0x00, static_cast<uint8_t>(address), 0x00, 0x00, 0x00})));
  ASSERT_TRUE(link->setFeature(report({0x18, 0x00, 0x00, static_cast<uint8_t>(address), 0x00, 0x00, 0x00})));
  mouse.pressButton(3);
  EXPECT_EQ(mouse.activeProfile(), c.expectedProfile);
  Bytes status(8, 0);
  status[0] = 7;
  ASSERT_EQ(link->getFeature(status), 8);
  EXPECT_EQ((status[6] >> 2) & 3, c.expectedProfile);
}

INSTANTIATE_TEST_SUITE_P(Codes, ProfileSwitchPress,
                         ::testing::Values(SwitchCase{"code23_selects_slot0", 23, 2, 0},
                                           SwitchCase{"code25_selects_slot2", 25, 0, 2},
                                           SwitchCase{"code26_selects_slot3", 26, 2, 3},
                                           SwitchCase{"macro_key_keeps_profile", 13, 2, 2},
                                           SwitchCase{"empty_key_keeps_profile", 0, 3, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MouseFixture, AnUnpluggedMouseFailsEveryReportAfterTheGivenNumber) {
  mouse.failFrom(1);
  EXPECT_TRUE(link->setFeature(report({0x11, 0x02})));
  EXPECT_FALSE(link->setFeature(report({0x11, 0x00})));
  Bytes status = report({});
  EXPECT_EQ(link->getFeature(status), -1);
  EXPECT_EQ(status, report({}));
}

}  // namespace
}  // namespace tarvosk
