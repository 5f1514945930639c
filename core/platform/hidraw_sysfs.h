#pragma once
// Where Linux keeps the report descriptor of a hidraw node. hidapi 0.13 has no call for it, and
// the descriptor is what tells the report lengths of the mouse's collections.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvosk {

// The sysfs file holding the descriptor of the hidraw node `devicePath` ("/dev/hidraw3" gives
// <sysfsRoot>/class/hidraw/hidraw3/device/report_descriptor). Returns nullopt for a path whose
// last part is not "hidraw" followed by digits.
std::optional<std::filesystem::path> hidrawDescriptorFile(const std::string& devicePath,
                                                          const std::filesystem::path& sysfsRoot = "/sys");

// The descriptor bytes of `devicePath`; nullopt when the node is not a hidraw node or its
// descriptor cannot be read. Descriptors are at most 4096 bytes; a longer file is refused.
std::optional<std::vector<uint8_t>> readHidrawDescriptor(const std::string& devicePath,
                                                         const std::filesystem::path& sysfsRoot = "/sys");

}  // namespace tarvosk
