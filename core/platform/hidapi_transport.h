#pragma once
// HidTransport on hidapi's hidraw backend. hidapi lists one entry per hidraw node (or per
// collection, depending on its version); the collections and their report lengths come from
// each node's report descriptor, read from sysfs and parsed by our own parser.

#include <filesystem>
#include <optional>
#include <span>

#include "platform/hid_transport.h"

namespace tarvosk {

// The collections of one HID node as the transport lists them: one entry per top-level
// collection of `descriptor`. Without a readable descriptor, one entry with the usage hidapi
// reported and no report lengths (so it is never used to exchange reports).
std::vector<HidInterfaceInfo> interfacesOfNode(const std::string& path, uint16_t vendorId, uint16_t productId,
                                               std::optional<std::span<const uint8_t>> descriptor,
                                               uint16_t fallbackUsagePage, uint16_t fallbackUsage);

class HidapiTransport : public HidTransport {
 public:
  // `sysfsRoot` is where the descriptors are read from ("/sys" on a running system).
  explicit HidapiTransport(std::filesystem::path sysfsRoot = "/sys");
  std::vector<HidInterfaceInfo> enumerate() override;
  std::shared_ptr<HidConnection> open(const std::string& path) override;

 private:
  std::filesystem::path m_sysfsRoot;
};

}  // namespace tarvosk
