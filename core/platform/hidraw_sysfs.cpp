#include "platform/hidraw_sysfs.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace tarvosk {

namespace {
// The kernel's limit for a report descriptor.
constexpr std::size_t kMaxDescriptorSize = 4096;
}  // namespace

std::optional<std::filesystem::path> hidrawDescriptorFile(const std::string& devicePath,
                                                          const std::filesystem::path& sysfsRoot) {
  const std::string node = std::filesystem::path(devicePath).filename().string();
  constexpr std::string_view kPrefix = "hidraw";
  if (node.size() <= kPrefix.size() || node.compare(0, kPrefix.size(), kPrefix) != 0) return std::nullopt;
  const bool digits = std::all_of(node.begin() + static_cast<std::ptrdiff_t>(kPrefix.size()), node.end(),
                                  [](unsigned char c) { return std::isdigit(c) != 0; });
  if (!digits) return std::nullopt;
  return sysfsRoot / "class" / "hidraw" / node / "device" / "report_descriptor";
}

std::optional<std::vector<uint8_t>> readHidrawDescriptor(const std::string& devicePath,
                                                         const std::filesystem::path& sysfsRoot) {
  const auto file = hidrawDescriptorFile(devicePath, sysfsRoot);
  if (!file) return std::nullopt;
  std::ifstream in(*file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes;
  char c;
  while (bytes.size() <= kMaxDescriptorSize && in.get(c)) bytes.push_back(static_cast<uint8_t>(c));
  if (bytes.size() > kMaxDescriptorSize || bytes.empty()) return std::nullopt;
  return bytes;
}

}  // namespace tarvosk
