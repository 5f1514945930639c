#include "device/device_discovery.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "device/report_channel.h"

namespace tarvosk {

bool isAcceptedDevice(uint16_t vendorId, uint16_t productId) {
  return std::any_of(kAcceptedDeviceIds.begin(), kAcceptedDeviceIds.end(),
                     [&](const DeviceId& id) { return id.vendorId == vendorId && id.productId == productId; });
}

bool discoverDevice(HidTransport& transport, DeviceState& state) {
  state = DeviceState{};
  // One open per path: the input and feature collections of one node share it.
  std::map<std::string, std::shared_ptr<HidConnection>> opened;
  const auto openShared = [&](const std::string& path) {
    auto it = opened.find(path);
    if (it == opened.end()) it = opened.emplace(path, transport.open(path)).first;
    return it->second;
  };

  for (const HidInterfaceInfo& info : transport.enumerate()) {
    if (!isAcceptedDevice(info.vendorId, info.productId)) continue;
    state.found = true;
    state.devicePath = info.path;
    if (info.usage != kVendorCollectionUsage) continue;
    if (info.usagePage == kInputCollectionPage && !state.readConnection) {
      if (auto connection = openShared(info.path)) {
        state.readConnection = std::move(connection);
        state.readCaps = info;
      }
    } else if (info.usagePage == kFeatureCollectionPage && !state.writeConnection) {
      if (info.featureReportLength < kMinFeatureReportLength) {
        state.refusedFeatureLength = info.featureReportLength;
      } else if (auto connection = openShared(info.path)) {
        state.writeConnection = std::move(connection);
        state.writeCaps = info;
        state.refusedFeatureLength.reset();
      }
    }
    if (state.readConnection && state.writeConnection) break;
  }
  return state.found;
}

std::string shortFeatureReportMessage(uint16_t length) {
  return "The mouse declares a feature report of " + std::to_string(length) +
         " bytes; at least 8 are needed, so no settings can be sent to it.";
}

bool isOurDevice(const DeviceNotification& notification, const DeviceState& state) {
  if (notification.deviceType != kDeviceInterfaceNotification || state.devicePath.empty()) return false;
  const std::string& a = notification.interfaceName;
  const std::string& b = state.devicePath;
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace tarvosk
