#pragma once
// Finding the mouse among the attached HID interfaces and opening its two vendor collections:
// the input collection (page 0xFF00) that carries input report 6, and the feature collection
// (page 0xFF01) that takes feature report 7.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/hid_transport.h"

namespace tarvosk {

struct DeviceId {
  uint16_t vendorId;
  uint16_t productId;
};

// The identifier pairs of the mouse, tested in this order.
inline constexpr std::array<DeviceId, 2> kAcceptedDeviceIds = {{{0x18F8, 0x13C0}, {0x30FA, 0x1330}}};

inline constexpr uint16_t kInputCollectionPage = 0xFF00;
inline constexpr uint16_t kFeatureCollectionPage = 0xFF01;
inline constexpr uint16_t kVendorCollectionUsage = 1;

bool isAcceptedDevice(uint16_t vendorId, uint16_t productId);

// What discovery found. Connections are shared: on Linux both collections sit on one node,
// which is opened once.
struct DeviceState {
  bool found = false;  // an interface with an accepted pair exists (its collections may not be open)
  std::shared_ptr<HidConnection> readConnection;   // the 0xFF00 collection, for input report 6
  std::shared_ptr<HidConnection> writeConnection;  // the 0xFF01 collection, for feature report 7
  std::optional<HidInterfaceInfo> readCaps;
  std::optional<HidInterfaceInfo> writeCaps;
  std::string devicePath;  // path of the last matching interface examined
  // The feature collection declared a report shorter than 8 bytes and was not opened.
  std::optional<uint16_t> refusedFeatureLength;
};

// Looks at every interface the transport lists, in its order. Every interface with an accepted
// pair sets `found` and the device path; the first 0xFF00 collection (usage 1) that opens becomes
// the read side and the first 0xFF01 collection (usage 1) that opens the write side, and
// enumeration stops once both are open. Returns `found`; the state is rebuilt from scratch.
bool discoverDevice(HidTransport& transport, DeviceState& state);

// The message for a mouse whose feature report is too short to carry a command.
std::string shortFeatureReportMessage(uint16_t length);

// A device-change notification: the broadcast device type and the interface name it carries.
struct DeviceNotification {
  int deviceType = 0;
  std::string interfaceName;
};
inline constexpr int kDeviceInterfaceNotification = 5;

// True when the notification is about a device interface whose name equals the stored device
// path, compared without regard to letter case. False whenever no path is stored.
bool isOurDevice(const DeviceNotification& notification, const DeviceState& state);

}  // namespace tarvosk
