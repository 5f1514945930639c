// Discovery picks the mouse's two vendor collections out of whatever the system lists.

#include "device/device_discovery.h"

#include <gtest/gtest.h>

#include <set>

#include "device/simulated_mouse.h"

namespace tarvosk {
namespace {

// Lists what it is given and opens every path except the ones marked broken, counting opens.
class ListTransport : public HidTransport {
 public:
  struct NullConnection : HidConnection {
    bool setFeature(std::span<const uint8_t>) override { return true; }
    int getFeature(std::span<uint8_t> r) override { return static_cast<int>(r.size()); }
    int readInput(std::span<uint8_t>, int, const ReadInterrupt*) override { return 0; }
  };
  std::vector<HidInterfaceInfo> interfaces;
  std::set<std::string> broken;
  std::vector<std::string> opens;

  std::vector<HidInterfaceInfo> enumerate() override { return interfaces; }
  std::shared_ptr<HidConnection> open(const std::string& path) override {
    opens.push_back(path);
    if (broken.count(path)) return nullptr;
    return std::make_shared<NullConnection>();
  }
};

HidInterfaceInfo input(std::string path, uint16_t vid = 0x18F8, uint16_t pid = 0x13C0) {
  return {std::move(path), vid, pid, 0xFF00, 1, 8, 0};
}
HidInterfaceInfo feature(std::string path, uint16_t vid = 0x18F8, uint16_t pid = 0x13C0, uint16_t length = 8) {
  return {std::move(path), vid, pid, 0xFF01, 1, 0, length};
}

TEST(Discovery, FindsEitherAcceptedPairAndIgnoresOtherDevices) {
  for (const DeviceId id : kAcceptedDeviceIds) {
    ListTransport t;
    t.interfaces = {input("/dev/hidraw0", 0x18F8, 0x13C1), feature("/dev/hidraw0", 0x046D, 0x13C0),
                    input("/dev/hidraw5", id.vendorId, id.productId),
                    feature("/dev/hidraw5", id.vendorId, id.productId)};
    DeviceState state;
    EXPECT_TRUE(discoverDevice(t, state));
    EXPECT_EQ(state.devicePath, "/dev/hidraw5");
    EXPECT_EQ(t.opens, (std::vector<std::string>{"/dev/hidraw5"}));  // one open, shared by both sides
    EXPECT_EQ(state.readConnection, state.writeConnection);
    ASSERT_TRUE(state.writeCaps);
    EXPECT_EQ(state.writeCaps->featureReportLength, 8);
    ASSERT_TRUE(state.readCaps);
    EXPECT_EQ(state.readCaps->inputReportLength, 8);
  }
}

TEST(Discovery, NothingMatchingIsNotFound) {
  ListTransport t;
  t.interfaces = {input("/dev/hidraw0", 0x18F8, 0x1330), feature("/dev/hidraw1", 0x30FA, 0x13C0)};
  DeviceState state;
  state.found = true;
  state.devicePath = "/dev/hidraw9";
  EXPECT_FALSE(discoverDevice(t, state));
  EXPECT_FALSE(state.readConnection);
  EXPECT_FALSE(state.writeConnection);
  EXPECT_TRUE(state.devicePath.empty());
  EXPECT_TRUE(t.opens.empty());
}

TEST(Discovery, OpensBothSidesWhicheverComesFirstAndStopsAtThePair) {
  for (const bool featureFirst : {false, true}) {
    ListTransport t;
    t.interfaces = {{"/dev/hidraw2", 0x18F8, 0x13C0, 0x0001, 0x0002, 6, 0}};
    if (featureFirst) {
      t.interfaces.push_back(feature("/dev/hidraw2"));
      t.interfaces.push_back(input("/dev/hidraw2"));
    } else {
      t.interfaces.push_back(input("/dev/hidraw2"));
      t.interfaces.push_back(feature("/dev/hidraw2"));
    }
    t.interfaces.push_back(input("/dev/hidraw7"));  // never reached
    DeviceState state;
    ASSERT_TRUE(discoverDevice(t, state));
    EXPECT_TRUE(state.readConnection);
    EXPECT_TRUE(state.writeConnection);
    EXPECT_EQ(state.devicePath, "/dev/hidraw2");
  }
}

TEST(Discovery, WithTwoMiceTakesTheFirstOfEachCollectionAndTheLastPathExamined) {
  ListTransport t;
  t.interfaces = {input("/dev/hidraw1"), input("/dev/hidraw2"), feature("/dev/hidraw2"), feature("/dev/hidraw1")};
  DeviceState state;
  ASSERT_TRUE(discoverDevice(t, state));
  EXPECT_EQ(t.opens, (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw2"}));
  EXPECT_NE(state.readConnection, state.writeConnection);  // from different mice
  EXPECT_EQ(state.readCaps->path, "/dev/hidraw1");
  EXPECT_EQ(state.writeCaps->path, "/dev/hidraw2");
  EXPECT_EQ(state.devicePath, "/dev/hidraw2");
}

TEST(Discovery, ACollectionThatCannotBeOpenedLeavesItsSideClosedButTheMouseFound) {
  ListTransport t;
  t.interfaces = {input("/dev/hidraw1"), feature("/dev/hidraw3")};
  t.broken = {"/dev/hidraw3"};
  DeviceState state;
  EXPECT_TRUE(discoverDevice(t, state));
  EXPECT_TRUE(state.readConnection);
  EXPECT_FALSE(state.writeConnection);
  EXPECT_FALSE(state.writeCaps);
  EXPECT_EQ(state.devicePath, "/dev/hidraw3");
}

TEST(Discovery, AFeatureReportShorterThanEightBytesIsRefused) {
  ListTransport t;
  t.interfaces = {input("/dev/hidraw1"), feature("/dev/hidraw1", 0x18F8, 0x13C0, 7)};
  DeviceState state;
  EXPECT_TRUE(discoverDevice(t, state));
  EXPECT_FALSE(state.writeConnection);
  EXPECT_EQ(state.refusedFeatureLength, 7);
  EXPECT_EQ(shortFeatureReportMessage(7),
            "The mouse declares a feature report of 7 bytes; at least 8 are needed, so no settings can be sent to it.");
}

TEST(Discovery, FindsTheSimulatedMouse) {
  SimulatedMouse mouse({.vendorId = 0x30FA, .productId = 0x1330, .inputReportLength = 5, .featureReportLength = 9});
  DeviceState state;
  ASSERT_TRUE(discoverDevice(mouse, state));
  EXPECT_EQ(state.devicePath, "sim:mouse");
  EXPECT_EQ(state.readCaps->inputReportLength, 5);
  EXPECT_EQ(state.writeCaps->featureReportLength, 9);
}

struct NotificationCase {
  const char* name;
  int type;
  const char* interfaceName;
  bool ours;
};

class Notification : public ::testing::TestWithParam<NotificationCase> {};

TEST_P(Notification, IsOursOnlyForTheStoredPathAsADeviceInterface) {
  DeviceState state;
  state.devicePath = "\\\\?\\hid#vid_18f8&pid_13c0#7&1a2b";
  const auto& c = GetParam();
  EXPECT_EQ(isOurDevice({c.type, c.interfaceName}, state), c.ours);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Notification,
    ::testing::Values(NotificationCase{"same_path", 5, "\\\\?\\hid#vid_18f8&pid_13c0#7&1a2b", true},
                      NotificationCase{"differs_only_in_case", 5, "\\\\?\\HID#VID_18F8&PID_13C0#7&1A2B", true},
                      NotificationCase{"other_device", 5, "\\\\?\\hid#vid_046d&pid_c077#1&0001", false},
                      NotificationCase{"longer_path", 5, "\\\\?\\hid#vid_18f8&pid_13c0#7&1a2b#", false},
                      NotificationCase{"volume_type", 2, "\\\\?\\hid#vid_18f8&pid_13c0#7&1a2b", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Notification, NothingIsOursBeforeAPathIsStored) { EXPECT_FALSE(isOurDevice({5, ""}, DeviceState{})); }

}  // namespace
}  // namespace tarvosk
